#include "app/splashwindow.h"

#include "app/windowcentring.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRadialGradient>
#include <QTimer>
#include <cmath>
#include <numbers>

namespace lumi {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), dismissTimer_(new QTimer(this)) {
    setObjectName("FrmSplash");
    setFixedSize(520, 300);
    dismissTimer_->setObjectName("Timer1");
    dismissTimer_->setSingleShot(true);
    dismissTimer_->setInterval(kTimerIntervalMs);
    setFocusPolicy(Qt::StrongFocus);
    connect(dismissTimer_, &QTimer::timeout, this, &SplashWindow::dismiss);
}

void SplashWindow::dismiss() {
    if (fired_) {
        return;
    }
    fired_ = true;
    dismissTimer_->stop();
    close();
    emit finished();
}

void SplashWindow::mousePressEvent(QMouseEvent*) {
    dismiss();
}

void SplashWindow::keyPressEvent(QKeyEvent*) {
    dismiss();
}

void SplashWindow::showEvent(QShowEvent*) {
    centreWindow(*this, 2, 2);
    if (!fired_ && !dismissTimer_->isActive()) {
        dismissTimer_->start();
    }
    activateWindow();
    setFocus();
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(14, 18, 32));
    // A small interferogram: defocus rings with a little tilt in a circular pupil.
    const QPointF centre(140, 150);
    const double radius = 110;
    QImage fringes(static_cast<int>(2 * radius), static_cast<int>(2 * radius),
                   QImage::Format_ARGB32);
    fringes.fill(Qt::transparent);
    for (int y = 0; y < fringes.height(); ++y) {
        for (int x = 0; x < fringes.width(); ++x) {
            const double nx = (x - radius) / radius;
            const double ny = (y - radius) / radius;
            const double r2 = nx * nx + ny * ny;
            if (r2 > 1.0) {
                continue;
            }
            const double w = 2.2 * (2 * r2 - 1) + 1.3 * nx;
            const double i = 0.5 * (1 + std::cos(2 * std::numbers::pi * w));
            fringes.setPixel(x, y,
                             qRgb(static_cast<int>(40 + 215 * i), static_cast<int>(20 + 90 * i),
                                  static_cast<int>(20 + 40 * i)));
        }
    }
    p.drawImage(QPointF(centre.x() - radius, centre.y() - radius), fringes);
    p.setPen(QPen(QColor(255, 255, 0), 1.5));
    p.drawEllipse(centre, radius, radius);

    p.setPen(QColor(235, 235, 240));
    QFont title = font();
    title.setPointSize(26);
    title.setBold(true);
    // The caption shrinks until it fits, whatever the font and screen scale.
    const QRectF titleBox(275, 95, width() - 275 - 8, 50);
    const QString caption = QStringLiteral("Lumivorexan");
    while (title.pointSize() > 8 &&
           QFontMetricsF(title).horizontalAdvance(caption) > titleBox.width()) {
        title.setPointSize(title.pointSize() - 1);
    }
    p.setFont(title);
    p.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter, caption);
    QFont sub = font();
    sub.setPointSize(11);
    p.setFont(sub);
    p.setPen(QColor(170, 180, 200));
    p.drawText(QRectF(277, 145, 240, 60), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Interferogram Analysis Software"));
}

} // namespace lumi
