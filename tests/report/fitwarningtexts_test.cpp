#include "report/fitwarningtexts.h"
#include "support/casename.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

FitFinding sector(double fromDeg, double toDeg, int terms = 37) {
    FitFinding f;
    f.kind = FitFinding::Kind::EmptySector;
    f.termCount = terms;
    f.fromDeg = fromDeg;
    f.toDeg = toDeg;
    return f;
}

FitFinding rim(double outermost) {
    FitFinding f;
    f.kind = FitFinding::Kind::EmptyRim;
    f.termCount = 9;
    f.outermostRadius = outermost;
    return f;
}

FitFinding outlier(double residual, double rms) {
    FitFinding f;
    f.kind = FitFinding::Kind::Outlier;
    f.fringeNumber = 3;
    f.pointNumber = 12;
    f.residualWaves = residual;
    f.fitRmsWaves = rms;
    return f;
}

struct TextCase {
    const char* name;
    FitFinding finding;
    const char* text;
};

class FitWarningText : public ::testing::TestWithParam<TextCase> {};

TEST_P(FitWarningText, IsOneSentence) {
    EXPECT_EQ(fitWarningText(GetParam().finding), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Findings, FitWarningText,
    ::testing::Values(
        TextCase{"quarter", sector(90, 180),
                 "No points in the upper left quarter of the pupil (37 terms): the fit there is "
                 "extrapolated."},
        TextCase{"half wrapping through right", sector(270, 450, 25),
                 "No points in the right half of the pupil (25 terms): the fit there is "
                 "extrapolated."},
        TextCase{"three quarters", sector(180, 450),
                 "No points in the lower right three quarters of the pupil (37 terms): the fit "
                 "there is extrapolated."},
        TextCase{"odd run by angles, through 0", sector(315, 450),
                 "No points in the pupil sector from 315 to 90 degrees counterclockwise from the "
                 "right (37 terms): the fit there is extrapolated."},
        TextCase{"rim", rim(0.584),
                 "No points beyond 58 % of the pupil radius (9 terms): the fit near the edge is "
                 "extrapolated."},
        TextCase{"outlier below the fit", outlier(-0.412, 0.045),
                 "Fringe 3, point 12 lies 0.41 waves from the fit, 9.2 times the RMS fit error."}),
    test::ByName{});

} // namespace
} // namespace lumi
