#include "optics/render/psfmap.h"

#include "analysis/analysiserror.h"
#include "common/numbertext.h"
#include "optics/colorscale.h"
#include "optics/render/userscale.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace lumi {

int psfArraySide(const PointSpreadFunction& psf) {
    const auto side =
        static_cast<int>(std::lround(std::sqrt(static_cast<double>(psf.amplitude.size()))));
    if (side < 2 ||
        static_cast<std::size_t>(side) * static_cast<std::size_t>(side) != psf.amplitude.size())
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "The PSF cannot be drawn: its amplitude array is not square.");
    for (double a : psf.amplitude)
        if (!std::isfinite(a))
            throw AnalysisError(AnalysisError::Kind::NonFinite,
                                "The PSF cannot be drawn: an amplitude is not finite.");
    return side;
}

void paintPsfMap(QPainter& painter, const QRect& target, const PointSpreadFunction& psf,
                 const PsfPlotOptions& options) {
    const int n = psfArraySide(psf);
    const UserScale scale(target, 0.0, 0.0, n - 1.0, n - 1.0);
    const ColorScale colors = options.reportStyle ? ColorScale::reportPsfMap(psf.floor, psf.range)
                                                  : ColorScale::psfMap(psf.floor, psf.range);
    painter.save();
    painter.setClipRect(target);
    RgbColor current{0, 0, 0};
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const double a =
                psf.amplitude[static_cast<std::size_t>(i) * static_cast<std::size_t>(n) +
                              static_cast<std::size_t>(j)];
            if (options.greyScale && !options.reportStyle) {
                const auto g = static_cast<std::uint8_t>(
                    std::min(255.0, roundHalfEven(std::fabs(a / psf.range) * 255.0 + 20.0)));
                current = RgbColor{g, g, g};
            } else if (const auto band = colors.color(a)) {
                current = *band;
            }
            painter.fillRect(scale.pixelBox(j, i, j + 1.0, i + 1.0),
                             QColor(current.red, current.green, current.blue));
        }
    }
    painter.restore();
}

} // namespace lumi
