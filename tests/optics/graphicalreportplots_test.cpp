#include "analysis/wavefrontsampler.h"
#include "optics/graphicalreportplots.h"

#include <gtest/gtest.h>

#include <memory>

namespace lumi {
namespace {

// Defocus and coma on a 200-pixel aperture, sampled as APPLY does (N = 32).
std::unique_ptr<Measurement> sampledMeasurement() {
    auto m = std::make_unique<Measurement>();
    m->store.aperture = {300.0, 300.0, 200.0};
    m->settings.highestTerm = 8;
    m->settings.input.removalFlags = {};
    m->results.coefficients[3] = 1.0;
    m->results.coefficients[6] = 0.4;
    m->results.grid = *sampleWavefrontGrid(*m, 32);
    return m;
}

struct ReportRun {
    std::unique_ptr<Measurement> m = sampledMeasurement();
    std::unique_ptr<ComplexField> field = std::make_unique<ComplexField>();
    FieldTransform transform;
    GraphicalReportPlots compute() {
        GraphicalReportChoices choices;
        choices.synthetic.gridSize = 64; // replaced by 128
        return computeGraphicalReportPlots(*m, choices, *field, transform);
    }
};

TEST(GraphicalReportPlots, drawsEveryPlotFromTheGridAsLastSampled) {
    ReportRun run;
    const GraphicalReportPlots plots = run.compute();
    EXPECT_EQ(plots.fault, "");
    ASSERT_TRUE(plots.surfaceGrid && plots.psf && plots.mtf && plots.synthetic);
    EXPECT_EQ(plots.surfaceGrid->gridCount, 32);
    EXPECT_EQ(plots.psf->size, 128);
    EXPECT_EQ(plots.mtf->halfSize, 32);
    EXPECT_EQ(plots.synthetic->width(), 129);
}

TEST(GraphicalReportPlots, extremesAreComputedAgainButTheMeasurementIsLeftAlone) {
    ReportRun run;
    WavefrontGrid& grid = run.m->results.grid;
    const double peak = grid.peak, valley = grid.valley;
    grid.peak = 7.0; // stale extremes, as another command may leave them
    grid.valley = -7.0;
    grid.range = 14.0;
    const WavefrontGrid before = grid;
    const GraphicalReportPlots plots = run.compute();
    ASSERT_TRUE(plots.surfaceGrid && plots.synthetic);
    EXPECT_DOUBLE_EQ(plots.surfaceGrid->peak, peak);
    EXPECT_DOUBLE_EQ(plots.surfaceGrid->valley, valley);
    EXPECT_DOUBLE_EQ(plots.surfaceGrid->range, peak - valley);
    EXPECT_EQ(grid.peak, before.peak);
    EXPECT_EQ(grid.valley, before.valley);
    EXPECT_EQ(grid.range, before.range);
    EXPECT_EQ(grid.at(16, 16), before.at(16, 16));
}

TEST(GraphicalReportPlots, beforeAnyAnalysisNothingIsDrawnAndTheReasonIsGiven) {
    ReportRun run;
    run.m->results.grid.clear();
    const GraphicalReportPlots plots = run.compute();
    EXPECT_NE(plots.fault.find("APPLY"), std::string::npos);
    EXPECT_FALSE(plots.surfaceGrid || plots.psf || plots.mtf || plots.synthetic);
}

// The MTF's wavelength is the one the MTF page reads, not that of the last APPLY.
TEST(GraphicalReportPlots, theMtfTakesTheWavelengthOfTheReading) {
    ReportRun run;
    run.m->settings.input.inputWavelengthNm = 632.8;
    GraphicalReportChoices choices;
    choices.mtf = {8.0, 500.0};
    const GraphicalReportPlots plots =
        computeGraphicalReportPlots(*run.m, choices, *run.field, run.transform);
    ASSERT_TRUE(plots.mtf);
    EXPECT_NEAR(plots.mtf->cutoffFrequency, 250.0, 1e-3); // 1 / (500e-6 mm x 8)
}

TEST(GraphicalReportPlots, aFaultKeepsWhatWasComputedBeforeIt) {
    ReportRun run;
    GraphicalReportChoices choices;
    choices.mtf = {8.0, 0.0}; // the MTF's cut-off needs a wavelength
    const GraphicalReportPlots plots =
        computeGraphicalReportPlots(*run.m, choices, *run.field, run.transform);
    EXPECT_FALSE(plots.fault.empty());
    EXPECT_TRUE(plots.surfaceGrid && plots.psf);
    EXPECT_FALSE(plots.mtf || plots.synthetic);
}

} // namespace
} // namespace lumi
