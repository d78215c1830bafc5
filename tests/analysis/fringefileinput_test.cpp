#include "analysis/fringefileinput.h"

#include <gtest/gtest.h>

#include <string>

namespace lumi {
namespace {

// What reading a fringe file gives the window and the command line alike.
struct FileInputCase {
    const char* name;
    bool wavelengths; // the file holds its wavelength line
    bool aspheric;    // ... and its three aspheric lines
    double surfaceDiameterMm;
    double expectedInputNm;
    double expectedWavesPerFringe;
    double expectedDiameterMm;
    AnalysisType expectedType;
};

class InputFromFringeFile : public ::testing::TestWithParam<FileInputCase> {};

TEST_P(InputFromFringeFile, TakesWhatTheFileHoldsAsTheWindowShowsIt) {
    const auto& c = GetParam();
    FringeDataFile file;
    file.wavelengthsPresent = c.wavelengths;
    file.asphericPresent = c.aspheric;
    file.inputWavelengthNm = 632.8123456789;
    file.outputWavelengthNm = 550.0;
    file.wavesPerFringe = 0.123456789f;
    file.surfaceDiameterMm = c.surfaceDiameterMm;
    AnalysisInput current;
    current.inputWavelengthNm = 543.5;
    current.wavesPerFringe = 1.0;
    current.surfaceDiameterMm = 99.0;
    current.zernikeTerms = 9;
    const AnalysisInput in = inputFromFringeFile(file, current);
    EXPECT_EQ(in.inputWavelengthNm, c.expectedInputNm);
    EXPECT_EQ(in.wavesPerFringe, c.expectedWavesPerFringe);
    EXPECT_EQ(in.surfaceDiameterMm, c.expectedDiameterMm);
    EXPECT_EQ(in.analysisType, c.expectedType);
    EXPECT_EQ(in.zernikeTerms, 9); // not in the file
}

INSTANTIATE_TEST_SUITE_P(Files, InputFromFringeFile,
                         ::testing::Values(
                             // Single precision rounded to the 7 digits the window shows, also the
                             // waves per fringe.
                             FileInputCase{"Complete", true, true, 203.2123456789, 632.8123,
                                           0.1234568, 203.2123, AnalysisType::Aspheric},
                             FileInputCase{"DiameterZeroIsStandard", true, true, 0.0, 632.8123,
                                           0.1234568, 0.0, AnalysisType::Standard},
                             FileInputCase{"NoAsphericLines", true, false, 203.0, 632.8123,
                                           0.1234568, 99.0, AnalysisType::Standard},
                             FileInputCase{"PointsOnly", false, false, 203.0, 543.5, 1.0, 99.0,
                                           AnalysisType::Standard}),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace lumi
