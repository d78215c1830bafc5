#pragma once

#include "fringe/aperturecircle.h"
#include "fringe/displaypreferences.h"

#include <QImage>
#include <QPainter>

namespace lumi {

// The marks drawn on the interferogram, in image pixels with a pen of `scale`
// pixels (1 at zoom 1 and above; more on a reduced photo, so that marks stay
// visible) and no antialiasing, so that every mark pixel has exactly its
// colour. Painting ends when the painter is destroyed; one painter may draw
// many marks.
class MarkPainter {
public:
    explicit MarkPainter(QImage& picture, int scale = 1);
    MarkPainter(const MarkPainter&) = delete;
    MarkPainter& operator=(const MarkPainter&) = delete;

    // Plus-shaped cross (DrawCross): vertical arm (x, y - s)..(x, y + s), then the
    // horizontal arm (x - s, y)..(x + s, y); s = half arm length x scale, pixels.
    void drawCross(double xPx, double yPx, int halfArmPx, RgbColor color);
    // Outline of a circle; nothing for a radius <= 0.
    void drawCircle(const ApertureCircle& circle, RgbColor color);
    // A short text (a fringe order beside its seed) with its lower left corner
    // `offsetPx` x scale right of and above (x, y), bold, about 11 x scale
    // pixels high.
    void drawLabel(double xPx, double yPx, int offsetPx, const QString& text, RgbColor color);

private:
    void usePen(RgbColor color);
    QPainter painter_;
    int scale_;
};

} // namespace lumi
