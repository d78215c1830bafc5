#include "optics/render/wavefrontsurface.h"

#include "analysis/analysiserror.h"
#include "optics/colorscale.h"
#include "optics/projectpoint.h"
#include "optics/render/facetpainter.h"
#include "optics/render/plotgridcheck.h"
#include "optics/render/plottext.h"
#include "optics/render/userscale.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace lumi {

WavefrontSurfaceOptions WavefrontSurfaceOptions::report(int relief) {
    WavefrontSurfaceOptions o;
    o.xRotationDeg = -43.0;
    o.yRotationDeg = 0.0;
    o.zRotationDeg = -20.0;
    o.relief = relief;
    o.reportStyle = true;
    return o;
}

void paintWavefrontSurface(QPainter& painter, const QRect& target, const WavefrontGrid& grid,
                           const WavefrontSurfaceOptions& options) {
    checkPlotGrid(grid);
    if (options.relief < 1 || options.relief > 10)
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "The surface cannot be drawn: the relief must be 1 to 10.");
    const int n = grid.gridCount;
    const double m = n + 1.0;
    const double marginY = options.reportStyle ? 0.0002 * m : 0.05 * m;
    const UserScale scale(target, -m / 2 - 0.1 * m, -m / 2 - marginY, m / 2 + 0.1 * m,
                          m / 2 + marginY);
    const ColorScale colors = ColorScale::wavefront(grid.valley, grid.range);
    const ViewAngles view =
        ViewAngles::fromDegrees(options.xRotationDeg, options.yRotationDeg, options.zRotationDeg);
    const double heightFactor = n / static_cast<double>(options.relief);
    const bool black = !options.reportStyle && options.background == SurfaceBackground::Black;
    const RgbColor zeroFacet =
        options.reportStyle ? RgbColor{230, 230, 230} : RgbColor{200, 200, 200};

    auto corner = [&](int row, int column) {
        const double h = -(grid.at(row, column) / grid.range) * heightFactor;
        return projectPoint(view, column - m / 2, h, row - m / 2);
    };

    painter.save();
    painter.setClipRect(target);
    painter.fillRect(target, black ? QColor(0, 0, 0) : QColor(255, 255, 255));
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QFont letterFont = plotFont(std::clamp(target.height() / 28.0, 10.0, 22.0), true);
    FacetPainter facets(painter, scale);
    RgbColor current{0, 0, 0};

    auto letter = [&](const ProjectedPoint& p, double dx, double dy, const char* text) {
        painter.save();
        painter.setFont(letterFont);
        drawTextAt(painter, scale.toDevice(p.x + dx, p.y + dy), QString::fromLatin1(text),
                   QColor(130, 130, 130));
        painter.restore();
    };

    for (int r = 0; r <= n; ++r) {
        for (int c = 0; c <= n; ++c) {
            const double v = grid.at(r, c);
            if (const auto band = colors.color(v))
                current = *band;
            if (v == 0.0)
                current = zeroFacet;
            const std::array<ProjectedPoint, 4> corners{corner(r, c), corner(r, c + 1),
                                                        corner(r + 1, c + 1), corner(r + 1, c)};
            if (options.reportStyle)
                facets.draw(corners, RgbColor{80, 80, 80}, current);
            else if (black)
                facets.draw(corners, current, RgbColor{0, 0, 0});
            else
                facets.draw(corners, RgbColor{70, 70, 70}, current);

            // The letters sit at the near corner (r + 1, c) of the middle cells of the last
            // row ("X", 2 units lower) and of the last column ("Y", 3 units to the right).
            if (r == n && c == n / 2)
                letter(corners[3], 0.0, 2.0, "X");
            if (r == n / 2 && c == n)
                letter(corners[3], 3.0, 0.0, "Y");
        }
    }
    painter.restore();
}

} // namespace lumi
