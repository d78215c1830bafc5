#include "app/windowcentring.h"

#include "common/numbertext.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

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

void fitWindowToScreen(QWidget& window) {
    const QScreen* screen =
        window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    // Room for a title bar and borders the window manager adds.
    const QSize frame(16, 48);
    const QSize room = screen->availableGeometry().size() - frame;
    window.resize(window.size().boundedTo(room).expandedTo(window.minimumSizeHint()));
    const QRect area = screen->availableGeometry();
    window.move(area.x() + std::max(0, (area.width() - window.width() - frame.width()) / 2),
                area.y() + std::max(0, (area.height() - window.height() - frame.height()) / 2));
}

} // namespace lumi
