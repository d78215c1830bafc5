#include "cli/synthcommand.h"

#include "analysis/idealconicfit.h"
#include "analysis/idealinterferogram.h"
#include "analysis/syntheticinterferogram.h"
#include "analysis/zernikefile.h"
#include "cli/coefficientlist.h"
#include "cli/commandusage.h"
#include "cli/exitcodes.h"
#include "cli/optiontable.h"
#include "cli/pngfile.h"
#include "cli/removallist.h"
#include "cli/usageerror.h"
#include "common/fileerror.h"
#include "common/numbertext.h"
#include "common/outputfiles.h"

#include <QImage>

#include <algorithm>
#include <ostream>

namespace lumi::cli {
namespace {

constexpr const char* kUsage =
    "Usage: lumivorexan-cli synth --out FILE.png (--zrk FILE.zrk | --coef \"t:v,...\")\n"
    "         [--size 64|128|256] [--color grey|red|green] [--waves-per-fringe W]\n"
    "         [--remove LIST] [--scale N] [--obstruction RATIO]\n"
    "         [--diameter MM --radius MM [--conic K]] [--null-test] [--overlay]\n"
    "         [--ideal FILE.png] [--skeleton FILE.png]\n";

// Aperture of the synthetic measurement; only the obstruction is normalised by it.
constexpr ApertureCircle kAperture{1000.0, 1000.0, 1000.0};

constexpr CommandUsage kCommand{"synth", kUsage};

void addSynthOptions(OptionTable& table, SynthRequest& r) {
    table.addFlag("--help", "Show this help and exit.", [&r] { r.helpRequested = true; });
    table.addValue("--out", "FILE.png",
                   "The synthetic interferogram to write, size x size cells (replaced if\n"
                   "it exists).",
                   [&r](std::string_view v) { r.outFile = std::string(v); });
    table.addValue("--zrk", "FILE.zrk",
                   "Zernike coefficient file (values in fringes; multiplied by the waves\n"
                   "per fringe). Its term count sets the highest term drawn.",
                   [&r](std::string_view v) { r.zernikeFile = std::string(v); });
    table.addValue("--coef", "LIST",
                   "Coefficients in waves as term:value pairs, e.g. \"3:1,8:-0.4\" (terms\n"
                   "1..36 drawn; piston never).",
                   [&r](std::string_view v) { r.coefficientsWaves = parseCoefficientList(v); });
    table.addValue("--size", "64|128|256", "Grid size: cells per side. Default: 128.",
                   [&r](std::string_view v) {
                       const double n = parseOptionNumber("--size", v);
                       if (n != 64 && n != 128 && n != 256) {
                           throw UsageError("--size: \"" + std::string(v) +
                                            "\" is not 64, 128 or 256");
                       }
                       r.options.gridSize = static_cast<int>(n);
                   });
    table.addValue(
        "--color", "grey|red|green", "Drawing colour. Default: red.", [&r](std::string_view v) {
            if (v == "grey" || v == "gray") {
                r.options.color = SyntheticColor::Grey;
            } else if (v == "red") {
                r.options.color = SyntheticColor::Red;
            } else if (v == "green") {
                r.options.color = SyntheticColor::Green;
            } else {
                throw UsageError("--color: \"" + std::string(v) + "\" is not grey, red or green");
            }
        });
    table.addValue("--waves-per-fringe", "W",
                   "Waves of wavefront per fringe (sign ignored, within (0, 10]). Default: 0.5.",
                   [&r](std::string_view v) {
                       r.options.wavesPerFringe =
                           parseOptionWavesPerFringe("--waves-per-fringe", v);
                   });
    table.addValue("--remove", "LIST",
                   "Aberration groups left out of the picture: tilt, power, astigmatism,\n"
                   "coma, spherical, high-astigmatism, high-coma, high-spherical, or\n"
                   "none (the default).",
                   [&r](std::string_view v) { r.options.removalFlags = parseRemovalList(v); });
    table.addValue("--scale", "N", "PNG pixels per cell side, 1..16. Default: 1.",
                   [&r](std::string_view v) {
                       const double n = parseOptionNumber("--scale", v);
                       if (n != static_cast<int>(n) || n < 1 || n > 16) {
                           throw UsageError("--scale: \"" + std::string(v) +
                                            "\" is not a whole number from 1 to 16");
                       }
                       r.scale = static_cast<int>(n);
                   });
    table.addValue("--obstruction", "RATIO",
                   "Central obstruction radius as a fraction of the aperture, 0..1 (white\n"
                   "in the picture). Default: 0.",
                   [&r](std::string_view v) {
                       const double ratio = parseOptionNumber("--obstruction", v);
                       if (ratio < 0.0 || ratio >= 1.0) {
                           throw UsageError("--obstruction: the ratio must be from 0 to below 1");
                       }
                       r.obstructionRatio = ratio;
                   });
    table.addValue("--diameter", "MM", "Mirror diameter: with --radius, enables the ideal conic.",
                   [&r](std::string_view v) {
                       const double d = parseOptionNumber("--diameter", v);
                       if (!(d > 0.0)) {
                           throw UsageError("--diameter: the length must be above 0 mm");
                       }
                       r.diameterMm = d;
                   });
    table.addValue("--radius", "MM", "Vertex radius of curvature (sign ignored, not 0).",
                   [&r](std::string_view v) {
                       const double radius = parseOptionNumber("--radius", v);
                       if (radius == 0.0) {
                           throw UsageError("--radius: the radius must not be 0 mm");
                       }
                       r.radiusMm = radius;
                   });
    table.addValue("--conic", "K", "Target conic constant of the mirror. Default: -1.",
                   [&r](std::string_view v) { r.conic = parseOptionNumber("--conic", v); });
    table.addFlag("--null-test",
                  "Show the interferogram as a null test: the ideal conic's primary\n"
                  "spherical taken out (needs the mirror data).",
                  [&r] { r.options.display = SyntheticDisplay::NullTest; });
    table.addFlag("--overlay",
                  "Draw the ideal conic's dark-fringe skeleton over the synthetic\n"
                  "interferogram in RGB(220, 220, 150) (needs the mirror data).",
                  [&r] { r.overlay = true; });
    table.addValue("--ideal", "FILE.png",
                   "Also write the ideal interferogram, 128 x 128 cells (needs the mirror\n"
                   "data).",
                   [&r](std::string_view v) { r.idealOutFile = std::string(v); });
    table.addValue("--skeleton", "FILE.png",
                   "Also write the ideal interferogram's skeleton, black on white (needs\n"
                   "the mirror data).",
                   [&r](std::string_view v) { r.skeletonOutFile = std::string(v); });
}

bool hasMirror(const SynthRequest& r) {
    return r.diameterMm.has_value() || r.radiusMm.has_value() || r.conic.has_value();
}

// d x d painted cells (the never-painted last row and column left out), each
// scale x scale pixels.
QImage toImage(const PixelGrid& picture, int cells, int scale) {
    QImage image(cells * scale, cells * scale, QImage::Format_RGB32);
    for (int y = 0; y < cells * scale; ++y) {
        for (int x = 0; x < cells * scale; ++x) {
            const PixelTriple& p = picture.at(x / scale, y / scale);
            image.setPixel(x, y, qRgb(p.red, p.green, p.blue));
        }
    }
    return image;
}

void save(const PixelGrid& picture, int cells, int scale, const std::string& path,
          std::ostream& out, OutputFiles& written) {
    writePngFile(toImage(picture, cells, scale), path);
    written.wrote(path);
    out << "wrote " << path << "\n";
}

} // namespace

SynthRequest parseSynthArguments(std::span<const std::string> args) {
    SynthRequest request;
    OptionTable table;
    addSynthOptions(table, request);
    const auto positional = table.parse(args);
    if (request.helpRequested) {
        return request;
    }
    if (!positional.empty()) {
        throw UsageError("unexpected argument \"" + positional.front() + "\"");
    }
    if (request.outFile.empty()) {
        throw UsageError("--out FILE.png is needed");
    }
    if (request.zernikeFile.has_value() == request.coefficientsWaves.has_value()) {
        throw UsageError("give either --zrk FILE.zrk or --coef LIST");
    }
    const bool needsMirror = request.options.display == SyntheticDisplay::NullTest ||
                             request.overlay || request.idealOutFile || request.skeletonOutFile;
    if (needsMirror && !(request.diameterMm && request.radiusMm)) {
        throw UsageError("--null-test, --overlay, --ideal and --skeleton need --diameter and "
                         "--radius");
    }
    if (hasMirror(request) && !(request.diameterMm && request.radiusMm)) {
        throw UsageError("the mirror needs both --diameter and --radius");
    }
    return request;
}

Measurement synthMeasurement(const SynthRequest& request) {
    Measurement m;
    m.store.aperture = kAperture;
    if (request.obstructionRatio > 0.0) {
        m.store.obstruction = {kAperture.centerXPx, kAperture.centerYPx,
                               request.obstructionRatio * kAperture.radiusPx};
    }
    const double w = std::fabs(request.options.wavesPerFringe);
    m.settings.input.wavesPerFringe = w;
    m.settings.wavesPerFringe = static_cast<float>(w);
    m.settings.highestTerm = kZernikeTermCount - 1;
    if (request.zernikeFile) {
        ZernikeFile file;
        try {
            file = ZernikeFile::readFile(*request.zernikeFile);
        } catch (const FileError& e) {
            throw e.namingFile(*request.zernikeFile);
        }
        for (std::size_t t = 0; t < static_cast<std::size_t>(kZernikeTermCount); ++t) {
            m.results.coefficients[t] = file.valuesFringes[t] * w;
        }
        // Terms 0..n-1 were read, n being the file's count (two zeros in a row end it);
        // like the averaging, the highest term drawn is n (its coefficient is 0).
        if (file.termCount > 0) {
            m.settings.highestTerm = std::min(file.termCount, kZernikeTermCount - 1);
        }
    } else {
        m.results.coefficients = *request.coefficientsWaves;
    }
    if (request.diameterMm && request.radiusMm) {
        m.settings.input.analysisType = AnalysisType::Aspheric;
        m.settings.input.surfaceDiameterMm = *request.diameterMm;
        m.settings.input.curvatureRadiusMm = *request.radiusMm;
        m.settings.input.targetConic = request.conic.value_or(-1.0);
        m.results.idealConicCoefficients = computeIdealConic(m.settings);
    }
    return m;
}

std::string synthHelpText() {
    SynthRequest scratch;
    OptionTable table;
    addSynthOptions(table, scratch);
    return std::string(kUsage) +
           "\n"
           "Draws the synthetic interferogram of Zernike coefficients as a PNG: one\n"
           "bright and one dark fringe per waves-per-fringe of wavefront height,\n"
           "bright at the highest point, white outside the pupil. With the mirror\n"
           "data of a conic tested at its centre of curvature it can show the null\n"
           "test, the ideal interferogram and its fringe skeleton.\n"
           "\n"
           "Options:\n" +
           table.helpText() +
           "\n"
           "Exit status: 0 done; 2 bad option or number, or a file that cannot be read\n"
           "or written; 3 the pictures cannot be computed.\n"
           "\n"
           "Example:\n"
           "  lumivorexan-cli synth --coef \"1:2,3:1,8:0.4\" --color grey --scale 2 --out "
           "igram.png\n";
}

int runSynth(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    SynthRequest request;
    try {
        request = parseSynthArguments(args);
    } catch (const UsageError& e) {
        kCommand.printUsageError(err, e.what());
        return kExitBadInput;
    }
    if (request.helpRequested) {
        out << synthHelpText();
        return kExitOk;
    }
    OutputFiles written;
    try {
        const std::filesystem::path outputs[] = {request.outFile, request.idealOutFile.value_or(""),
                                                 request.skeletonOutFile.value_or("")};
        const std::filesystem::path inputs[] = {request.zernikeFile.value_or("")};
        OutputFiles::check(outputs, inputs);
        Measurement m = synthMeasurement(request);
        PixelGrid synthetic = SyntheticInterferogram::draw(m, request.options);
        if (request.overlay) {
            IdealInterferogram::drawOverlay(m, request.options, synthetic);
        }
        IdealInterferogram::Pictures ideal;
        if (request.idealOutFile || request.skeletonOutFile) {
            ideal = IdealInterferogram::draw(m, request.options);
        }
        save(synthetic, request.options.gridSize, request.scale, request.outFile, out, written);
        if (request.idealOutFile) {
            save(ideal.interferogram, IdealInterferogram::kGridSize, request.scale,
                 *request.idealOutFile, out, written);
        }
        if (request.skeletonOutFile) {
            save(ideal.skeleton, IdealInterferogram::kGridSize, request.scale,
                 *request.skeletonOutFile, out, written);
        }
        return kExitOk;
    } catch (...) {
        return kCommand.failureStatus(err, {}, &written);
    }
}

} // namespace lumi::cli
