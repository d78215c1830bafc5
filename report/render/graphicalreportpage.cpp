#include "report/render/graphicalreportpage.h"

#include "analysis/analysiserror.h"
#include "optics/render/mtfplot.h"
#include "optics/render/plottext.h"
#include "optics/render/psfmap.h"
#include "optics/render/psfsurface.h"
#include "optics/render/wavefrontscalebar.h"
#include "optics/render/wavefrontsurface.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>

namespace lumi {
namespace {

const QColor kInk(20, 20, 20);
const QColor kFrame(150, 150, 150);

QImage pictureOf(const PixelGrid& grid) {
    QImage image(grid.width(), grid.height(), QImage::Format_RGB32);
    for (int y = 0; y < grid.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < grid.width(); ++x) {
            const PixelTriple& p = grid.at(x, y);
            row[x] = qRgb(p.red, p.green, p.blue);
        }
    }
    return image;
}

// The largest rectangle of aspect w : h centred in `box`.
QRect fitted(const QRect& box, double w, double h) {
    if (w <= 0.0 || h <= 0.0 || box.isEmpty()) {
        return box;
    }
    const double scale = std::min(box.width() / w, box.height() / h);
    const int fw = static_cast<int>(w * scale);
    const int fh = static_cast<int>(h * scale);
    return {box.left() + (box.width() - fw) / 2, box.top() + (box.height() - fh) / 2, fw, fh};
}

// A captioned box; the painter draws inside the area below the caption.
void plotBox(QPainter& p, const QRect& box, const QString& caption, bool present,
             const std::function<void(const QRect&)>& paint) {
    p.setPen(kFrame);
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    const QFont font = plotFont(std::clamp(box.height() / 22.0, 12.0, 20.0), true);
    p.setFont(font);
    const int captionHeight = static_cast<int>(font.pixelSize() * 1.8);
    p.setPen(kInk);
    p.drawText(QRect(box.left() + 8, box.top(), box.width() - 16, captionHeight),
               Qt::AlignVCenter | Qt::AlignLeft, caption);
    const QRect area = box.adjusted(6, captionHeight, -6, -6);
    QString note;
    if (present) {
        try {
            p.save();
            p.setClipRect(area);
            paint(area);
            p.restore();
            return;
        } catch (const AnalysisError& e) {
            p.restore();
            note = QString::fromUtf8(e.what());
        }
    } else {
        note = QStringLiteral("not available");
    }
    p.setFont(plotFont(13.0));
    p.setPen(QColor(120, 120, 120));
    p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, note);
}

void paintSummary(QPainter& p, const QRect& box, const std::vector<CaptionedText>& summary) {
    p.setPen(kFrame);
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    if (summary.empty()) {
        return;
    }
    const double rowHeight =
        std::min(34.0, (box.height() - 12.0) / static_cast<double>(summary.size()));
    // The largest font up to half a row at which every caption and value fit.
    const int inner = box.width() - 20;
    double size = rowHeight * 0.5;
    int captionWidth = 0;
    for (; size > 8.0; size -= 0.5) {
        const QFontMetrics captions(plotFont(size, true));
        const QFontMetrics values(plotFont(size));
        captionWidth = 0;
        int valueWidth = 0;
        for (const CaptionedText& row : summary) {
            captionWidth = std::max(
                captionWidth, captions.horizontalAdvance(QString::fromStdString(row.caption)));
            valueWidth =
                std::max(valueWidth, values.horizontalAdvance(QString::fromStdString(row.value)));
        }
        if (captionWidth + 12 + valueWidth <= inner) {
            break;
        }
    }
    const QFont caption = plotFont(size, true);
    const QFont value = plotFont(size);
    const int valueLeft = box.left() + 10 + captionWidth + 12;
    double y = box.top() + 6.0;
    for (const CaptionedText& row : summary) {
        const QRect line(box.left() + 10, static_cast<int>(y), inner, static_cast<int>(rowHeight));
        p.setPen(kInk);
        p.setFont(caption);
        p.drawText(line, Qt::AlignVCenter | Qt::AlignLeft, QString::fromStdString(row.caption));
        p.setFont(value);
        p.drawText(QRect(valueLeft, line.top(), box.right() - valueLeft - 4, line.height()),
                   Qt::AlignVCenter | Qt::AlignLeft, QString::fromStdString(row.value));
        y += rowHeight;
    }
}

} // namespace

void paintGraphicalReportPage(QPainter& p, const QRect& page,
                              const GraphicalReportContent& content) {
    p.fillRect(page, Qt::white);
    const int gap = std::max(6, page.width() / 150);
    const int headingHeight = page.height() * 7 / 100;

    // Heading.
    p.setPen(kInk);
    p.setFont(plotFont(headingHeight * 0.38, true));
    const QRect heading(page.left() + gap, page.top(), page.width() - 2 * gap, headingHeight);
    p.drawText(heading, Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("LUMIVOREXAN -- INTERFEROGRAM ANALYSIS REPORT"));
    p.setFont(plotFont(headingHeight * 0.26));
    QString right = QString::fromStdString(content.title);
    if (!content.subtitle.empty()) {
        // One line at the heading's right: a few hundred characters are more
        // than it shows, and a pasted book would take seconds to measure.
        constexpr std::size_t kShownBytes = 400;
        right += (right.isEmpty() ? QString() : QStringLiteral("\n")) +
                 QString::fromUtf8(
                     content.subtitle.data(),
                     static_cast<qsizetype>(std::min(content.subtitle.size(), kShownBytes)));
    }
    p.drawText(heading, Qt::AlignVCenter | Qt::AlignRight, right);

    const QRect body(page.left() + gap, page.top() + headingHeight, page.width() - 2 * gap,
                     page.height() - headingHeight - gap);
    const int leftWidth = body.width() * 29 / 100;
    const int cellWidth = (body.width() - leftWidth - 3 * gap) / 3;
    const int cellHeight = (body.height() - gap) / 2;
    const QRect left(body.left(), body.top(), leftWidth, body.height());
    const auto cell = [&](int row, int column, int span = 1) {
        return QRect(left.right() + 1 + gap + column * (cellWidth + gap),
                     body.top() + row * (cellHeight + gap), cellWidth * span + gap * (span - 1),
                     cellHeight);
    };

    const QRect pictureBox(left.left(), left.top(), left.width(), left.width());
    plotBox(p, pictureBox, QString::fromStdString(content.interferogramCaption),
            !content.interferogram.isNull(), [&](const QRect& area) {
                const QRect target =
                    fitted(area, content.interferogram.width(), content.interferogram.height());
                p.setRenderHint(QPainter::SmoothPixmapTransform, true);
                p.drawImage(target, content.interferogram);
            });
    paintSummary(p,
                 QRect(left.left(), pictureBox.bottom() + gap, left.width(),
                       left.bottom() - pictureBox.bottom() - gap),
                 content.summary);

    const GraphicalReportPlots& plots = content.plots;
    plotBox(p, cell(0, 0, 2), QStringLiteral("Wavefront"), plots.surfaceGrid.has_value(),
            [&](const QRect& area) {
                const int barWidth = std::min(170, area.width() / 5);
                const QRect surfaceArea = area.adjusted(0, 0, -barWidth - 6, 0);
                paintWavefrontSurface(p, fitted(surfaceArea, 1.4, 1.1), *plots.surfaceGrid,
                                      WavefrontSurfaceOptions::report(content.relief));
                paintWavefrontScaleBar(
                    p,
                    QRect(area.right() - barWidth, area.top() + 10, barWidth, area.height() - 20),
                    *plots.surfaceGrid);
            });
    plotBox(p, cell(0, 2), QStringLiteral("PSF map"), plots.psf.has_value(),
            [&](const QRect& area) {
                PsfPlotOptions map;
                map.reportStyle = true;
                const int side = std::min(area.width(), area.height());
                paintPsfMap(p, fitted(area, side, side), *plots.psf, map);
            });
    plotBox(p, cell(1, 0), QStringLiteral("PSF surface"), plots.psf.has_value(),
            [&](const QRect& area) {
                paintPsfSurface(p, fitted(area, 720, 503), *plots.psf, content.psfSurface);
            });
    plotBox(p, cell(1, 1), QStringLiteral("MTF"), plots.mtf.has_value(),
            [&](const QRect& area) { paintMtfPlot(p, fitted(area, 4, 3), *plots.mtf, true); });
    plotBox(p, cell(1, 2), QStringLiteral("Synthetic interferogram"), plots.synthetic.has_value(),
            [&](const QRect& area) {
                const QImage picture = pictureOf(*plots.synthetic);
                const int side = std::min(area.width(), area.height());
                p.drawImage(fitted(area, side, side), picture);
            });
}

QImage graphicalReportImage(const GraphicalReportContent& content) {
    QImage image(kGraphicalReportPageSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    paintGraphicalReportPage(p, image.rect(), content);
    return image;
}

QImage fringePointsPicture(const FringeStore& store) {
    const ApertureCircle& a = store.aperture;
    if (!(a.radiusPx > 0.0) || !std::isfinite(a.radiusPx) || !std::isfinite(a.centerXPx) ||
        !std::isfinite(a.centerYPx)) {
        return {};
    }
    constexpr int kSide = 800;
    constexpr double kMargin = 20.0;
    const double scale = (kSide - 2 * kMargin) / (2.0 * a.radiusPx);
    const auto toPicture = [&](double x, double y) {
        return QPointF(kMargin + (x - a.centerXPx + a.radiusPx) * scale,
                       kMargin + (y - a.centerYPx + a.radiusPx) * scale);
    };
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(90, 90, 90), 2.0));
    p.drawEllipse(toPicture(a.centerXPx, a.centerYPx), a.radiusPx * scale, a.radiusPx * scale);
    const ApertureCircle& o = store.obstruction;
    if (o.radiusPx > 0.0 && std::isfinite(o.radiusPx)) {
        p.drawEllipse(toPicture(o.centerXPx, o.centerYPx), o.radiusPx * scale, o.radiusPx * scale);
    }
    for (int f = 0; f < FringeStore::kFringesInUse; ++f) {
        p.setPen(QPen(QColor::fromHsv((f * 47) % 360, 230, 200), 2.0));
        for (int i = 1; i <= store.pointCount(f); ++i) {
            const QPointF c = toPicture(store.pointX(f, i), store.pointY(f, i));
            p.drawLine(c - QPointF(3, 0), c + QPointF(3, 0));
            p.drawLine(c - QPointF(0, 3), c + QPointF(0, 3));
        }
    }
    return image;
}

} // namespace lumi
