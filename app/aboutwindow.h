#pragma once

#include <QDialog>

namespace lumi {

// The about box: static labels only, shown modally.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

} // namespace lumi
