#pragma once

#include <QWidget>

class QTimer;

namespace lumi {

// The start-up window: a picture and a one-shot timer.
// When the timer fires, or at once on a click or a key, the window closes and
// announces it.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTimerIntervalMs = 3500;

    explicit SplashWindow(QWidget* parent = nullptr);

    QTimer* timer() const { return dismissTimer_; }
    // Closes the window and announces it, once.
    void dismiss();

signals:
    // The timer fired (or the user dismissed it) and the splash window closed.
    void finished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTimer* dismissTimer_;
    bool fired_ = false;
};

} // namespace lumi
