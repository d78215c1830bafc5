#pragma once

#include "fringe/aperturecircle.h"
#include "fringe/displaypreferences.h"

#include <QPainter>

namespace lumi {

// One mark on the interferogram, in image pixels (x right, y down from the
// picture's top-left corner).
struct Mark {
    enum class Shape { Cross, Circle, Label };
    Shape shape = Shape::Cross;
    double xPx = 0; // cross position or circle centre
    double yPx = 0;
    // cross: half arm in screen (layout) pixels; circle: radius in image pixels;
    // label: offset of the text from the point in screen pixels
    double sizePx = 0;
    RgbColor color;
    int number = 0; // label: the number shown
};

// Paints marks over the picture at screen resolution: image pixel (x, y)
// lands at ((x + 0.5) s - 0.5, (y + 0.5) s - 0.5) layout pixels for s layout
// pixels per image pixel, so at s = 1 a mark covers the very pixels it names.
// Crosses keep their size on screen at every zoom; circles scale with the
// picture. Pen one layout pixel wide, no antialiasing, so that every mark
// pixel has exactly its colour.
class MarkPainter {
public:
    MarkPainter(QPainter& painter, double layoutPerImagePx);

    // Plus-shaped cross (DrawCross): vertical arm (x, y - s)..(x, y + s), then the
    // horizontal arm (x - s, y)..(x + s, y); s = half arm, layout pixels.
    void drawCross(double xPx, double yPx, double halfArmPx, RgbColor color);
    // Outline of a circle; nothing for a radius <= 0.
    void drawCircle(const ApertureCircle& circle, RgbColor color);
    // A number (a fringe order beside its seed) with its lower left corner
    // `offsetPx` layout pixels right of and above image pixel (x, y), bold,
    // 11 layout pixels high.
    void drawLabel(double xPx, double yPx, double offsetPx, const QString& text, RgbColor color);
    void draw(const Mark& mark);
    // The layout-pixel box a mark covers (its pen included) at that scale.
    static QRect bounds(const Mark& mark, double layoutPerImagePx);

private:
    static QPointF toLayout(double xPx, double yPx, double scale);
    void usePen(RgbColor color);
    QPainter& painter_;
    double scale_;
};

} // namespace lumi
