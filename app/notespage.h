#pragma once

#include <QWidget>

namespace lumi {

// The "Notes" tab: the user data fields, filled by the user notes commands.
class NotesPage : public QWidget {
    Q_OBJECT
public:
    explicit NotesPage(QWidget* parent = nullptr);
};

} // namespace lumi
