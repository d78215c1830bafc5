#include "optics/render/plotgridcheck.h"

#include "analysis/analysiserror.h"

#include <cmath>
#include <string>

namespace lumi {

void checkPlotGrid(const WavefrontGrid& grid) {
    const int n = grid.gridCount;
    if (n < 1 || n > WavefrontGrid::kStoreSize - 2)
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "The wavefront cannot be drawn: it is sampled on " + std::to_string(n) +
                                " intervals (1 to 128 can be drawn).");
    for (int r = 0; r <= n + 1; ++r)
        for (int c = 0; c <= n + 1; ++c)
            if (!std::isfinite(grid.at(r, c)))
                throw AnalysisError(AnalysisError::Kind::NonFinite,
                                    "The wavefront cannot be drawn: node (" + std::to_string(r) +
                                        ", " + std::to_string(c) + ") has no finite value.");
    if (!std::isfinite(grid.peak) || !std::isfinite(grid.valley) || !std::isfinite(grid.range) ||
        grid.range == 0.0)
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            "The wavefront cannot be drawn: its peak-to-valley range is not "
                            "a usable number.");
}

} // namespace lumi
