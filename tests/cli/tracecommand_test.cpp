#include "cli/exitcodes.h"
#include "clirun.h"
#include "fringe/fringedatafile.h"
#include "jsonread.h"

#include <gtest/gtest.h>

#include <QImage>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <numbers>

namespace lumi::cli::test {
namespace {

// Sample 1: tilt 2.1 and -0.9 waves; one seed on each of its nine dark fringes, on
// the line through the centre along the wavefront's slope, lowest fringe first.
// The coefficients `analyze --terms 9 --json` fits to a traced fringe file (waves,
// term t at index t); empty, with the failure reported, when analyze fails.
std::vector<double> fittedNineTerms(const std::string& frg) {
    const CliRun a = runCliWith({"analyze", frg, "--terms", "9", "--json"});
    EXPECT_EQ(a.status, kExitOk) << a.err;
    const Json analysis = parseJson(a.out);
    if (a.status != kExitOk || analysis.is_discarded()) {
        ADD_FAILURE() << "analyze " << frg << ": " << a.out;
        return {};
    }
    return analysis.at("fittedCoefficients").get<std::vector<double>>();
}

const std::string kSample1Seeds =
    "157,309;198,291;240,273;281,256;322,238;363,220;404,203;446,185;487,167";

std::string sample1() {
    return sourcePath("resources/samples/sample1.jpg").string();
}

// The specified trace and the fringe-following one ("--follow").
class TraceSample1 : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(TraceSample1, IntoAFileThatAnalyzesToItsTilt) {
    const ScratchFolder dir("trace-sample1");
    const std::string out = (dir / "s1.frg").string();
    std::vector<std::string> args{"trace",   sample1(),     "--aperture", "322,238,205",
                                  "--seeds", kSample1Seeds, "--optimize", "--out",
                                  out,       "--json"};
    args.insert(args.end(), GetParam().begin(), GetParam().end());
    const CliRun t = runCliWith(args);
    ASSERT_EQ(t.status, kExitOk) << t.err;
    const Json json = parseJson(t.out);
    ASSERT_FALSE(json.is_discarded()) << t.out;
    EXPECT_EQ(json.at("fringeCount").get<double>(), 9.0);
    EXPECT_EQ(json.at("fringes").size(), 9u);

    const FringeDataFile file = FringeDataFile::readFile(out);
    EXPECT_EQ(file.aperture, (ApertureCircle{322, 238, 205}));
    EXPECT_EQ(static_cast<double>(file.points.size()), json.at("pointCount").get<double>());

    const std::vector<double> fitted = fittedNineTerms(out);
    ASSERT_GE(fitted.size(), 9u);
    EXPECT_NEAR(fitted[1], 2.1, 0.01);
    EXPECT_NEAR(fitted[2], -0.9, 0.01);
    for (std::size_t term = 3; term < 9; ++term)
        EXPECT_NEAR(fitted[term], 0.0, 0.01) << "term " << term;
}

INSTANTIATE_TEST_SUITE_P(Modes, TraceSample1,
                         ::testing::Values(std::vector<std::string>{},
                                           std::vector<std::string>{"--follow"}),
                         [](const auto& p) { return p.param.empty() ? "specified" : "follow"; });

// Three dark rings of a wavefront that turns over near the edge: W = 0.5 x
// (0.5 + b rho^2 + c rho^4) waves (0.5 waves per fringe), highest (2.4
// fringes) at rho 0.75, so the rings at rho 0.28, 0.55 and 0.91 (radius 180
// px) are fringes 1, 2 and 2 again. In Zernike terms: 0.25 (b + c) waves of
// term 3 and 0.5 c / 6 of term 8.
constexpr double kRingB = 6.756;
constexpr double kRingC = -6.005;

std::string ringPicture(const std::filesystem::path& dir) {
    QImage picture(400, 400, QImage::Format_RGB32);
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x) {
            const double r2 = (std::pow(x - 200.0, 2) + std::pow(y - 200.0, 2)) / (180.0 * 180.0);
            const double fringes = 0.5 + kRingB * r2 + kRingC * r2 * r2;
            const int v = static_cast<int>(
                std::lround(127.5 * (1.0 - std::cos(2.0 * std::numbers::pi * fringes))));
            picture.setPixel(x, y, qRgb(v, v, v));
        }
    const std::string path = (dir / "rings.bmp").string();
    EXPECT_TRUE(picture.save(QString::fromStdString(path)));
    return path;
}

struct RingSeeding {
    const char* name;
    const char* seeds; // on the rings along +x from the centre, inner first
    bool fitsTheTruth;
};

class TraceRings : public ::testing::TestWithParam<RingSeeding> {};

TEST_P(TraceRings, FitTheWavefrontWhenTheOuterRingHasTheInnerRingsOrder) {
    const ScratchFolder dir("trace-rings");
    const std::string out = (dir / "rings.frg").string();
    const CliRun t = runCliWith({"trace", ringPicture(dir), "--aperture", "200,200,180", "--seeds",
                                 GetParam().seeds, "--out", out, "--json"});
    ASSERT_EQ(t.status, kExitOk) << t.err;
    const Json json = parseJson(t.out);
    ASSERT_FALSE(json.is_discarded()) << t.out;
    ASSERT_EQ(json.at("fringes").size(), 3u);
    // Each ring is its own fringe with its own points, all the way round.
    for (const Json& fringe : json.at("fringes"))
        EXPECT_GT(fringe.at("points").size(), 25u) << fringe.at("fringe");

    const std::vector<double> fitted = fittedNineTerms(out);
    ASSERT_GE(fitted.size(), 9u);
    const double defocus = 0.25 * (kRingB + kRingC);
    const double spherical = 0.5 * kRingC / 6.0;
    const double miss = std::max(std::fabs(fitted[3] - defocus), std::fabs(fitted[8] - spherical));
    if (GetParam().fitsTheTruth) {
        EXPECT_EQ(json.at("fringes")[2].at("order").get<double>(), 1.0);
        EXPECT_LT(miss, 0.02) << "defocus " << fitted[3] << ", spherical " << fitted[8];
        for (const std::size_t term : {1u, 2u, 4u, 5u, 6u, 7u})
            EXPECT_NEAR(fitted[term], 0.0, 0.01) << "term " << term;
    } else {
        EXPECT_GT(miss, 0.2); // the outer ring taken one fringe too high
    }
}

INSTANTIATE_TEST_SUITE_P(
    Orders, TraceRings,
    ::testing::Values(RingSeeding{"outerRingAtFringe2", "251,200;299,200;363,200@2", true},
                      RingSeeding{"everyOrderGiven", "251,200@1;299,200@2;363,200@2", true},
                      RingSeeding{"seedOrderOnly", "251,200;299,200;363,200", false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(TraceCommand, FollowReportsTwoSeedsOnOneFringe) {
    const ScratchFolder dir("trace-follow-stops");
    const std::string out = (dir / "s1.frg").string();
    // Seeds 1 and 2 both on the first dark fringe of sample 1.
    const std::vector<std::string> args{"trace",       sample1(), "--aperture",
                                        "322,238,205", "--seeds", "157,309;160,307;240,273",
                                        "--follow",    "--out",   out};
    const CliRun text = runCliWith(args);
    ASSERT_EQ(text.status, kExitOk) << text.err;
    EXPECT_NE(text.out.find("Fringe 2 stopped at (1"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("it came within half a fringe period of fringe 1."), std::string::npos)
        << text.out;

    std::vector<std::string> jsonArgs = args;
    jsonArgs.push_back("--json");
    const CliRun t = runCliWith(jsonArgs);
    ASSERT_EQ(t.status, kExitOk) << t.err;
    const Json json = parseJson(t.out);
    ASSERT_FALSE(json.is_discarded()) << t.out;
    bool secondStopped = false;
    for (const Json& stop : json.at("stops")) {
        EXPECT_NE(stop.at("fringe").get<double>(), 2.0) << "the third fringe is on its own";
        if (stop.at("fringe").get<double>() == 1.0) {
            EXPECT_EQ(stop.at("reason").get<std::string>(), "nearOtherFringe");
            EXPECT_EQ(stop.at("otherFringe").get<double>(), 0.0);
            secondStopped = true;
        }
    }
    EXPECT_TRUE(secondStopped) << t.out;
}

struct BadTrace {
    const char* name;
    std::vector<std::string> args; // after "trace IMAGE"; --out is added
    const char* message;
};

class TraceRejects : public ::testing::TestWithParam<BadTrace> {};

TEST_P(TraceRejects, WithStatus2AndNoFile) {
    const ScratchFolder dir("trace-rejects");
    const auto out = dir / "x.frg";
    std::vector<std::string> args{"trace"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    args.insert(args.end(), {"--out", out.string()});
    const CliRun r = runCliWith(args);
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, TraceRejects,
    ::testing::Values(
        BadTrace{"not_a_picture",
                 {sourcePath("examples/defocus-rings.frg").string(), "--aperture", "1,1,1",
                  "--seeds", "1,1;2,2"},
                 "defocus-rings.frg: it is not a picture"},
        BadTrace{"missing_picture",
                 {"/nonexistent/none.jpg", "--aperture", "1,1,1", "--seeds", "1,1;2,2"},
                 "none.jpg for reading: it does not exist"},
        BadTrace{"seed_outside",
                 {sample1(), "--aperture", "322,238,205", "--seeds", "100,100;640,100"},
                 "seed 2 (640, 100) lies outside the picture"},
        BadTrace{"one_seed",
                 {sample1(), "--aperture", "322,238,205", "--seeds", "100,100"},
                 "place one seed on each fringe"},
        BadTrace{"seeds_coincide",
                 {sample1(), "--aperture", "322,238,205", "--seeds", "100,100;100,100;120,100"},
                 "the first two seeds lie on one position"},
        BadTrace{"aperture_centre_outside",
                 {sample1(), "--aperture", "-5,238,205", "--seeds", "100,100;120,100"},
                 "lies outside the picture"},
        BadTrace{"zero_radius",
                 {sample1(), "--aperture", "322,238,0", "--seeds", "1,1;2,2"},
                 "the radius must be above 0"},
        BadTrace{"obstruction_beyond_aperture",
                 {sample1(), "--aperture", "322,238,205", "--obstruction", "322,238,300", "--seeds",
                  "100,100;120,100"},
                 "must lie inside the aperture"},
        BadTrace{"bad_seed_text",
                 {sample1(), "--aperture", "322,238,205", "--seeds", "100;120,100"},
                 "is not of the form X,Y"},
        BadTrace{"seed_order_not_a_fringe_number",
                 {sample1(), "--aperture", "322,238,205", "--seeds", "100,100;120,100@0"},
                 "seed 2 asks for fringe \"0\"; after @ a fringe number from 1 to 101 is needed"},
        BadTrace{"seed_after_fringe_101",
                 {sample1(), "--aperture", "322,238,205", "--seeds", "100,100@101;120,100"},
                 "seed 2 would follow fringe 101, the highest"},
        BadTrace{"spacing_out_of_range",
                 {sample1(), "--aperture", "322,238,205", "--seeds", "1,1;2,2", "--spacing", "4"},
                 "a whole number from 5 to 40"},
        BadTrace{"radius_beyond_single_precision",
                 {sample1(), "--aperture", "322,238,1e300", "--seeds", "100,100;120,100"},
                 "does not fit the picture (640 x 480 pixels)"},
        BadTrace{"aperture_far_beyond_the_picture",
                 {sample1(), "--aperture", "322,238,1e12", "--seeds", "100,100;120,100"},
                 "--aperture: the aperture (centre (322, 238), radius 1E+12) does not fit"},
        BadTrace{"aperture_just_beyond_the_grown_picture",
                 {sample1(), "--aperture", "322,238,718.5", "--seeds", "100,100;120,100"},
                 "does not fit the picture"},
        BadTrace{"input_wavelength_out_of_range",
                 {sample1(), "--aperture", "322,238,205", "--seeds", "100,100;120,100",
                  "--input-wavelength", "0"},
                 "--input-wavelength: the input wavelength 0 nm is outside 100 .. 100000 nm"},
        BadTrace{"waves_per_fringe_zero",
                 {sample1(), "--aperture", "322,238,205", "--seeds", "100,100;120,100",
                  "--waves-per-fringe", "0"},
                 "--waves-per-fringe: the waves per fringe must not be 0"},
        BadTrace{"no_aperture", {sample1(), "--seeds", "1,1;2,2"}, "--aperture CX,CY,R is needed"}),
    [](const auto& p) { return std::string(p.param.name); });

// Both picture commands read through the window's loader: a FIFO is refused
// at once instead of blocking, a truncated JPEG instead of tracing its grey.
TEST(PictureCommands, RefuseHostilePicturesNamingTheFile) {
    const ScratchFolder dir("hostile-pictures");
    const auto fifo = dir / "pipe.jpg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto cut = dir / "cut.jpg";
    std::filesystem::copy_file(sample1(), cut);
    std::filesystem::resize_file(cut, 3000);
    struct Case {
        std::filesystem::path picture;
        const char* reason;
    };
    for (const Case& c : {Case{fifo, "not a regular file"}, Case{cut, "truncated"}}) {
        const std::string in = c.picture.string();
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"trace", in, "--aperture", "322,238,205", "--seeds",
                                       "130,238;170,238", "--out", (dir / "t.frg").string()},
              std::vector<std::string>{"image", in, (dir / "out.bmp").string(), "--invert"}}) {
            const CliRun r = runCliWith(args);
            EXPECT_EQ(r.status, kExitBadInput) << args[0] << " " << in;
            EXPECT_NE(r.err.find(in), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "t.frg"));
    EXPECT_FALSE(std::filesystem::exists(dir / "out.bmp"));
}

} // namespace
} // namespace lumi::cli::test
