#include "optics/render/wavefrontmap.h"

#include "optics/colorscale.h"
#include "optics/render/plotgridcheck.h"
#include "optics/render/userscale.h"

#include <QPainter>

namespace lumi {

void paintWavefrontMap(QPainter& painter, const QRect& target, const WavefrontGrid& grid) {
    checkPlotGrid(grid);
    const int n = grid.gridCount;
    const UserScale scale(target, 0.0, 0.0, n + 1.0, n + 1.0);
    const ColorScale colors = ColorScale::wavefront(grid.valley, grid.range);

    painter.save();
    painter.setClipRect(target);
    RgbColor current{0, 0, 0}; // carried over to a value that falls in no band
    for (int r = 0; r <= n; ++r) {
        for (int c = 0; c <= n; ++c) {
            const double v = grid.at(r, c);
            if (const auto band = colors.color(v))
                current = *band;
            // Nodes on the rim (the four ends of the axes) would stick out of
            // the disc as single cells; they are left white like the outside.
            const double x = -1.0 + 2.0 * c / n, y = -1.0 + 2.0 * r / n;
            if (v == 0.0 || x * x + y * y >= 1.0)
                current = RgbColor{255, 255, 255};
            painter.fillRect(scale.pixelBox(c, r, c + 1.0, r + 1.0),
                             QColor(current.red, current.green, current.blue));
        }
    }
    painter.restore();
}

} // namespace lumi
