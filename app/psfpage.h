#pragma once

#include <QWidget>

class QTabWidget;

namespace lumi {

// The "PSF" tab: the point spread function as a map and as a 3-D surface, each on
// its own nested tab. The plots are drawn by the PSF command.
class PsfPage : public QWidget {
    Q_OBJECT
public:
    explicit PsfPage(QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }

private:
    QTabWidget* tabs_;
};

} // namespace lumi
