#include "optics/render/mtfplot.h"

#include "analysis/analysiserror.h"
#include "common/numbertext.h"
#include "optics/render/plottext.h"
#include "optics/render/userscale.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace lumi {
namespace {

void checkCuts(const ModulationTransfer& mtf) {
    const int n = mtf.halfSize;
    auto usable = [n](const std::vector<double>& cut) {
        if (n < 1 || cut.size() < static_cast<std::size_t>(n) + 1)
            return false;
        return std::all_of(cut.begin(), cut.begin() + n + 1,
                           [](double v) { return std::isfinite(v); });
    };
    if (!usable(mtf.tangential) || !usable(mtf.sagittal) || !std::isfinite(mtf.cutoffFrequency))
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            "The MTF cannot be drawn: the transfer function is incomplete or not "
                            "finite.");
}

} // namespace

UserScale mtfPlotScale(const QRect& target, int halfSize, bool reportStyle) {
    return UserScale(QRectF(target), -0.07 * halfSize, 1.1, 1.07 * halfSize,
                     reportStyle ? -0.18 : -0.15);
}

std::array<std::string, 5> mtfFrequencyLabels(double cutoffFrequency) {
    return {formatFixed(cutoffFrequency * 0.2, 1), formatFixed(cutoffFrequency * 0.4, 1),
            formatFixed(cutoffFrequency * 0.6, 1), formatFixed(cutoffFrequency * 0.8, 1),
            formatFixed(cutoffFrequency, 1)};
}

void paintMtfPlot(QPainter& painter, const QRect& target, const ModulationTransfer& mtf,
                  bool reportStyle) {
    checkCuts(mtf);
    const int n = mtf.halfSize;
    const UserScale scale = mtfPlotScale(target, n, reportStyle);
    auto at = [&scale](double x, double y) { return scale.toDevice(x, y); };

    painter.save();
    painter.setClipRect(target);
    painter.fillRect(target, QColor(255, 255, 255));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    // Plot area.
    const QRectF area(at(0, 1), at(n, 0));
    painter.fillRect(area, QColor(255, 255, 230));
    const double lineWidth = std::max(1.0, target.height() / 300.0);
    painter.setPen(QPen(QColor(0, 5, 0), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);

    // Text height about 3 % of the plot: the labels stand in the margins the scale leaves.
    const QFont font = plotFont(std::clamp(target.height() * 0.032, 9.0, 20.0));
    painter.setFont(font);
    const QFontMetricsF fm(font);
    const double labelX = -0.06 * (n - 1);
    const QColor black(0, 0, 0), blue(0, 0, 255), red(255, 0, 0);

    drawTextAt(painter, at(labelX, 1.1),
               QString::fromLatin1(reportStyle ? "MODULATION  " : "MODULATION "), black);
    // A tab to text column c starts c - 1 average character widths from the left edge.
    const double legendX = target.left() + (reportStyle ? 41 : 49) * fm.averageCharWidth();
    drawTextAt(painter, QPointF(legendX, at(0, 1.0).y()), QStringLiteral("BLACK=IDEAL  "), black);
    drawTextAt(painter, QPointF(legendX, at(0, 0.93).y()), QStringLiteral("BLUE  =SAG. "), blue);
    drawTextAt(painter, QPointF(legendX, at(0, 0.86).y()), QStringLiteral("RED    =TANG "), red);

    painter.setPen(QPen(black, 1));
    for (double v : {0.2, 0.4, 0.6, 0.8})
        painter.drawLine(at(0, v), at(n / 60.0, v));
    const struct {
        double y;
        const char* text;
    } modulationLabels[] = {{0.023, "0"},  {0.23, "0.2"}, {0.43, "0.4"},
                            {0.63, "0.6"}, {0.83, "0.8"}, {1.01, "1"}};
    for (const auto& l : modulationLabels)
        drawTextAt(painter, at(labelX, l.y), QString::fromLatin1(l.text), black);

    painter.setPen(QPen(black, 1));
    for (double q : {0.2, 0.4, 0.6, 0.8})
        painter.drawLine(at(q * n, 0), at(q * n, -0.02));
    const auto labels = mtfFrequencyLabels(mtf.cutoffFrequency);
    const double labelAt[5] = {0.18, 0.38, 0.58, 0.78, reportStyle ? 0.96 : 0.98};
    for (std::size_t i = 0; i < labels.size(); ++i)
        drawTextAt(painter, at(labelAt[i] * n, -0.02), QString::fromStdString(labels[i]), black);
    drawTextAt(painter, reportStyle ? at(0.6 * n, -0.1) : at(0.7 * n, -0.09),
               QStringLiteral("SPATIAL FREQUENCY"), black);

    // Measured cuts, normalised ratios held in single precision.
    auto cut = [&](const std::vector<double>& values, const QColor& color) {
        QPainterPath path(at(0, static_cast<float>(values[0])));
        for (int k = 1; k <= n; ++k)
            path.lineTo(at(k, static_cast<float>(values[static_cast<std::size_t>(k)])));
        painter.setPen(QPen(color, lineWidth));
        painter.drawPath(path);
    };
    cut(mtf.tangential, red);
    cut(mtf.sagittal, blue);

    const auto ideal = idealMtfCurve(mtf.cutoffFrequency, n);
    if (!ideal.empty()) {
        QPainterPath path(at(0, 1));
        for (const auto& p : ideal)
            path.lineTo(at(p.x, p.y));
        painter.setPen(QPen(black, lineWidth));
        painter.drawPath(path);
    }
    painter.restore();
}

} // namespace lumi
