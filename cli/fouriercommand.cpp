#include "cli/fouriercommand.h"

#include "analysis/applycommand.h"
#include "cli/analyzecommand.h"
#include "cli/analyzerequest.h"
#include "cli/commandusage.h"
#include "cli/exitcodes.h"
#include "cli/jsonwriter.h"
#include "cli/optiontable.h"
#include "cli/pngfile.h"
#include "cli/tracecommand.h"
#include "cli/usageerror.h"
#include "common/fileerror.h"
#include "common/numbertext.h"
#include "phase/fourieranalysis.h"
#include "phase/pupilwavefront.h"
#include "ui/picture/pictureloader.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <ostream>

namespace lumi::cli {
namespace {

constexpr const char* kUsage =
    "Usage: lumivorexan-cli fourier IMAGE [--aperture CX,CY,R | --aperture auto]\n"
    "         [--obstruction CX,CY,R] [--waves-per-fringe W] [--invert]\n"
    "         [the analysis options of analyze] [--json] [--zernike-out FILE.zrk]\n"
    "         [--phase-out FILE.png]\n";

constexpr CommandUsage kCommand{"fourier", kUsage};

struct FourierRequest {
    AnalyzeRequest analysis;
    std::string imageFile;
    std::optional<ApertureCircle> aperture;    // none: found in the picture
    std::optional<ApertureCircle> obstruction; // none: found with the aperture
    bool invert = false;
    std::optional<std::string> phaseOutFile;
};

void addFourierOptions(OptionTable& table, FourierRequest& r) {
    addAnalyzeOptions(table, r.analysis);
    table.addValue("--aperture", "CX,CY,R|auto",
                   "Aperture circle in picture pixels, or auto (the default): found\n"
                   "from where the fringes are.",
                   [&r](std::string_view v) {
                       if (v == "auto")
                           r.aperture.reset();
                       else
                           r.aperture = parseOptionCircle("--aperture", v);
                   });
    table.addValue("--obstruction", "CX,CY,R|none",
                   "Central obstruction in picture pixels, or none. Default: found\n"
                   "with an automatic aperture, none with a given one.",
                   [&r](std::string_view v) {
                       if (v == "none")
                           r.obstruction = ApertureCircle{};
                       else
                           r.obstruction = parseOptionCircle("--obstruction", v);
                   });
    table.addFlag("--invert",
                  "Flip the sign of the wavefront (a single photo cannot tell it).\n"
                  "Without it the height grows left to right across upright fringes\n"
                  "and downwards across level ones, as if traced in that order.",
                  [&r] { r.invert = true; });
    table.addValue("--phase-out", "FILE.png",
                   "Also save the unwrapped wavefront (carrier tilt off) as a grey\n"
                   "picture on the analysis grid: dark lowest, white highest, the\n"
                   "surround black.",
                   [&r](std::string_view v) { r.phaseOutFile = std::string(v); });
}

FourierRequest parseFourierArguments(std::span<const std::string> args) {
    FourierRequest r;
    OptionTable table;
    addFourierOptions(table, r);
    const auto files = table.parse(args);
    if (r.analysis.helpRequested)
        return r;
    if (files.empty())
        throw UsageError("a picture of the fringes is needed");
    if (files.size() > 1)
        throw UsageError("one picture only, got \"" + files[0] + "\" and \"" + files[1] + "\"");
    r.imageFile = files[0];
    return r;
}

// The wavefront (waves, carrier tilt off) of the unwrapped pupil, stretched to grey.
QImage phasePicture(const phase::FourierResult& r, double wavesPerFringe, bool invert) {
    const phase::PhaseField& f = r.unwrapped;
    const std::vector<double> w =
        phase::pupilWavefrontWaves(f, r.placement, r.aperture, wavesPerFringe, invert,
                                   r.fit.removedTiltXWaves, r.fit.removedTiltYWaves);
    return greyPupilPicture(f.width, f.height, w, f.inPupil);
}

void writeCircle(JsonWriter& json, std::string_view name, const ApertureCircle& c) {
    json.key(name);
    json.beginObject();
    json.member("centreX", c.centerXPx);
    json.member("centreY", c.centerYPx);
    json.member("radius", c.radiusPx);
    json.endObject();
}

std::string circleText(const ApertureCircle& c) {
    if (c.radiusPx == 0.0)
        return "none";
    return formatFixed(c.centerXPx, 2) + ", " + formatFixed(c.centerYPx, 2) + "  radius " +
           formatFixed(c.radiusPx, 2) + " px";
}

} // namespace

std::string fourierHelpText() {
    FourierRequest scratch;
    OptionTable table;
    addFourierOptions(table, scratch);
    return std::string(kUsage) +
           "\n"
           "Analyses a photo of many straight (tilt) fringes without fringe points:\n"
           "finds the aperture and a central obstruction, demodulates the carrier\n"
           "fringes by Fourier transform, unwraps the phase, takes the carrier tilt\n"
           "off and fits the Zernike terms as APPLY does, then prints the page or\n"
           "JSON of analyze. The JSON adds aperture and obstruction {centreX,\n"
           "centreY, radius} (picture pixels, as used), carrierPeriodPx,\n"
           "unwrappedShare (0..1) and residualRms (waves the fitted terms leave).\n"
           "The settings are the program's defaults unless given.\n"
           "\n"
           "Options:\n" +
           table.helpText() +
           "\n"
           "Exit status: 0 done; 2 bad option or number, or a picture or file that\n"
           "cannot be read or written; 3 the analysis failed (no fringes found, no\n"
           "carrier side lobe, unwrapping failed over too much of the pupil, ...).\n"
           "\n"
           "Example:\n"
           "  lumivorexan-cli fourier bath.jpg --waves-per-fringe 0.5 --json\n";
}

int runFourier(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    FourierRequest r;
    try {
        r = parseFourierArguments(args);
    } catch (const UsageError& e) {
        kCommand.printUsageError(err, e.what());
        return kExitBadInput;
    }
    if (r.analysis.helpRequested) {
        out << fourierHelpText();
        return kExitOk;
    }

    PixelGrid grid;
    try {
        grid = readPicturePixelGrid(r.imageFile);
    } catch (const FileError& e) {
        err << "lumivorexan-cli fourier: " << e.what() << "\n";
        return kExitBadInput;
    }

    auto result = std::make_shared<phase::FourierResult>();
    AnalyzeRequest& a = r.analysis;
    a.fringeFile.clear(); // the program's default settings under the options
    // Checked with --zernike-out before anything is written.
    a.inputFiles.push_back(r.imageFile);
    if (r.phaseOutFile)
        a.outputFiles.push_back(*r.phaseOutFile);
    OwnOutput own;
    own.json = [result](JsonWriter& json) {
        writeCircle(json, "aperture", result->aperture);
        writeCircle(json, "obstruction", result->obstruction);
        json.member("apertureFound", result->apertureFound);
        json.member("carrierPeriodPx", result->carrierPeriodPx);
        json.member("unwrappedShare", result->unwrappedShare);
        json.member("residualRms", result->fit.residualRmsWaves);
    };
    own.text = [result](std::ostream& o) {
        o << "\n Whole-field analysis\n"
          << " Aperture" << (result->apertureFound ? " (found)   " : " (given)   ")
          << circleText(result->aperture) << "\n"
          << " Obstruction          " << circleText(result->obstruction) << "\n"
          << " Carrier period       " << formatFixed(result->carrierPeriodPx, 2) << " px ("
          << result->fringesAcrossPupil << " fringes across)\n"
          << " Unwrapped            " << formatFixed(100.0 * result->unwrappedShare, 1)
          << " % of the pupil\n"
          << " Residual RMS         " << formatFixed(result->fit.residualRmsWaves, 4)
          << " waves (what the fitted terms leave)\n";
    };

    try {
        const std::unique_ptr<Workspace> ws = prepareWorkspace(a);
        AnalysisSettings derived = ws->measurement().settings;
        deriveAnalysisSettings(derived);
        phase::FourierOptions o;
        o.aperture = r.aperture;
        o.obstruction = r.obstruction;
        o.wavesPerFringe = static_cast<double>(derived.wavesPerFringe);
        o.invert = r.invert;
        o.termCount = derived.highestTerm + 1;
        *result = phase::analyseWholeField(grid, o);
        ws->setPupil(result->aperture, result->obstruction);
        throwIfFailed(ws->applyToSamples(result->fit.samples, result->fringesAcrossPupil));
        writeZernikeOut(*ws, a);
        const Measurement& m = ws->measurement();
        if (r.phaseOutFile)
            own.files = [&](std::ostream& log) {
                writePngFile(
                    phasePicture(*result, static_cast<double>(m.settings.wavesPerFringe), r.invert),
                    *r.phaseOutFile);
                a.written->wrote(*r.phaseOutFile);
                log << "wrote " << *r.phaseOutFile << "\n";
            };
        printAnalysis(m, a, r.imageFile, out, err, nullptr, own);
        return kExitOk;
    } catch (...) {
        return kCommand.failureStatus(err, "analysis failed: ", a.written.get());
    }
}

} // namespace lumi::cli
