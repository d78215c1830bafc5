#include "optics/render/psfsurface.h"

#include "analysis/analysiserror.h"
#include "common/numbertext.h"
#include "optics/colorscale.h"
#include "optics/projectpoint.h"
#include "optics/render/facetpainter.h"
#include "optics/render/psfmap.h"
#include "optics/render/userscale.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace lumi {

void paintPsfSurface(QPainter& painter, const QRect& target, const PointSpreadFunction& psf,
                     const PsfPlotOptions& options) {
    const int n = psfArraySide(psf);
    if (!(psf.peak > 0.0) || !std::isfinite(psf.peak) || !std::isfinite(options.strehl))
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            "The PSF surface cannot be drawn: its peak is not a positive number.");
    const double m = n;
    const UserScale scale(target, -m / 8 - 0.18 * m, -m / 8 - 0.15 * m, m / 8 + 0.18 * m,
                          0.15 * m + m / 1000);
    const ColorScale colors = ColorScale::psfSurface(psf.range);
    const ViewAngles view = ViewAngles::fromDegrees(-20.0, 5.0, -20.0);
    const double heightFactor =
        options.normalisation == PsfNormalisation::Unity ? m / 4 : m / 4 * options.strehl;
    const bool white = options.background == SurfaceBackground::White;

    auto amplitude = [&](int row, int column) {
        return psf.amplitude[static_cast<std::size_t>(row) * static_cast<std::size_t>(n) +
                             static_cast<std::size_t>(column)];
    };
    auto corner = [&](int row, int column) {
        return projectPoint(view, column - m / 2, -heightFactor * amplitude(row, column) / psf.peak,
                            row - m / 2);
    };

    painter.save();
    painter.setClipRect(target);
    painter.fillRect(target, white ? QColor(250, 250, 250) : QColor(0, 0, 0));
    painter.setRenderHint(QPainter::Antialiasing, false);
    FacetPainter facets(painter, scale);
    RgbColor current{0, 0, 0};
    for (int i = n / 4; i <= n * 3 / 4 - 1; ++i) {
        for (int j = n / 4; j <= n * 3 / 4 - 1; ++j) {
            const double a = amplitude(i, j);
            if (options.greyScale) {
                const auto g = static_cast<std::uint8_t>(
                    std::min(255.0, roundHalfEven(std::fabs(a / psf.range) * 255.0 + 50.0)));
                current = RgbColor{g, g, g};
            } else if (const auto band = colors.color(a)) {
                current = *band;
            }
            const std::array<ProjectedPoint, 4> corners{corner(i, j), corner(i, j + 1),
                                                        corner(i + 1, j + 1), corner(i + 1, j)};
            RgbColor outline = current;
            RgbColor fill = current;
            if (!options.solid) {
                if (white) {
                    fill = RgbColor{255, 255, 255};
                    if (options.greyScale)
                        outline = RgbColor{0, 0, 0};
                } else {
                    fill = RgbColor{0, 0, 0};
                }
            }
            facets.draw(corners, outline, fill);
        }
    }
    painter.restore();
}

} // namespace lumi
