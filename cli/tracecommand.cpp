#include "cli/tracecommand.h"

#include "cli/commandusage.h"
#include "cli/exitcodes.h"
#include "cli/jsonwriter.h"
#include "cli/optiontable.h"
#include "cli/usageerror.h"
#include "common/fileerror.h"
#include "common/numbertext.h"
#include "common/outputfiles.h"
#include "common/valuelimits.h"
#include "fringe/fringedatafile.h"
#include "fringe/fringeoptimizer.h"
#include "fringe/fringestore.h"
#include "report/tracestoptexts.h"
#include "ui/picture/imageconversion.h"
#include "ui/picture/pictureloader.h"

#include <array>
#include <cmath>
#include <ostream>

namespace lumi::cli {
namespace {

constexpr const char* kUsage =
    "Usage: lumivorexan-cli trace IMAGE --aperture CX,CY,R [--obstruction CX,CY,R]\n"
    "         --seeds \"X,Y;X,Y@N;...\" [--spacing N] [--follow] [--optimize] [--sub-pixel]\n"
    "         [--waves-per-fringe W] [--input-wavelength NM] --out FILE.frg [--json]\n";

// "X,Y;X,Y@N;...": the seeds and their fringe orders (fringe number N shown
// to the user is order N - 1; without @N one above the seed before).
void parseSeeds(std::string_view text, TraceRequest& r) {
    r.seeds.clear();
    r.seedOrders.clear();
    std::size_t start = 0;
    int order = 0;
    for (;;) {
        const std::size_t end = text.find(';', start);
        std::string_view one = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        const std::size_t at = one.find('@');
        if (at != std::string_view::npos) {
            const std::string_view number = one.substr(at + 1);
            const auto n = parseStrict(number);
            if (!n || *n != std::floor(*n) || *n < 1.0 || *n > FringeStore::kMaxFringeOrder + 1.0)
                throw UsageError("--seeds: seed " + std::to_string(r.seeds.size() + 1) +
                                 " asks for fringe \"" + std::string(number) +
                                 "\"; after @ a fringe number from 1 to " +
                                 std::to_string(FringeStore::kMaxFringeOrder + 1) + " is needed");
            order = static_cast<int>(*n) - 1;
            one = one.substr(0, at);
        } else if (!r.seedOrders.empty() && r.seedOrders.back() == FringeStore::kMaxFringeOrder) {
            throw UsageError("--seeds: seed " + std::to_string(r.seeds.size() + 1) +
                             " would follow fringe " +
                             std::to_string(FringeStore::kMaxFringeOrder + 1) +
                             ", the highest; give it its fringe with @N");
        }
        const std::vector<double> v = parseOptionNumberList("--seeds", one, ',', 2, "X,Y");
        r.seeds.push_back({v[0], v[1]});
        r.seedOrders.push_back(order);
        ++order;
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
}

void addTraceOptions(OptionTable& table, TraceRequest& r) {
    table.addFlag("--help", "Show this help and exit.", [&r] { r.helpRequested = true; });
    table.addValue("--aperture", "CX,CY,R", "Aperture circle in image pixels (needed).",
                   [&r](std::string_view v) { r.aperture = parseOptionCircle("--aperture", v); });
    table.addValue(
        "--obstruction", "CX,CY,R", "Central obstruction in image pixels. Default: none.",
        [&r](std::string_view v) { r.obstruction = parseOptionCircle("--obstruction", v); });
    table.addValue("--seeds", "X,Y;X,Y@N;...",
                   "One point on each dark fringe, in fringe order, ideally on a line\n"
                   "across the fringes (needed; 2 to 101 seeds). A seed's fringe is one\n"
                   "above the seed before it (the first is fringe 1); \"@N\" after a seed\n"
                   "gives it fringe number N instead, e.g. \"@2\" for a second ring of\n"
                   "fringe 2 where the wavefront turns over.",
                   [&r](std::string_view v) { parseSeeds(v, r); });
    table.addValue("--spacing", "N",
                   "Step between traced points = aperture radius / N, 5..40. Default 20.",
                   [&r](std::string_view v) {
                       const double n = parseOptionNumber("--spacing", v);
                       if (!(n >= 5.0 && n <= 40.0) || n != std::floor(n))
                           throw UsageError("--spacing: a whole number from 5 to 40 is needed");
                       r.pointSpacing = static_cast<int>(n);
                   });
    table.addFlag("--follow",
                  "Follow each fringe along its own direction, with a search sized to\n"
                  "the local fringe period (fringes down to about 6 px), and stop a\n"
                  "fringe where it leaves its dark line instead of running across its\n"
                  "neighbours; every early stop is reported.",
                  [&r] { r.follow = true; });
    table.addFlag("--optimize", "Optimise every traced fringe of up to 100 points afterwards.",
                  [&r] { r.optimize = true; });
    table.addFlag("--sub-pixel",
                  "Centre each refined point between whole pixels (window sums averaged\n"
                  "along the fringe, parabola through the darkest) instead of on the\n"
                  "darkest whole pixel.",
                  [&r] { r.subPixel = true; });
    table.addValue("--waves-per-fringe", "W",
                   "Waves per fringe saved in the file (not 0). Default 0.5.",
                   [&r](std::string_view v) {
                       r.wavesPerFringe = parseOptionWavesPerFringe("--waves-per-fringe", v);
                   });
    table.addValue("--input-wavelength", "NM",
                   "Input (and output) wavelength saved in the file. Default 632.8.",
                   [&r](std::string_view v) {
                       r.inputWavelengthNm =
                           parseOptionWavelength("--input-wavelength", "the input wavelength", v);
                   });
    table.addValue("--out", "FILE.frg", "The fringe data file to write (needed; replaced).",
                   [&r](std::string_view v) { r.outFile = std::string(v); });
    table.addFlag("--json",
                  "Print one JSON object: file, fringeCount, pointCount and fringes\n"
                  "(each with its index, its order (0-based) and points as [x, y] pairs).",
                  [&r] { r.json = true; });
}

bool insidePicture(const PixelGrid& grid, double x, double y) {
    return x >= 0.0 && y >= 0.0 && x <= grid.width() - 1.0 && y <= grid.height() - 1.0;
}

std::string pointText(double x, double y) {
    return "(" + formatShortest(x) + ", " + formatShortest(y) + ")";
}

// The geometry must fit the picture; throws UsageError saying what does not.
void checkGeometry(const TraceRequest& r, const PixelGrid& grid) {
    const ApertureCircle& a = r.aperture;
    if (!insidePicture(grid, a.centerXPx, a.centerYPx))
        throw UsageError("--aperture: the centre " + pointText(a.centerXPx, a.centerYPx) +
                         " lies outside the picture");
    const ApertureCircle& o = r.obstruction;
    // The window's rule for what a file made on another picture may hold; the
    // obstruction, which must lie inside the aperture, then fits too.
    if (auto problem = circleNearPictureProblem("the aperture", a.centerXPx, a.centerYPx,
                                                a.radiusPx, grid.width(), grid.height()))
        throw UsageError("--aperture: " + *problem);
    if (o.radiusPx > 0.0 &&
        (std::hypot(o.centerXPx - a.centerXPx, o.centerYPx - a.centerYPx) + o.radiusPx >=
         a.radiusPx))
        throw UsageError("--obstruction: the circle must lie inside the aperture");
    for (std::size_t i = 0; i < r.seeds.size(); ++i)
        if (!insidePicture(grid, r.seeds[i].xPx, r.seeds[i].yPx))
            throw UsageError("--seeds: seed " + std::to_string(i + 1) + " " +
                             pointText(r.seeds[i].xPx, r.seeds[i].yPx) +
                             " lies outside the picture (" + std::to_string(grid.width()) + " x " +
                             std::to_string(grid.height()) + " pixels)");
}

constexpr CommandUsage kCommand{"trace", kUsage};

std::string outcomeText(FringeTracer::Outcome outcome) {
    switch (outcome) {
    case FringeTracer::Outcome::Traced: break;
    case FringeTracer::Outcome::TooFewSeeds:
        return "--seeds: place one seed on each fringe, at least two";
    case FringeTracer::Outcome::TooManySeeds: return "--seeds: at most 101 seeds (fringes 1..101)";
    case FringeTracer::Outcome::SeedsCoincide:
        return "--seeds: the first two seeds lie on one position; they give the direction across "
               "the fringes";
    case FringeTracer::Outcome::BadStep:
        return "--aperture: the radius is too large for a step of radius / spacing";
    }
    return {};
}

} // namespace

TraceRequest parseTraceArguments(std::span<const std::string> args) {
    TraceRequest r;
    OptionTable table;
    addTraceOptions(table, r);
    const auto positional = table.parse(args);
    if (r.helpRequested)
        return r;
    if (positional.empty())
        throw UsageError("the picture IMAGE is needed");
    if (positional.size() > 1)
        throw UsageError("unexpected argument \"" + positional[1] + "\"");
    r.imageFile = positional[0];
    if (r.aperture.radiusPx == 0.0)
        throw UsageError("--aperture CX,CY,R is needed");
    if (r.seeds.empty())
        throw UsageError("--seeds is needed");
    if (r.outFile.empty())
        throw UsageError("--out FILE.frg is needed");
    return r;
}

std::string traceHelpText() {
    TraceRequest scratch;
    OptionTable table;
    addTraceOptions(table, scratch);
    return std::string(kUsage) +
           "\n"
           "Follows the dark fringes of an interferogram picture (BMP or JPEG) from\n"
           "one seed per fringe, as \"Perform  AUTOTRACING\" does in the window, and\n"
           "writes the points as a fringe data file that \"analyze\" reads. Seed k\n"
           "starts fringe k (fringe number k + 1); the fringe order must follow the\n"
           "wavefront, so click the seeds in order across the fringes. Where the\n"
           "wavefront turns over (an outer ring of the same order as the one inside\n"
           "it), give that seed its fringe number with @N: each traced ring keeps\n"
           "its own points and the fit takes both at that order.\n"
           "\n"
           "Options:\n" +
           table.helpText() +
           "\n"
           "Exit status: 0 written; 2 bad option or number, a picture that cannot be\n"
           "read, seeds or circles outside the picture, or a file that cannot be\n"
           "written.\n"
           "\n"
           "Example:\n"
           "  lumivorexan-cli trace sample1.jpg --aperture 322,238,205 \\\n"
           "      --seeds \"130,238;170,238;210,238\" --optimize --out sample1.frg\n";
}

int runTrace(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    TraceRequest r;
    try {
        r = parseTraceArguments(args);
    } catch (const UsageError& e) {
        kCommand.printUsageError(err, e.what());
        return kExitBadInput;
    }
    if (r.helpRequested) {
        out << traceHelpText();
        return kExitOk;
    }

    PixelGrid grid;
    try {
        const std::filesystem::path inputs[] = {r.imageFile};
        const std::filesystem::path outputs[] = {r.outFile};
        OutputFiles::check(outputs, inputs);
        grid = readPicturePixelGrid(r.imageFile);
    } catch (const FileError& e) {
        err << "lumivorexan-cli trace: " << e.what() << "\n";
        return kExitBadInput;
    }

    FringeStore store;
    std::vector<TraceStop> stops;
    store.aperture = r.aperture;
    store.obstruction = r.obstruction;
    try {
        checkGeometry(r, grid);
        TraceOptions options;
        options.pointSpacing = r.pointSpacing;
        options.subPixelCentre = r.subPixel;
        options.followFringe = r.follow;
        const FringeTracer::Outcome outcome = FringeTracer(grid, r.aperture, r.obstruction, options)
                                                  .trace(r.seeds, store, {}, &stops);
        if (outcome != FringeTracer::Outcome::Traced)
            throw UsageError(outcomeText(outcome));
        for (std::size_t k = 0; k < r.seedOrders.size(); ++k)
            store.setFringeOrder(static_cast<int>(k), r.seedOrders[k]);
    } catch (const UsageError& e) {
        kCommand.printUsageError(err, e.what());
        return kExitBadInput;
    }
    const int fringes = static_cast<int>(r.seeds.size());
    if (r.optimize) {
        const FringeOptimizer optimizer(grid);
        for (int f = 0; f < fringes; ++f)
            if (optimizer.optimize(store, f) == FringeOptimizer::Outcome::TooManyPoints)
                err << "lumivorexan-cli trace: fringe " << f + 1 << " has " << store.pointCount(f)
                    << " points; only fringes of up to " << FringeOptimizer::kMaxPoints
                    << " are optimised\n";
    }

    FringeDataFile file = FringeDataFile::fromStore(store);
    file.inputWavelengthNm = r.inputWavelengthNm;
    file.outputWavelengthNm = r.inputWavelengthNm;
    file.wavesPerFringe = static_cast<float>(r.wavesPerFringe);
    file.setStandardAnalysis();
    try {
        file.writeFile(r.outFile);
    } catch (const FileError& e) {
        err << "lumivorexan-cli trace: " << e.what() << "\n";
        return kExitBadInput;
    }

    if (r.json) {
        JsonWriter json;
        json.beginObject();
        json.member("file", r.outFile);
        json.member("fringeCount", store.nonEmptyFringeCount());
        json.member("pointCount", store.totalPointCount());
        json.key("fringes");
        json.beginArray();
        for (int f = 0; f < fringes; ++f) {
            json.beginObject();
            json.member("fringe", f);
            json.member("order", store.fringeOrder(f));
            json.key("points");
            json.beginArray();
            for (int p = 1; p <= store.pointCount(f); ++p) {
                json.beginArray();
                json.value(store.pointX(f, p));
                json.value(store.pointY(f, p));
                json.endArray();
            }
            json.endArray();
            json.endObject();
        }
        json.endArray();
        if (r.follow) {
            json.key("stops");
            json.beginArray();
            for (const TraceStop& stop : stops) {
                json.beginObject();
                json.member("fringe", stop.fringe);
                json.member("reason", std::string(traceStopReasonName(stop.reason)));
                json.key("at");
                json.beginArray();
                json.value(stop.where.xPx);
                json.value(stop.where.yPx);
                json.endArray();
                if (stop.otherFringe >= 0)
                    json.member("otherFringe", stop.otherFringe);
                json.member("text", traceStopText(stop));
                json.endObject();
            }
            json.endArray();
        }
        json.endObject();
        out << json.text();
        return kExitOk;
    }
    out << "Wrote " << r.outFile << ": " << store.totalPointCount() << " points on "
        << store.nonEmptyFringeCount() << " of " << fringes << " fringes.\n";
    for (int f = 0; f < fringes; ++f) {
        out << "  fringe " << f + 1;
        if (store.hasExplicitOrder(f))
            out << " (order of fringe " << store.fringeOrder(f) + 1 << ")";
        out << ": " << store.pointCount(f) << " points\n";
    }
    if (!stops.empty()) {
        out << stops.size() << (stops.size() == 1 ? " fringe" : " fringes")
            << " stopped before the aperture's edge:\n";
        for (const std::string& line : traceStopTexts(stops))
            out << "  " << line << "\n";
    }
    return kExitOk;
}

} // namespace lumi::cli
