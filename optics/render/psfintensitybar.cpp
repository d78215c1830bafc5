#include "optics/render/psfintensitybar.h"

#include "optics/colorscale.h"
#include "optics/render/plottext.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace lumi {

void paintPsfIntensityBar(QPainter& painter, const QRect& bar, bool greyScale) {
    const double width = bar.width();
    for (int px = bar.left(); px <= bar.right(); ++px) {
        const double fraction = (px + 0.5 - bar.left()) / width;
        QColor color;
        if (greyScale) {
            const int g = std::clamp(static_cast<int>(fraction * 256.0), 0, 255);
            color = QColor(g, g, g);
        } else {
            const int x = std::clamp(static_cast<int>(std::lround(fraction * 1280.0)), 1, 1280);
            const auto c = ColorScale::psfBarColor(x);
            color = QColor(c->red, c->green, c->blue);
        }
        painter.fillRect(QRect(px, bar.top(), 1, bar.height()), color);
    }
}

void paintPsfIntensityScale(QPainter& painter, const QRect& target, bool greyScale) {
    painter.save();
    const QFont font = plotFont(std::clamp(target.height() / 4.0, 10.0, 16.0));
    painter.setFont(font);
    const QFontMetricsF fm(font);
    const int barHeight =
        std::max(4, target.height() - static_cast<int>(std::ceil(2.2 * fm.height())));
    const QRect bar(target.left(), target.top(), target.width(), barHeight);
    paintPsfIntensityBar(painter, bar, greyScale);
    painter.setPen(QColor(90, 90, 90));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));

    const struct {
        double fraction;
        const char* text;
    } labels[] = {{0.0, "0"}, {0.5, "0.5"}, {0.75, "0.75"}, {1.0, "1"}};
    for (const auto& l : labels) {
        const QString text = QString::fromLatin1(l.text);
        const double w = fm.horizontalAdvance(text);
        const double x = std::clamp(bar.left() + l.fraction * bar.width() - w / 2.0,
                                    static_cast<double>(bar.left()), bar.right() + 1.0 - w);
        drawTextAt(painter, QPointF(x, bar.bottom() + 2.0), text, QColor(0, 0, 0));
    }
    const QString caption = QStringLiteral("INTENSITY");
    drawTextAt(painter,
               QPointF(bar.left() + (bar.width() - fm.horizontalAdvance(caption)) / 2.0,
                       bar.bottom() + 2.0 + fm.height()),
               caption, QColor(0, 0, 0));
    painter.restore();
}

} // namespace lumi
