#include "optics/render/wavefrontscalebar.h"

#include "common/numbertext.h"
#include "optics/colorscale.h"
#include "optics/render/plottext.h"
#include "optics/render/userscale.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace lumi {

void paintWavefrontColorBar(QPainter& painter, const QRect& bar) {
    if (bar.isEmpty())
        return;
    const UserScale scale(bar, 0.0, 1280.0, 100.0, 0.0);
    // One device row at a time: the row shows the bar line that lies at its centre.
    for (int py = bar.top(); py <= bar.bottom(); ++py) {
        const double y = 1280.0 + (py + 0.5 - bar.top()) / scale.pxPerUnitY();
        const auto c =
            ColorScale::wavefrontBarColor(std::clamp(static_cast<int>(std::lround(y)), 1, 1280));
        painter.fillRect(QRect(bar.left(), py, bar.width(), 1), QColor(c->red, c->green, c->blue));
    }
}

std::array<std::string, 4> wavefrontScaleLabels(const WavefrontGrid& grid) {
    // The label constants are 0.666 and 0.333, as the page has always shown them.
    return {formatFixed(grid.peak, 4), formatFixed(grid.valley + 0.666 * grid.range, 4),
            formatFixed(grid.valley + 0.333 * grid.range, 4), formatFixed(grid.valley, 4)};
}

void paintWavefrontScaleBar(QPainter& painter, const QRect& target, const WavefrontGrid& grid) {
    painter.save();
    const double h = target.height();
    const QFont font = plotFont(std::clamp(h / 26.0, 10.0, 18.0));
    painter.setFont(font);
    const QFontMetricsF fm(font);
    const double lineH = fm.height();

    const int barTop = target.top() + static_cast<int>(std::ceil(lineH * 1.6));
    const int barBottom = target.bottom() - static_cast<int>(std::ceil(lineH * 1.6));
    const int barWidth = std::clamp(target.width() / 4, 12, 40);
    const QRect bar(target.left() + 4, barTop, barWidth, std::max(1, barBottom - barTop));
    paintWavefrontColorBar(painter, bar);
    painter.setPen(QColor(90, 90, 90));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));

    painter.setFont(plotFont(font.pixelSize(), true));
    drawTextAt(painter, QPointF(bar.left(), target.top() + 0.2 * lineH), QStringLiteral("PEAK"),
               QColor(255, 0, 0));
    drawTextAt(painter, QPointF(bar.left(), bar.bottom() + 0.4 * lineH), QStringLiteral("VALLEY"),
               QColor(0, 0, 0));
    painter.setFont(font);

    const auto labels = wavefrontScaleLabels(grid);
    const double fractions[4] = {0.0, 1.0 - 0.666, 1.0 - 0.333, 1.0};
    const double textX = bar.right() + 10.0;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const double y = bar.top() + fractions[i] * bar.height();
        painter.setPen(QColor(90, 90, 90));
        painter.drawLine(QPointF(bar.right() + 1, y), QPointF(bar.right() + 6, y));
        drawTextAt(painter, QPointF(textX, y - fm.ascent() / 2.0 - 1.0),
                   QString::fromStdString(labels[i]), QColor(0, 0, 0));
    }
    painter.restore();
}

} // namespace lumi
