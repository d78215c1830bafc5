#pragma once

#include <QWidget>

class QTabWidget;

namespace lumi {

// The "Synthetic" tab: the synthetic interferogram and the ideal interferogram of a
// conic, each on its own nested tab. The pictures are drawn by their commands.
class SyntheticPage : public QWidget {
    Q_OBJECT
public:
    explicit SyntheticPage(QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }

private:
    QTabWidget* tabs_;
};

} // namespace lumi
