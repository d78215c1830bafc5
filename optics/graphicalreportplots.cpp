#include "optics/graphicalreportplots.h"

#include "analysis/analysiserror.h"
#include "analysis/syntheticinterferogram.h"
#include "analysis/syntheticshading.h"
#include "common/numbertext.h"

#include <algorithm>

namespace lumi {
namespace {

void recomputeExtremes(WavefrontGrid& grid) {
    double peak = WavefrontGrid::kNoPeak;
    double valley = WavefrontGrid::kNoValley;
    for (int r = 0; r <= grid.gridCount; ++r) {
        for (int c = 0; c <= grid.gridCount; ++c) {
            const double w = grid.at(r, c);
            if (w != 0.0) {
                peak = std::max(peak, w);
                valley = std::min(valley, w);
            }
        }
    }
    grid.peak = peak;
    grid.valley = valley;
    grid.range = peak - valley;
}

} // namespace

GraphicalReportPlots computeGraphicalReportPlots(const Measurement& m,
                                                 const GraphicalReportChoices& choices,
                                                 ComplexField& field, FieldTransform& transform,
                                                 const std::function<void(int)>& progress) {
    GraphicalReportPlots plots;
    try {
        WavefrontGrid grid = m.results.grid;
        if (grid.gridCount < 1 || grid.gridCount > PointSpreadFunction::kReportTransformSize) {
            throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                                "No wavefront has been sampled yet: run APPLY first.");
        }
        recomputeExtremes(grid);
        plots.surfaceGrid = grid;

        plots.psf = computePointSpreadFunction(grid, field, transform,
                                               PointSpreadFunction::kReportTransformSize);

        plots.mtf = computeModulationTransfer(grid, mtfCutoffOf(choices.mtf), field, transform);

        SyntheticOptions synthetic = choices.synthetic;
        synthetic.gridSize = 128;
        const SyntheticHeightMap heights =
            SyntheticInterferogram::computeHeights(m, synthetic, progress);
        const SyntheticShading shading(heights, synthetic.wavesPerFringe);
        plots.synthetic = shading.shade(heights, synthetic.color, {255, 255, 255});
    } catch (const AnalysisError& e) {
        plots.fault = e.what();
    }
    return plots;
}

} // namespace lumi
