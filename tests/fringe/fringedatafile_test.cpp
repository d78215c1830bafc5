#include "fringe/fringedatafile.h"

#include "common/fileerror.h"
#include "common/numbertext.h"
#include "common/textfile.h"
#include "fringe/fringeeditor.h"
#include "fringe/fringestore.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

namespace lumi {
namespace {

using Layout = FringeDataFile::Layout;

// The example of a complete file: aperture, no obstruction, two points on
// fringe 0, standard analysis, waves per fringe .5.
const std::string kExample = "312,240,205\r\n"
                             "0,0,0\r\n"
                             "2\r\n"
                             "0,130,96\r\n"
                             "0,141,88\r\n"
                             "632.8,632.8,.5\r\n"
                             "0\r\n"
                             "0\r\n"
                             "-1\r\n";

TEST(FringeDataFileRead, ExampleFile) {
    FringeDataFile f = FringeDataFile::parse(kExample);
    EXPECT_EQ(f.aperture, (ApertureCircle{312, 240, 205}));
    EXPECT_EQ(f.obstruction, ApertureCircle{});
    EXPECT_EQ(f.points, (std::vector<FringePoint>{{0, 130, 96}, {0, 141, 88}}));
    EXPECT_EQ(f.inputWavelengthNm, 632.8);
    EXPECT_EQ(f.outputWavelengthNm, 632.8);
    EXPECT_EQ(f.wavesPerFringe, 0.5f);
    EXPECT_EQ(f.surfaceDiameterMm, 0.0);
    EXPECT_EQ(f.curvatureRadiusMm, 0.0);
    EXPECT_EQ(f.targetConic, -1.0f);
    EXPECT_TRUE(f.wavelengthsPresent);
    EXPECT_TRUE(f.asphericPresent);
    EXPECT_FALSE(f.isAspheric());
    EXPECT_EQ(f.activeFringeAfterLoad(), 0);
}

// The same values in other spellings and line arrangements.
struct SpellingCase {
    const char* name;
    const char* text;
};

class SameContentsAsExample : public ::testing::TestWithParam<SpellingCase> {};

TEST_P(SameContentsAsExample, ParsesAlike) {
    EXPECT_EQ(FringeDataFile::parse(GetParam().text), FringeDataFile::parse(kExample));
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, SameContentsAsExample,
    ::testing::Values(
        SpellingCase{"leadingZero", "312,240,205\r\n0,0,0\r\n2\r\n0,130,96\r\n0,141,88\r\n"
                                    "632.8,632.8,0.5\r\n0\r\n0\r\n-1\r\n"},
        SpellingCase{"lfOnly", "312,240,205\n0,0,0\n2\n0,130,96\n0,141,88\n632.8,632.8,.5\n0\n0\n"
                               "-1\n"},
        SpellingCase{"crOnly", "312,240,205\r0,0,0\r2\r0,130,96\r0,141,88\r632.8,632.8,.5\r0\r0\r"
                               "-1"},
        SpellingCase{"blanksAndBlankLines",
                     "  312, 240 ,205\r\n\r\n 0,0,0\r\n   \r\n2\r\n0, 130,96\r\n"
                     "0,141,88\r\n632.8,632.8, .5\r\n0\r\n0\r\n-1\r\n\r\n"},
        SpellingCase{"exponents", "3.12E+02,2.4e2,205\r\n0,0,0\r\n2\r\n0,130,96\r\n0,141,88\r\n"
                                  "632.8,632.8,5E-01\r\n0\r\n0\r\n-1\r\n"},
        SpellingCase{"byteOrderMark",
                     "\xEF\xBB\xBF"
                     "312,240,205\r\n0,0,0\r\n2\r\n0,130,96\r\n0,141,88\r\n632.8,632.8,.5\r\n0\r\n"
                     "0\r\n-1\r\n"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(FringeDataFileRead, NegativeValuesBelowOneInBothForms) {
    FringeDataFile f = FringeDataFile::parse("1,2,3\r\n0,0,0\r\n0\r\n632.8,632.8,-.5\r\n100\r\n"
                                             "1000\r\n-0.5\r\n");
    EXPECT_EQ(f.wavesPerFringe, -0.5f);
    EXPECT_EQ(f.targetConic, -0.5f);
    EXPECT_TRUE(f.isAspheric());
}

TEST(FringeDataFileRead, UnsortedRecordsKeepFileOrderAndActivateTheLastRecordsFringe) {
    FringeDataFile f =
        FringeDataFile::parse("300,300,200\r\n0,0,0\r\n5\r\n2,1,1\r\n0,2,2\r\n"
                              "2,3,3\r\n1,4,4\r\n0,5,5\r\n632.8,632.8,.5\r\n0\r\n0\r\n"
                              "-1\r\n");
    FringeStore store;
    FringeEditor editor;
    editor.resetForNewImage(store);
    f.applyTo(store, editor);
    EXPECT_EQ(editor.activeFringe(), 0);
    ASSERT_EQ(store.pointCount(0), 2);
    EXPECT_EQ(store.pointX(0, 1), 2.0);
    EXPECT_EQ(store.pointX(0, 2), 5.0);
    ASSERT_EQ(store.pointCount(2), 2);
    EXPECT_EQ(store.pointX(2, 1), 1.0);
    EXPECT_EQ(store.pointX(2, 2), 3.0);
    EXPECT_EQ(store.pointCount(1), 1);
    EXPECT_TRUE(editor.groups().fringeTracing);
}

TEST(FringeDataFileRead, OlderLayoutConvertsTwipsToPixels) {
    const std::string text = "4500,3600,3000\r\n4350,3510,450\r\n1\r\n3,4515,3607.5\r\n"
                             "632.8,632.8,.5\r\n0\r\n0\r\n-1\r\n";
    FringeDataFile f = FringeDataFile::parse(text, Layout::OlderTwips);
    EXPECT_EQ(f.aperture, (ApertureCircle{300, 240, 200}));
    EXPECT_EQ(f.obstruction, (ApertureCircle{290, 234, 30}));
    ASSERT_EQ(f.points.size(), 1u);
    EXPECT_EQ(f.points[0], (FringePoint{3, 301, 240.5}));
    EXPECT_EQ(f.wavesPerFringe, 0.5f); // not a position: not converted

    // 120 dots per inch: 12 twips per pixel; each value passes through float.
    FringeDataFile g =
        FringeDataFile::parse("1000,1000,1000\r\n0,0,0\r\n0\r\n", Layout::OlderTwips, 12.0, 12.0);
    EXPECT_EQ(g.aperture.radiusPx, static_cast<double>(static_cast<float>(1000.0 / 12.0)));
    EXPECT_NE(g.aperture.radiusPx, 1000.0 / 12.0);
}

TEST(FringeDataFileRead, FileEndingAfterItsPointsLoadsPointsAndCircles) {
    FringeDataFile f =
        FringeDataFile::parse("312,240,205\r\n0,0,0\r\n2\r\n0,130,96\r\n1,141,88\r\n");
    EXPECT_EQ(f.points.size(), 2u);
    EXPECT_EQ(f.aperture.radiusPx, 205.0);
    EXPECT_FALSE(f.wavelengthsPresent);
    EXPECT_FALSE(f.asphericPresent);
    EXPECT_FALSE(f.isAspheric());
    EXPECT_EQ(f.activeFringeAfterLoad(), 1);
}

TEST(FringeDataFileRead, FileEndingAfterItsWavelengthsKeepsThem) {
    FringeDataFile f = FringeDataFile::parse("1,2,3\r\n0,0,0\r\n0\r\n532,632.8,1\r\n150\r\n");
    EXPECT_TRUE(f.wavelengthsPresent);
    EXPECT_EQ(f.inputWavelengthNm, 532.0);
    EXPECT_EQ(f.wavesPerFringe, 1.0f);
    EXPECT_FALSE(f.asphericPresent); // diameter alone does not make aspheric analysis
    EXPECT_FALSE(f.isAspheric());
}

TEST(FringeDataFileRead, ZeroPointsLoadCirclesAndSettingsWithFringeZeroActive) {
    FringeDataFile f = FringeDataFile::parse("312,240,205\r\n300,230,30\r\n0\r\n"
                                             "633,532,.25\r\n100\r\n2000\r\n-1\r\n");
    EXPECT_TRUE(f.points.empty());
    EXPECT_EQ(f.obstruction.radiusPx, 30.0);
    EXPECT_EQ(f.outputWavelengthNm, 532.0);
    EXPECT_TRUE(f.isAspheric());
    EXPECT_EQ(f.activeFringeAfterLoad(), 0);
}

TEST(FringeDataFileRead, HighFringesAreKeptButNeverWrittenNorActivated) {
    FringeDataFile f =
        FringeDataFile::parse("1,2,3\r\n0,0,0\r\n3\r\n4,1,1\r\n200,2,2\r\n150,3,3\r\n");
    EXPECT_EQ(f.activeFringeAfterLoad(), 4);
    FringeStore store;
    f.applyTo(store);
    EXPECT_EQ(store.pointCount(200), 1);
    EXPECT_EQ(store.pointCount(150), 1);
    EXPECT_EQ(store.totalPointCount(), 1); // 0..100 only
    FringeDataFile saved = FringeDataFile::fromStore(store);
    EXPECT_EQ(saved.points, (std::vector<FringePoint>{{4, 1, 1}}));
    EXPECT_EQ(f.toText().substr(0, 24), "1,2,3\r\n0,0,0\r\n1\r\n4,1,1\r\n");
}

// Loading twice a file that fills fringe 150 must not overflow that slot.
TEST(FringeDataFileRead, ReloadDoesNotAccumulateHighFringes) {
    std::string text = "1,2,3\r\n0,0,0\r\n200\r\n";
    for (int i = 0; i < 200; ++i)
        text += "150,1,1\r\n";
    FringeDataFile f = FringeDataFile::parse(text);
    FringeStore store;
    f.applyTo(store);
    f.applyTo(store);
    EXPECT_EQ(store.pointCount(150), 200);
}

TEST(FringeDataFileRead, TwoHundredPointsOnOneFringeAreAccepted) {
    std::string text = "1,2,3\r\n0,0,0\r\n200\r\n";
    for (int i = 0; i < 200; ++i)
        text += "7," + std::to_string(i) + ",1\r\n";
    EXPECT_EQ(FringeDataFile::parse(text).points.size(), 200u);
}

// A malformed file: its message names the line and the problem, and the store
// that was live before the load stays exactly as it was.
struct MalformedCase {
    const char* name;
    std::string text;
    std::string message;
};

std::string pointsOnFringe(int fringe, int count) {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += std::to_string(fringe) + ",1,1\r\n";
    return s;
}

class MalformedFile : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedFile, IsRefusedWithItsLineAndLeavesTheStoreAlone) {
    FringeStore store;
    FringeEditor editor;
    editor.resetForNewImage(store);
    store.aperture = {50, 60, 70};
    editor.selectActiveFringe(1);
    editor.addPointToActiveFringe(store, 9, 9);
    const FringeStore before = store;

    try {
        FringeDataFile::parse(GetParam().text).applyTo(store, editor);
        FAIL() << "accepted: " << GetParam().name;
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
    EXPECT_EQ(store, before);
    EXPECT_EQ(editor.activeFringe(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedFile,
    ::testing::Values(
        MalformedCase{"empty", "", "line 1: the file ends before the aperture centre x"},
        MalformedCase{"textInAperture", "312,abc,205\r\n",
                      "line 1: \"abc\" is not a number (the aperture centre y)"},
        MalformedCase{"shortObstruction", "312,240,205\r\n0,0\r\n",
                      "line 2: the file ends before the obstruction radius"},
        MalformedCase{"emptyField", "312,,205\r\n",
                      "line 1: an empty field where the aperture centre y was expected"},
        MalformedCase{"trailingComma", "312,240,205,\r\n0,0,0\r\n",
                      "line 1: an empty field where the obstruction centre x was expected"},
        MalformedCase{"negativeRadius", "312,240,-205\r\n",
                      "line 1: the aperture radius -205 is negative"},
        MalformedCase{"fractionalCount", "1,2,3\r\n0,0,0\r\n2.5\r\n",
                      "line 3: the number of points 2.5 is not a whole number"},
        MalformedCase{"negativeCount", "1,2,3\r\n0,0,0\r\n-1\r\n",
                      "line 3: the number of points -1 is negative"},
        MalformedCase{"hugeCount", "1,2,3\r\n0,0,0\r\n1E9\r\n",
                      "line 3: the number of points 1000000000 is more than a fringe file can "
                      "hold (40200)"},
        MalformedCase{"indexAbove200", "1,2,3\r\n0,0,0\r\n2\r\n0,1,1\r\n201,1,1\r\n",
                      "line 5: fringe index 201 is above 200"},
        MalformedCase{"negativeIndex", "1,2,3\r\n0,0,0\r\n1\r\n-1,1,1\r\n",
                      "line 4: fringe index -1 is negative"},
        MalformedCase{"fractionalIndex", "1,2,3\r\n0,0,0\r\n1\r\n1.5,1,1\r\n",
                      "line 4: fringe index 1.5 is not a whole number"},
        MalformedCase{"point201", "1,2,3\r\n0,0,0\r\n201\r\n" + pointsOnFringe(9, 201),
                      "line 204: fringe index 9 receives a 201st point; a fringe holds at most "
                      "200"},
        MalformedCase{"textInPoint", "1,2,3\r\n0,0,0\r\n2\r\n0,1,1\r\n0,1,y\r\n",
                      "line 5: \"y\" is not a number (the y of point 2 of 2)"},
        MalformedCase{"missingPoints", "1,2,3\r\n0,0,0\r\n3\r\n0,1,1\r\n0,2,2\r\n",
                      "line 5: the file ends before the fringe index of point 3 of 3"},
        MalformedCase{"pointCutShort", "1,2,3\r\n0,0,0\r\n1\r\n0,1\r\n",
                      "line 4: the file ends before the y of point 1 of 1"},
        MalformedCase{"badWavelength", "1,2,3\r\n0,0,0\r\n0\r\n632.8nm,632.8,.5\r\n",
                      "line 4: \"632.8nm\" is not a number (the input wavelength)"},
        MalformedCase{"badConic", "1,2,3\r\n0,0,0\r\n0\r\n632.8,632.8,.5\r\n0\r\n0\r\nK\r\n",
                      "line 7: \"K\" is not a number (the target conic constant)"},
        MalformedCase{"floatOverflow", "1,2,3\r\n0,0,0\r\n0\r\n632.8,632.8,1E300\r\n",
                      "line 4: 1E+300 is out of range for the waves per fringe"},
        MalformedCase{"wavelengthOverflow", "1,2,3\r\n0,0,0\r\n0\r\n632.8,1E39,.5\r\n",
                      "line 4: 1E+39 is out of range for the output wavelength"},
        MalformedCase{"diameterOverflow",
                      "1,2,3\r\n0,0,0\r\n0\r\n632.8,632.8,.5\r\n-4E38\r\n0\r\n-1\r\n",
                      "line 5: -4E+38 is out of range for the surface diameter"},
        MalformedCase{"doubleOverflow", "1E400,2,3\r\n",
                      "line 1: \"1E400\" is not a number (the aperture centre x)"},
        MalformedCase{"nan", "nan,2,3\r\n",
                      "line 1: \"nan\" is not a number (the aperture centre x)"},
        MalformedCase{"lineCountWithCrOnly", "1,2,3\r0,0,0\r1\r\r0,x,1\r",
                      "line 5: \"x\" is not a number (the x of point 1 of 1)"},
        MalformedCase{"quotedNumber", "\"312\",240,205\r\n",
                      "line 1: \"\"312\"\" is not a number (the aperture centre x)"},
        // Records that do not match the count: refused, never read as other values.
        MalformedCase{"duplicatedPointLine",
                      "320,240,216\r\n0,0,0\r\n3\r\n0,300,200\r\n1,310,210\r\n8,148.6,371.4\r\n"
                      "8,148.6,371.4\r\n632.8,632.8,.5\r\n0\r\n0\r\n-1\r\n",
                      "line 8: more values on this line than the surface diameter; does the number "
                      "of points on line 3 (3) match the point lines?"},
        MalformedCase{"extraFieldOnAPointLine",
                      "320,240,216\r\n0,0,0\r\n2\r\n0,300,200,7\r\n1,310,210\r\n"
                      "632.8,632.8,.5\r\n0\r\n0\r\n-1\r\n",
                      "line 4: more values on this line than point 1 of 2 (fringe, x, y); does the "
                      "number of points on line 3 (2) match the point lines?"},
        MalformedCase{"firstLineLacksTheRadius",
                      "356.5,289.5\r\n0,0,0\r\n2\r\n0,300,200\r\n1,310,210\r\n"
                      "632.8,632.8,.5\r\n0\r\n0\r\n-1\r\n",
                      "line 4: more values on this line than the number of points; does the number "
                      "of points on line 4 (0) match the point lines?"},
        MalformedCase{"oneFieldPerLine",
                      "312\r\n240\r\n205\r\n0\r\n0\r\n0\r\n2\r\n0\r\n130\r\n96\r\n"
                      "0\r\n141\r\n88\r\n632.8\r\n632.8\r\n.5\r\n0\r\n0\r\n-1\r\n",
                      "line 8: point 1 of 2 is cut short: each point is one line \"fringe, x, y\"; "
                      "does the number of points on line 7 (2) match the point lines?"},
        MalformedCase{"allOnOneLine", "312,240,205,0,0,0,2,0,130,96,0,141,88,632.8,632.8,.5,0,0,-1",
                      "line 1: more values on this line than the number of points; does the number "
                      "of points on line 1 (2) match the point lines?"},
        MalformedCase{"linesAfterTheLast",
                      "312,240,205\r\n0,0,0\r\n2\r\n0,130,96\r\n0,141,88\r\n"
                      "632.8,632.8,.5\r\n0\r\n0\r\n-1\r\nwhatever\r\n",
                      "line 10: more lines than the points and settings fill; does the number of "
                      "points on line 3 (2) match the point lines?"},
        // The fringe orders after the settings.
        MalformedCase{"orderOfAnEmptyFringe",
                      "312,240,205\r\n0,0,0\r\n1\r\n0,130,96\r\n632.8,632.8,.5\r\n0\r\n0\r\n-1\r\n"
                      "1\r\n4,0\r\n",
                      "line 10: fringe index 4 is given an order but holds no points"},
        MalformedCase{"orderTwice",
                      "312,240,205\r\n0,0,0\r\n1\r\n0,130,96\r\n632.8,632.8,.5\r\n0\r\n0\r\n-1\r\n"
                      "2\r\n0,3\r\n0,4\r\n",
                      "line 11: fringe index 0 is given an order a second time"},
        MalformedCase{"orderOutOfRange",
                      "312,240,205\r\n0,0,0\r\n1\r\n0,130,96\r\n632.8,632.8,.5\r\n0\r\n0\r\n-1\r\n"
                      "1\r\n0,101\r\n",
                      "line 10: the order 101 of fringe index 0 is not a whole number from 0 to "
                      "100"},
        MalformedCase{"pointLineAfterTheSettings",
                      "312,240,205\r\n0,0,0\r\n1\r\n0,130,96\r\n632.8,632.8,.5\r\n0\r\n0\r\n-1\r\n"
                      "0,141,88\r\n",
                      "line 9: more lines than the points and settings fill; does the number of "
                      "points on line 3 (1) match the point lines?"},
        // Values checked as the same options are.
        MalformedCase{"zeroInputWavelength",
                      "312,240,205\r\n0,0,0\r\n1\r\n0,130,96\r\n0,632.8,.5\r\n",
                      "line 5: the input wavelength 0 nm is outside 100 .. 100000 nm"},
        MalformedCase{"negativeOutputWavelength",
                      "312,240,205\r\n0,0,0\r\n1\r\n0,130,96\r\n632.8,-632.8,.5\r\n",
                      "line 5: the output wavelength -632.8 nm is outside 100 .. 100000 nm"},
        MalformedCase{"subnormalWavelength",
                      "312,240,205\r\n0,0,0\r\n1\r\n0,130,96\r\n1e-320,632.8,.5\r\n",
                      "line 5: the input wavelength 9.999889E-321 nm is outside 100 .. 100000 nm"},
        MalformedCase{"zeroWavesPerFringe",
                      "312,240,205\r\n0,0,0\r\n1\r\n0,130,96\r\n632.8,632.8,0\r\n",
                      "line 5: the waves per fringe must not be 0"},
        MalformedCase{"obstructionLargerThanTheAperture",
                      "312,240,205\r\n312,240,300\r\n1\r\n0,130,96\r\n",
                      "line 2: the obstruction (centre 312, 240, radius 300) does not lie inside "
                      "the aperture (centre 312, 240, radius 205)"},
        MalformedCase{"pointsWithoutAnAperture", "0,0,0\r\n0,0,0\r\n1\r\n0,130,96\r\n",
                      "line 1: the aperture radius 0 is not above 0 (no aperture is marked)"},
        MalformedCase{"longGarbageIsShortened", "abcdefghijklmnopqrstuvwxyz0123456789\r\n",
                      "line 1: \"abcdefghijklmnopqrstuvwx...\" is not a number (the aperture "
                      "centre x)"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(FringeDataFileRead, OlderLayoutRefusesValuesBeyondSinglePrecision) {
    EXPECT_THROW(FringeDataFile::parse("1E200,1,1\r\n", Layout::OlderTwips), FileError);
}

TEST(FringeDataFileRead, TwipsFactorMustBePositive) {
    EXPECT_THROW(FringeDataFile::parse(kExample, Layout::OlderTwips, 0.0, 15.0),
                 std::invalid_argument);
}

TEST(FringeDataFileWrite, ExampleIsWrittenInItsLayout) {
    FringeStore store;
    store.aperture = {312, 240, 205};
    store.addPoint(0, 130, 96);
    store.addPoint(0, 141, 88);
    FringeDataFile f = FringeDataFile::fromStore(store);
    f.setStandardAnalysis();
    EXPECT_EQ(f.toText(), "312,240,205\r\n0,0,0\r\n2\r\n0,130,96\r\n0,141,88\r\n"
                          "632.8,632.8,0.5\r\n0\r\n0\r\n-1\r\n");
}

// Two rings of one order stay two fringes: the orders follow the settings
// and come back with the points.
TEST(FringeDataFileWrite, ExplicitOrdersFollowTheSettingsAndLoadBack) {
    FringeStore store;
    store.aperture = {312, 240, 205};
    store.addPoint(0, 130, 96);
    store.addPoint(1, 141, 88);
    store.addPoint(2, 150, 80);
    store.addPoint(3, 160, 70);
    store.setFringeOrder(2, 1);
    store.setFringeOrder(3, 7);
    store.setFringeOrder(4, 9); // no points: not written
    FringeDataFile f = FringeDataFile::fromStore(store);
    f.setStandardAnalysis();
    const std::string text = f.toText();
    EXPECT_TRUE(text.ends_with("632.8,632.8,0.5\r\n0\r\n0\r\n-1\r\n2\r\n2,1\r\n3,7\r\n")) << text;
    FringeStore loaded;
    FringeDataFile::parse(text).applyTo(loaded);
    store.clearFringe(4);
    EXPECT_EQ(loaded, store);
}

TEST(FringeDataFileWrite, DigitsFollowEachValuesPrecision) {
    FringeDataFile f;
    f.aperture = {1.0 / 3.0, 2e-7, 123456.789012345678};
    f.wavesPerFringe = 1.0f / 3.0f;
    f.surfaceDiameterMm = 152.4;
    f.curvatureRadiusMm = 1219.2;
    f.targetConic = -1.05;
    const std::string text = f.toText();
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "0.333333333333333,2E-07,123456.789012346");
    EXPECT_NE(text.find("632.8,632.8,0.3333333\r\n152.4\r\n1219.2\r\n-1.05\r\n"),
              std::string::npos);
}

// The target conic constant is saved as typed (a double, 15 digits) and read
// back in single precision like the other aspheric values.
TEST(FringeDataFileWrite, TargetConicKeepsFifteenDigits) {
    FringeDataFile f;
    f.surfaceDiameterMm = 150;
    f.targetConic = -1.23456789012;
    const std::string text = f.toText();
    EXPECT_TRUE(text.ends_with("\r\n150\r\n0\r\n-1.23456789012\r\n")) << text;
    EXPECT_EQ(FringeDataFile::parse(text).targetConic,
              static_cast<double>(static_cast<float>(-1.23456789012)));
}

// A target beyond single precision could be written but never read back, and
// the whole file with its points would then be lost: saving refuses it.
TEST(FringeDataFileWrite, TargetConicBeyondSinglePrecisionIsNotSaved) {
    FringeDataFile f;
    f.targetConic = -1e39;
    EXPECT_THROW((void)f.toText(), FileError);
}

TEST(FringeDataFileWrite, ClearedApertureIsStillSaved) {
    FringeStore store;
    FringeEditor editor;
    editor.resetForNewImage(store);
    editor.startApertureConstruction();
    editor.addConstructionClick(store, 0, 0);
    editor.addConstructionClick(store, 2, 0);
    editor.addConstructionClick(store, 0, 2);
    editor.clearAperture();
    const std::string text = FringeDataFile::fromStore(store).toText();
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "1,1,1.4142135623731");
}

TEST(FringeDataFileWrite, NonFiniteValuesAreNotSavedAsZero) {
    FringeDataFile f;
    f.points.push_back({0, std::numeric_limits<double>::infinity(), 1});
    EXPECT_THROW((void)f.toText(), FileError);
}

// Random store contents with fractional coordinates survive write and read:
// exactly where 15 digits hold the value, and in any case a second save
// writes the same text.
TEST(FringeDataFileRoundTrip, RandomPointsSurviveSaveAndLoad) {
    std::mt19937 rng(20240601);
    std::uniform_real_distribution<double> pos(0.0, 800.0);
    std::uniform_int_distribution<int> fringe(0, 100);
    std::uniform_int_distribution<int> sixteenths(0, 800 * 16);
    for (int trial = 0; trial < 20; ++trial) {
        FringeStore store;
        store.aperture = {pos(rng), pos(rng), 20.0 + pos(rng)};
        // Centred to within 1/16 pixel: inside the aperture, exact in the file.
        store.obstruction = {std::round(store.aperture.centerXPx * 16.0) / 16.0,
                             std::round(store.aperture.centerYPx * 16.0) / 16.0, 12.5};
        for (int i = 0; i < 300; ++i) {
            const bool exact = (i % 2) == 0;
            const double x = exact ? sixteenths(rng) / 16.0 : pos(rng);
            const double y = exact ? sixteenths(rng) / 16.0 : pos(rng);
            store.addPoint(fringe(rng), x, y);
        }
        FringeDataFile saved = FringeDataFile::fromStore(store);
        saved.inputWavelengthNm = 632.8;
        saved.outputWavelengthNm = 532.0;
        saved.wavesPerFringe = 0.5f;
        saved.surfaceDiameterMm = 203.2;
        saved.curvatureRadiusMm = 2032.5;
        saved.targetConic = -1.0f;

        const std::string text = saved.toText();
        FringeDataFile loaded = FringeDataFile::parse(text);
        EXPECT_EQ(loaded.toText(), text);
        ASSERT_EQ(loaded.points.size(), saved.points.size());
        for (std::size_t i = 0; i < saved.points.size(); ++i) {
            const FringePoint& s = saved.points[i];
            const FringePoint& l = loaded.points[i];
            EXPECT_EQ(l.fringe, s.fringe);
            EXPECT_EQ(l.xPx, *parseStrict(formatSignificant(s.xPx, 15)));
            EXPECT_EQ(l.yPx, *parseStrict(formatSignificant(s.yPx, 15)));
            EXPECT_NEAR(l.xPx, s.xPx, 1e-12);
        }
        EXPECT_EQ(loaded.obstruction, saved.obstruction);
        EXPECT_EQ(loaded.wavesPerFringe, saved.wavesPerFringe);
        EXPECT_EQ(loaded.targetConic, saved.targetConic);
        EXPECT_EQ(loaded.surfaceDiameterMm, saved.surfaceDiameterMm);
        EXPECT_TRUE(loaded.isAspheric());

        FringeStore reloaded;
        FringeEditor editor;
        loaded.applyTo(reloaded, editor);
        for (int f = 0; f <= 100; ++f)
            ASSERT_EQ(reloaded.pointCount(f), store.pointCount(f)) << "fringe " << f;
        EXPECT_EQ(editor.activeFringe(), saved.points.back().fringe);
    }
}

class TempFolder : public ::testing::Test {
protected:
    const test::ScratchFolder dir{"frg"};
};

TEST_F(TempFolder, SaveThenLoadThroughTheDisk) {
    FringeDataFile f = FringeDataFile::parse(kExample);
    f.writeFile(dir / "a.frg");
    EXPECT_EQ(readTextFile(dir / "a.frg"), f.toText());
    EXPECT_EQ(FringeDataFile::readFile(dir / "a.frg"), f);
    EXPECT_FALSE(std::filesystem::exists(dir / "a.frg.part"));
}

TEST_F(TempFolder, MissingFileIsAFileError) {
    EXPECT_THROW(FringeDataFile::readFile(dir / "none.frg"), FileError);
    EXPECT_THROW(FringeDataFile::readFile(dir), FileError);
}

TEST_F(TempFolder, OversizedFileIsRefusedBeforeReading) {
    const std::string text(5000, '1');
    writeTextFileReplacing(dir / "big.frg", text);
    EXPECT_EQ(readTextFile(dir / "big.frg", 5000), text);
    EXPECT_THROW(readTextFile(dir / "big.frg", 4999), FileError);
}

// A picture chosen by mistake: refused on line 1 with a printable message.
TEST(FringeDataFileRead, BinaryBytesGiveAPlainMessage) {
    try {
        FringeDataFile::parse(std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10));
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "line 1: \"??????JFIF\" is not a number (the aperture centre x)");
    }
}

// A folder named like the old fixed temporary name once blocked every save;
// the temporary name is now unique and such a name is left alone.
TEST_F(TempFolder, FolderNamedLikeATemporaryNoLongerBlocksTheWrite) {
    const std::filesystem::path target = dir / "keep.frg";
    FringeDataFile::parse(kExample).writeFile(target);
    std::filesystem::create_directory(dir / "keep.frg.part");
    FringeDataFile other = FringeDataFile::parse(kExample);
    other.points.push_back({0, 1, 2});
    other.writeFile(target);
    EXPECT_EQ(readTextFile(target), other.toText());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "keep.frg.part"));
}

// A folder no user can write to, root included: its path runs through a
// regular file. The write fails naming the file, and the file in the way stays.
TEST_F(TempFolder, UnwritableFolderLeavesTheOldFileIntact) {
    const std::filesystem::path notAFolder = dir / "keep.frg";
    FringeDataFile::parse(kExample).writeFile(notAFolder);
    const std::string old = readTextFile(notAFolder);
    FringeDataFile other;
    try {
        other.writeFile(notAFolder / "new.frg");
        FAIL() << "write reported success";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("new.frg"), std::string::npos) << e.what();
    }
    EXPECT_EQ(readTextFile(notAFolder), old);
}

} // namespace
} // namespace lumi
