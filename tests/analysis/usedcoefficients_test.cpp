#include "analysis/usedcoefficients.h"

#include "analysis/analysiserror.h"
#include "analysis/contourpointgenerator.h"
#include "common/numbertext.h"
#include "support/analysisfixtures.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

using test::coefficientsOf;
using test::makeMeasurement;

Measurement fitted(const ZernikeCoefficients& c) {
    Measurement m = makeMeasurement();
    generateContourPoints(c, 0.5, m.store.aperture, {}, m.store);
    test::keep(m, runApply(m));
    return m;
}

// The coefficient grid's texts read back: fitted / waves per fringe, 6 decimals.
ZernikeCoefficients shownFringes(const Measurement& m) {
    ZernikeCoefficients shown{};
    for (std::size_t t = 0; t <= static_cast<std::size_t>(m.settings.highestTerm); ++t)
        shown[t] = parseLenient(formatFixed(
            m.results.fittedCoefficients[t] / static_cast<double>(m.settings.wavesPerFringe), 6));
    return shown;
}

TEST(SubtractReference, ZeroReferenceKeepsTheSummaryUpToTheShownRounding) {
    Measurement m = fitted(coefficientsOf({{3, 1.0}, {4, 0.2}, {7, 0.1}, {8, 0.15}}));
    const AnalysisResults before = m.results;
    test::keep(m, subtractReference(m, shownFringes(m)));
    for (int t = 0; t <= 24; ++t)
        EXPECT_NEAR(m.results.coefficients[static_cast<std::size_t>(t)],
                    before.coefficients[static_cast<std::size_t>(t)], 0.5 * 0.5e-6)
            << t;
    // The page shows 3 decimals: the subtraction of the shown values stays below them.
    EXPECT_NEAR(m.results.astigmatism.magnitude, before.astigmatism.magnitude, 5e-4);
    EXPECT_NEAR(m.results.coma.magnitude, before.coma.magnitude, 5e-4);
    EXPECT_NEAR(m.results.peakToValley, before.peakToValley, 5e-4);
    EXPECT_EQ(m.results.fittedCoefficients, before.fittedCoefficients);
}

TEST(SubtractReference, HalfAFringeInTermFourLowersItByAQuarterWave) {
    Measurement m = fitted(coefficientsOf({{3, 1.0}, {4, 0.2}, {8, 0.15}}));
    const ZernikeCoefficients shown = shownFringes(m);
    m.referenceFringes[4] = 0.5;
    test::keep(m, subtractReference(m, shown));
    EXPECT_NEAR(m.results.coefficients[4], 0.5 * shown[4] - 0.25, 1e-15);
    EXPECT_NEAR(m.results.coefficients[4], -0.05, 1e-6);
    EXPECT_NEAR(m.results.fittedCoefficients[4], 0.2, 1e-9);   // the fit is untouched
    EXPECT_NEAR(m.results.astigmatism.magnitude, 0.100, 5e-4); // 2 |c4|
}

TEST(SubtractReference, ZeroWavesPerFringeChangesNothing) {
    Measurement m = fitted(coefficientsOf({{3, 1.0}, {4, 0.2}, {8, 0.15}}));
    const AnalysisResults before = m.results;
    m.settings.input.wavesPerFringe = 0.0;
    m.referenceFringes[4] = 0.5;
    EXPECT_THROW(test::keep(m, subtractReference(m, shownFringes(m))), AnalysisError);
    EXPECT_EQ(m.results.coefficients, before.coefficients);
    EXPECT_EQ(m.results.peakToValley, before.peakToValley);
    EXPECT_EQ(m.results.astigmatism, before.astigmatism);
}

ZernikeAverage averageOf(const ZernikeCoefficients& meanFringes, int termCount) {
    ZernikeAverage avg;
    avg.meanFringes = meanFringes;
    avg.termCount = termCount;
    avg.fileCount = 1;
    return avg;
}

TEST(ApplyZernikeAverage, SetsTermsFromTheCountAndSubtractsTheReference) {
    Measurement m = makeMeasurement();
    m.results.coefficients.fill(7.0); // an earlier analysis with more terms
    m.referenceFringes[4] = 0.1;
    m.referenceFringes[9] = 0.3; // term 9 = the count: only the reference makes it non-zero
    test::keep(
        m, applyZernikeAverage(m, averageOf(coefficientsOf({{3, 2.0}, {4, 0.4}, {8, 0.2}}), 9)));
    EXPECT_EQ(m.settings.highestTerm, 9);
    EXPECT_DOUBLE_EQ(m.results.coefficients[3], 1.0);
    EXPECT_DOUBLE_EQ(m.results.coefficients[4], 0.5 * 0.4 - 0.5 * 0.1);
    EXPECT_DOUBLE_EQ(m.results.coefficients[9], -0.15);
    EXPECT_EQ(m.results.coefficients[10], 0.0); // above the used terms: cleared
    EXPECT_NEAR(m.results.spherical, 0.600, 5e-4);
    EXPECT_FALSE(m.results.analysisDone); // averaging is not an APPLY
}

TEST(ApplyZernikeAverage, MissingApertureOrBadSettingsChangeNothing) {
    for (const char* fault : {"aperture", "wavesPerFringe", "outputWavelength"}) {
        Measurement m = makeMeasurement();
        const std::string f = fault;
        if (f == "aperture")
            m.store.aperture = {};
        if (f == "wavesPerFringe")
            m.settings.input.wavesPerFringe = 0.0;
        if (f == "outputWavelength")
            m.settings.input.outputWavelengthNm = 0.0;
        const Measurement before = m;
        EXPECT_THROW(
            test::keep(m, applyZernikeAverage(m, averageOf(coefficientsOf({{3, 2.0}}), 9))),
            AnalysisError)
            << fault;
        EXPECT_EQ(m.results.coefficients, before.results.coefficients) << fault;
        EXPECT_EQ(m.settings.highestTerm, before.settings.highestTerm) << fault;
    }
}

TEST(ApplyZernikeAverage, EqualsTheMeanOfIndependentFits) {
    const ZernikeCoefficients sets[] = {coefficientsOf({{3, 1.0}, {4, 0.2}, {8, 0.15}}),
                                        coefficientsOf({{3, 1.2}, {5, -0.1}, {8, 0.1}}),
                                        coefficientsOf({{3, 0.8}, {4, 0.3}, {7, 0.05}})};
    std::vector<ZernikeFile> files;
    ZernikeCoefficients meanWaves{};
    for (const ZernikeCoefficients& c : sets) {
        const Measurement m = fitted(c);
        files.push_back(ZernikeFile::parse(ZernikeFile::toText(m.results.coefficients, 0.5f)));
        for (std::size_t t = 0; t < meanWaves.size(); ++t)
            meanWaves[t] += m.results.coefficients[t] / 3.0;
    }
    const std::vector<std::string> names{"a", "b", "c"};
    const ZernikeAverage avg = averageZernikeFiles(files, names);
    ASSERT_EQ(avg.termCount, 25);
    Measurement m = makeMeasurement();
    test::keep(m, applyZernikeAverage(m, avg));
    for (std::size_t t = 0; t <= 25; ++t)
        EXPECT_NEAR(m.results.coefficients[t], meanWaves[t], 1e-12) << t;
    Measurement direct = makeMeasurement();
    direct.settings.highestTerm = 25;
    test::keep(direct, replaceUsedCoefficients(direct, meanWaves, 25));
    EXPECT_NEAR(m.results.peakToValley, direct.results.peakToValley, 1e-12);
    EXPECT_NEAR(m.results.rms, direct.results.rms, 1e-12);
    EXPECT_NEAR(m.results.astigmatism.magnitude, direct.results.astigmatism.magnitude, 1e-12);
    EXPECT_NEAR(m.results.spherical, direct.results.spherical, 1e-12);
}

} // namespace
} // namespace lumi
