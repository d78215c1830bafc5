#include "report/render/textreportpainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace lumi {
namespace {

// The widest line, the title at column 30, needs 115 columns; the font is
// made small enough for them (10 points at most, 6 at least).
constexpr int kColumnsWanted = 116;

QFont reportFont(double pointSize) {
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    // Point sizes are device independent; the painter resolves them at the
    // device's resolution.
    font.setPointSizeF(pointSize);
    return font;
}

double fittingPointSize(const QPagedPaintDevice& device) {
    const QFontMetricsF at10(reportFont(10.0), &device);
    const double columnWidth = at10.horizontalAdvance(QLatin1Char('0'));
    const double size = 10.0 * device.width() / (kColumnsWanted * columnWidth);
    return std::clamp(size, 6.0, 10.0);
}

} // namespace

int paintTextReport(QPainter& painter, QPagedPaintDevice& device, const TextReportInput& input) {
    const QFont plain = reportFont(fittingPointSize(device));
    QFont title = plain;
    title.setBold(true);
    QFont heading = plain;
    heading.setUnderline(true);

    painter.setFont(plain);
    const QFontMetricsF metrics(plain, &device);
    const double columnWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const double lineHeight = metrics.lineSpacing();
    const QRectF page = QRectF(0, 0, device.width(), device.height());
    const int columns =
        std::max(kColumnsWanted / 2, static_cast<int>(std::floor(page.width() / columnWidth)));

    int pages = 1;
    double y = 0.0;
    painter.setPen(Qt::black);
    for (const ReportLine& line : textReportLines(input, columns)) {
        if (y + lineHeight > page.height()) {
            device.newPage();
            ++pages;
            y = 0.0;
        }
        switch (line.emphasis) {
        case ReportEmphasis::None: painter.setFont(plain); break;
        case ReportEmphasis::Title: painter.setFont(title); break;
        case ReportEmphasis::Heading: painter.setFont(heading); break;
        }
        for (const ReportItem& item : line.items) {
            const double x = (item.column - 1) * columnWidth;
            painter.drawText(QPointF(x, y + metrics.ascent()), QString::fromStdString(item.text));
        }
        y += lineHeight;
    }
    return pages;
}

} // namespace lumi
