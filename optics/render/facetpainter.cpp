#include "optics/render/facetpainter.h"

#include <QBrush>
#include <QPainter>
#include <QPen>

namespace lumi {

FacetPainter::FacetPainter(QPainter& painter, const UserScale& scale)
    : painter_(painter), scale_(scale) {}

void FacetPainter::draw(const std::array<ProjectedPoint, 4>& corners, RgbColor outline,
                        RgbColor fill) {
    if (!haveColours_ || !(outline == outline_)) {
        QPen pen(QColor(outline.red, outline.green, outline.blue));
        pen.setWidth(1);
        painter_.setPen(pen);
        outline_ = outline;
    }
    if (!haveColours_ || !(fill == fill_)) {
        painter_.setBrush(QColor(fill.red, fill.green, fill.blue));
        fill_ = fill;
    }
    haveColours_ = true;
    QPointF device[4];
    for (std::size_t i = 0; i < 4; ++i)
        device[i] = scale_.toDevice(corners[i].x, corners[i].y);
    // Odd-even fill: a facet folded over itself (seen edge-on) leaves its crossing open.
    painter_.drawPolygon(device, 4);
}

} // namespace lumi
