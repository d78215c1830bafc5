#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace lumi {

// The confirmation shown when "Fringe AutoTracing" is ticked: a sketch of a
// fringe pattern with a straight line of seed points across it, how to place
// the seeds, the option "Follow the fringe direction", and "YES" / "NO"
// (accepted / rejected).
class AutoTracingWindow : public QDialog {
    Q_OBJECT
public:
    explicit AutoTracingWindow(QWidget* parent = nullptr);

    QPushButton* yesButton() const { return yes_; }
    QPushButton* noButton() const { return no_; }
    QCheckBox* followFringeBox() const { return follow_; }
    bool followFringe() const;
    void setFollowFringe(bool on);

private:
    QCheckBox* follow_;
    QPushButton* yes_;
    QPushButton* no_;
};

} // namespace lumi
