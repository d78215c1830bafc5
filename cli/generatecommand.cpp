#include "cli/generatecommand.h"

#include "analysis/analysiserror.h"
#include "analysis/zernike.h"
#include "cli/coefficientlist.h"
#include "cli/commandusage.h"
#include "cli/exitcodes.h"
#include "cli/jsonwriter.h"
#include "cli/optiontable.h"
#include "cli/usageerror.h"
#include "common/fileerror.h"
#include "common/numbertext.h"
#include "fringe/fringedatafile.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace lumi::cli {
namespace {

constexpr const char* kUsage =
    "Usage: lumivorexan-cli generate --out FILE.frg --coef \"t:v,t:v,...\"\n"
    "         [--waves-per-fringe W] [--aperture CX,CY,R] [--obstruction CX,CY,R]\n"
    "         [--width PX --height PX] [--input-wavelength NM] [--output-wavelength NM]\n"
    "         [--json]\n";

// "cx,cy,r" in pixels.
ApertureCircle parseCircle(std::string_view option, std::string_view text) {
    std::array<double, 3> v{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t comma = text.find(',', start);
        if ((i < 2) == (comma == std::string_view::npos))
            throw UsageError(std::string(option) + ": \"" + std::string(text) +
                             "\" is not of the form CX,CY,R");
        v[i] = parseOptionNumber(option, text.substr(start, comma == std::string_view::npos
                                                                ? std::string_view::npos
                                                                : comma - start));
        start = comma + 1;
    }
    if (v[2] < 0.0)
        throw UsageError(std::string(option) + ": the radius must not be negative");
    return {v[0], v[1], v[2]};
}

double positive(std::string_view option, std::string_view text, const char* what) {
    const double v = parseOptionNumber(option, text);
    if (!(v > 0.0))
        throw UsageError(std::string(option) + ": " + what + " must be above 0");
    return v;
}

void addGenerateOptions(OptionTable& table, GenerateRequest& r) {
    table.addFlag("--help", "Show this help and exit.", [&r] { r.helpRequested = true; });
    table.addValue("--out", "FILE.frg", "The fringe data file to write (replaced if it exists).",
                   [&r](std::string_view v) { r.outFile = std::string(v); });
    table.addValue("--coef", "LIST",
                   "Zernike coefficients in waves at the input wavelength, as\n"
                   "term:value pairs, e.g. \"3:2.2,8:-0.4\" (terms 0..36; others 0).",
                   [&r](std::string_view v) { r.coefficientsWaves = parseCoefficientList(v); });
    table.addValue("--waves-per-fringe", "W",
                   "Waves of wavefront per fringe step, above 0. Default 0.5.",
                   [&r](std::string_view v) {
                       r.wavesPerFringe = positive("--waves-per-fringe", v, "waves per fringe");
                   });
    table.addValue("--aperture", "CX,CY,R",
                   "Aperture circle in image pixels. Default: centred in the picture\n"
                   "with a radius of 0.45 x its smaller side.",
                   [&r](std::string_view v) { r.aperture = parseCircle("--aperture", v); });
    table.addValue("--obstruction", "CX,CY,R",
                   "Central obstruction in image pixels; no point is placed inside it.\n"
                   "Default: none.",
                   [&r](std::string_view v) { r.obstruction = parseCircle("--obstruction", v); });
    table.addValue("--width", "PX", "Picture width for the default aperture. Default 640.",
                   [&r](std::string_view v) { r.widthPx = positive("--width", v, "the width"); });
    table.addValue(
        "--height", "PX", "Picture height for the default aperture. Default 480.",
        [&r](std::string_view v) { r.heightPx = positive("--height", v, "the height"); });
    table.addValue("--input-wavelength", "NM", "Input wavelength saved in the file. Default 632.8.",
                   [&r](std::string_view v) {
                       r.inputWavelengthNm = positive("--input-wavelength", v, "the wavelength");
                   });
    table.addValue("--output-wavelength", "NM",
                   "Output wavelength saved in the file. Default 632.8.", [&r](std::string_view v) {
                       r.outputWavelengthNm = positive("--output-wavelength", v, "the wavelength");
                   });
    table.addFlag("--json",
                  "Print the result as one JSON object: file, wavesPerFringe, aperture,\n"
                  "obstruction, fringeCount, pointCount, lowestLevel, pistonOffsetWaves,\n"
                  "generatingCoefficients and expectedCoefficients (terms 0..36, waves).",
                  [&r] { r.json = true; });
}

constexpr CommandUsage kCommand{"generate", kUsage};

void circleArray(JsonWriter& json, const char* name, const ApertureCircle& c) {
    json.key(name);
    json.beginArray();
    json.value(c.centerXPx);
    json.value(c.centerYPx);
    json.value(c.radiusPx);
    json.endArray();
}

void coefficientArray(JsonWriter& json, const char* name, const ZernikeCoefficients& c) {
    json.key(name);
    json.beginArray();
    for (int t = 0; t < kZernikeTermCount; ++t)
        json.value(c[static_cast<std::size_t>(t)]);
    json.endArray();
}

std::string circleText(const ApertureCircle& c) {
    return formatShortest(c.centerXPx) + "," + formatShortest(c.centerYPx) + "," +
           formatShortest(c.radiusPx);
}

} // namespace

ApertureCircle GenerateRequest::effectiveAperture() const {
    if (aperture)
        return *aperture;
    return {widthPx / 2.0, heightPx / 2.0, 0.45 * std::min(widthPx, heightPx)};
}

GenerateRequest parseGenerateArguments(std::span<const std::string> args) {
    GenerateRequest r;
    OptionTable table;
    addGenerateOptions(table, r);
    const auto positional = table.parse(args);
    if (r.helpRequested)
        return r;
    if (!positional.empty())
        throw UsageError("unexpected argument \"" + positional[0] + "\"");
    if (r.outFile.empty())
        throw UsageError("--out FILE.frg is needed");
    if (!r.coefficientsWaves)
        throw UsageError("--coef is needed");
    return r;
}

ContourGeneration generateFringeFile(const GenerateRequest& request) {
    FringeStore store;
    const ContourGeneration g = generateContourPoints(
        request.coefficientsWaves.value_or(ZernikeCoefficients{}), request.wavesPerFringe,
        request.effectiveAperture(), request.obstruction, store);
    FringeDataFile file = FringeDataFile::fromStore(store);
    file.inputWavelengthNm = request.inputWavelengthNm;
    file.outputWavelengthNm = request.outputWavelengthNm;
    file.wavesPerFringe = g.wavesPerFringe;
    file.setStandardAnalysis();
    file.writeFile(request.outFile);
    return g;
}

std::string generateHelpText() {
    GenerateRequest scratch;
    OptionTable table;
    addGenerateOptions(table, scratch);
    return std::string(kUsage) +
           "\n"
           "Writes a fringe data file whose points lie exactly on the contours\n"
           "W = k x waves-per-fringe of the wavefront given by --coef (known-answer\n"
           "data for testing). The lowest contour met becomes fringe 0, so the\n"
           "fit recovers the coefficients with the piston lowered by that level;\n"
           "they are printed. At most 101 fringes and 200 points per fringe.\n"
           "\n"
           "Options:\n" +
           table.helpText() +
           "\n"
           "Exit status: 0 written; 2 bad option or number, a wavefront that gives\n"
           "no usable fringes (none, or more than 101), or a file that cannot be\n"
           "written.\n"
           "\n"
           "Example:\n"
           "  lumivorexan-cli generate --out rings.frg --coef \"3:2.2\"\n";
}

int runGenerate(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    GenerateRequest request;
    try {
        request = parseGenerateArguments(args);
    } catch (const UsageError& e) {
        kCommand.printUsageError(err, e.what());
        return kExitBadInput;
    }
    if (request.helpRequested) {
        out << generateHelpText();
        return kExitOk;
    }
    ContourGeneration g;
    try {
        g = generateFringeFile(request);
    } catch (const AnalysisError& e) {
        err << "lumivorexan-cli generate: cannot generate: " << e.what() << "\n";
        return kExitBadInput;
    } catch (const FileError& e) {
        err << "lumivorexan-cli generate: " << e.what() << "\n";
        return kExitBadInput;
    }

    const ApertureCircle ap = request.effectiveAperture();
    const ZernikeCoefficients& given = *request.coefficientsWaves;
    if (request.json) {
        JsonWriter json;
        json.beginObject();
        json.member("file", request.outFile);
        json.member("wavesPerFringe", static_cast<double>(g.wavesPerFringe));
        circleArray(json, "aperture", ap);
        circleArray(json, "obstruction", request.obstruction);
        json.member("fringeCount", g.fringeCount);
        json.member("pointCount", g.pointCount);
        json.member("lowestLevel", g.lowestLevel);
        json.member("pistonOffsetWaves", g.pistonOffsetWaves);
        coefficientArray(json, "generatingCoefficients", given);
        coefficientArray(json, "expectedCoefficients", g.expectedCoefficients);
        json.endObject();
        out << json.text();
        return kExitOk;
    }
    out << "Wrote " << request.outFile << ": " << g.fringeCount << " fringes, " << g.pointCount
        << " points; aperture " << circleText(ap) << ", obstruction "
        << (request.obstruction.radiusPx > 0 ? circleText(request.obstruction) : "none") << "; "
        << formatShortest(static_cast<double>(g.wavesPerFringe)) << " waves per fringe.\n"
        << "Fringe 0 lies on level " << g.lowestLevel << " (" << formatShortest(g.pistonOffsetWaves)
        << " waves), taken off the piston.\n"
        << "Coefficients the fit must recover [waves at the input wavelength]:\n";
    for (int t = 0; t < kZernikeTermCount; ++t) {
        const double v = g.expectedCoefficients[static_cast<std::size_t>(t)];
        if (v == 0.0 && t != 0)
            continue;
        std::string index = std::to_string(t);
        index.insert(0, 4 - index.size(), ' ');
        out << index << "  " << formatShortest(v) << "  " << zernikeDescription(t) << "\n";
    }
    return kExitOk;
}

} // namespace lumi::cli
