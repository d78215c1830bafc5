#include "analysis/analysiserror.h"
#include "optics/mtfcommand.h"
#include "optics/psfcommand.h"
#include "opticstestgrid.h"
#include "support/analysisfixtures.h"
#include "support/casename.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace lumi {
namespace {

using Workspace = testing::OpticsWorkspace;

// A perfect (all-zero) wavefront must give a full PSF with Strehl 1, with and
// without a central obstruction; the PSF resamples the grid with its own N.
struct PerfectCase {
    PsfGridSize size;
    ApertureCircle obstruction;
};

class PsfCommandPerfect : public ::testing::TestWithParam<PerfectCase> {};

TEST_P(PsfCommandPerfect, FullPupilAndStrehlOne) {
    const auto& tc = GetParam();
    auto m = std::make_unique<Measurement>(test::makeMeasurement());
    m->store.obstruction = tc.obstruction;
    Workspace ws;
    const auto psf = runPsfCommand(*m, tc.size, *ws.field, ws.transform);
    const int n = psfPupilSampleCount(tc.size);
    const double openFraction = psf.pupilSampleCount / (3.14159265358979 * n * n / 4);
    const double radius = tc.obstruction.radiusPx / test::kTestAperture.radiusPx;
    EXPECT_NEAR(openFraction, 1.0 - radius * radius, 0.06);
    EXPECT_NEAR(psf.strehlPsf, 1.0, 1e-12);
    EXPECT_NEAR(psf.amplitudeAt(PointSpreadFunction::kCentre, PointSpreadFunction::kCentre),
                psf.peak, 1e-9 * psf.peak);
}

INSTANTIATE_TEST_SUITE_P(GridsAndObstructions, PsfCommandPerfect,
                         ::testing::Values(PerfectCase{PsfGridSize::Grid64, {}},
                                           PerfectCase{PsfGridSize::Grid256, {}},
                                           PerfectCase{PsfGridSize::Grid128, {320.0, 240.0, 60.0}},
                                           PerfectCase{PsfGridSize::Grid256, {330.0, 230.0, 80.0}}),
                         [](const auto& i) {
                             return lumi::test::caseName(
                                 "samples", psfPupilSampleCount(i.param.size),
                                 i.param.obstruction.radiusPx > 0 ? "obstructed" : "clear");
                         });

TEST(PsfStrehl, RemovedTermsDoNotCountAndTheGridIsLeftAlone) {
    auto m = std::make_unique<Measurement>(test::makeMeasurement());
    m->results.coefficients = test::coefficientsOf({{3, 0.1}, {1, 0.5}});
    m->results.grid.gridCount = 32;
    m->results.grid.at(16, 16) = 0.25;
    // Tilt and power are removed by default: a perfect wavefront remains.
    EXPECT_NEAR(measurePsfStrehl(*m), 1.0, 1e-12);
    EXPECT_EQ(m->results.grid.gridCount, 32);
    EXPECT_EQ(m->results.grid.at(16, 16), 0.25);

    m->settings.setRemoved(RemovalGroup::Power, false);
    const double strehl = measurePsfStrehl(*m);
    const double marechal = std::exp(-std::pow(2 * 3.14159265358979 * 0.1 / std::sqrt(3.0), 2));
    EXPECT_NEAR(strehl, marechal, 0.02);
}

TEST(PsfCommand, MissingApertureIsATypedError) {
    auto m = std::make_unique<Measurement>(test::makeMeasurement());
    m->store.aperture = {};
    Workspace ws;
    EXPECT_THROW(runPsfCommand(*m, PsfGridSize::Grid128, *ws.field, ws.transform), AnalysisError);
}

struct MtfCommandCase {
    const char* name;
    double apertureRatio;
    double wavelengthNm;
    double cutoff;
};

class MtfCommandCutoff : public ::testing::TestWithParam<MtfCommandCase> {};

TEST_P(MtfCommandCutoff, FollowsTheApertureRatioWithTheGivenGridCount) {
    const auto& tc = GetParam();
    auto m = std::make_unique<Measurement>(test::makeMeasurement());
    Workspace ws;
    const auto mtf =
        runMtfCommand(*m, 64, {tc.apertureRatio, tc.wavelengthNm}, *ws.field, ws.transform);
    EXPECT_EQ(mtf.halfSize, 64);
    EXPECT_NEAR(mtf.cutoffFrequency, tc.cutoff, 1e-4 * tc.cutoff);
    EXPECT_EQ(mtf.tangential.front(), 1.0);
    EXPECT_NEAR(mtf.frequencyAt(64), tc.cutoff, 1e-4 * tc.cutoff);
}

INSTANTIATE_TEST_SUITE_P(Cases, MtfCommandCutoff,
                         ::testing::Values(MtfCommandCase{"Normalised", 0.0, 632.8, 1.0},
                                           MtfCommandCase{"F4HeNe", 4.0, 632.8, 395.0695},
                                           MtfCommandCase{"F8At500nm", 8.0, 500.0, 250.0}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(MtfCommand, TypedErrorsInsteadOfFaults) {
    Workspace ws;
    auto m = std::make_unique<Measurement>(test::makeMeasurement());
    // Nothing sampled yet (grid count 0), then a zero wavelength.
    EXPECT_THROW(runMtfCommand(*m, 0, {0.0, 632.8}, *ws.field, ws.transform), AnalysisError);
    EXPECT_THROW(runMtfCommand(*m, 32, {4.0, 0.0}, *ws.field, ws.transform), AnalysisError);
}

} // namespace
} // namespace lumi
