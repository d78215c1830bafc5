#pragma once

#include <QWidget>

class QTabWidget;

namespace lumi {

// The "WaveFront" tab: the 3-D surface and the colour map of the wavefront, each on
// its own nested tab. The plots are drawn by the wavefront plot commands.
class WaveFrontPage : public QWidget {
    Q_OBJECT
public:
    explicit WaveFrontPage(QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }

private:
    QTabWidget* tabs_;
};

} // namespace lumi
