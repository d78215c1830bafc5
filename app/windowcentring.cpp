#include "app/windowcentring.h"

#include "common/numbertext.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace lumi {

void centreWindow(QWidget& window, int dx, int dy) {
    if (dx == 0 || dy == 0) {
        return;
    }
    const QScreen* screen =
        window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    const QSize size = window.frameGeometry().size();
    const auto share = [](int free, int divisor) {
        return static_cast<int>(roundHalfEven(static_cast<double>(free) / divisor));
    };
    window.move(area.x() + share(area.width() - size.width(), dx),
                area.y() + share(area.height() - size.height(), dy));
}

} // namespace lumi
