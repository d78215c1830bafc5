#pragma once

#include <QWidget>

class QTimer;

namespace lumi {

// The start-up window (FrmSplash): a picture and the one-shot timer Timer1.
// When the timer fires the window closes and announces it.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTimerIntervalMs = 3500;

    explicit SplashWindow(QWidget* parent = nullptr);

    QTimer* timer() const { return timer1_; }

signals:
    // Timer1 fired and the splash window closed.
    void finished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QTimer* timer1_;
    bool fired_ = false;
};

} // namespace lumi
