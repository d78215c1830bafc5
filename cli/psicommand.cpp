#include "cli/psicommand.h"

#include "analysis/applycommand.h"
#include "cli/analysisjson.h"
#include "cli/analyzecommand.h"
#include "cli/analyzeextensions.h"
#include "cli/commandusage.h"
#include "cli/exitcodes.h"
#include "cli/jsonwriter.h"
#include "cli/optiontable.h"
#include "cli/pngfile.h"
#include "cli/usageerror.h"
#include "common/fileerror.h"
#include "phase/phaseerror.h"
#include "phase/phaseshiftanalysis.h"
#include "phase/phaseshifterror.h"
#include "report/aberrationtexts.h"
#include "report/phaseshifttexts.h"
#include "ui/picture/pictureloader.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <ostream>

namespace lumi::cli {
namespace {

constexpr const char* kUsage =
    "Usage: lumivorexan-cli psi FRAME FRAME FRAME ... [--steps DEG | --steps estimate]\n"
    "         [--aperture CX,CY,R | --aperture auto] [--obstruction CX,CY,R]\n"
    "         [--waves-per-fringe W] [analysis options of analyze] [--json]\n"
    "         [--zernike-out FILE.zrk] [--phase-out FILE.png]\n";

constexpr CommandUsage kCommand{"psi", kUsage};
constexpr double kDeg = std::numbers::pi / 180.0;

struct PsiRequest {
    AnalyzeRequest analyze;
    std::vector<std::string> frameFiles;
    std::vector<double> stepsDeg; // one step for all, or one per frame; empty: the default
    bool estimateSteps = false;
    std::optional<ApertureCircle> aperture; // none: found in the modulation
    ApertureCircle obstruction;
    std::optional<std::string> phaseOutFile;
};

void addPsiOptions(OptionTable& table, PsiRequest& r) {
    addAnalyzeOptions(table, r.analyze);
    table.addValue("--steps", "DEG|DEG,DEG,...|estimate",
                   "Phase step between neighbouring frames in degrees, or the step of\n"
                   "every frame (one per frame, the first usually 0), or \"estimate\" to\n"
                   "find them in the frames (4 frames or more). A positive step moves the\n"
                   "fringes towards higher order (towards the higher wavefront); estimated\n"
                   "steps are taken to go one way. Default: 360 / the number of frames (the\n"
                   "frames spread evenly over one cycle).",
                   [&r](std::string_view v) {
                       r.estimateSteps = v == "estimate";
                       r.stepsDeg.clear();
                       if (!r.estimateSteps)
                           r.stepsDeg = parseOptionNumberList("--steps", v, ',', 0, "DEG");
                   });
    table.addValue("--aperture", "CX,CY,R|auto",
                   "Aperture circle in picture pixels, or auto (the default): the edge of\n"
                   "the fringe modulation.",
                   [&r](std::string_view v) {
                       if (v == "auto")
                           r.aperture.reset();
                       else
                           r.aperture = parseOptionCircle("--aperture", v);
                   });
    table.addValue(
        "--obstruction", "CX,CY,R",
        "Central obstruction in picture pixels, left out of the fit. Default:\n"
        "none (unmodulated pixels such as a centre mark are left out anyway).",
        [&r](std::string_view v) { r.obstruction = parseOptionCircle("--obstruction", v); });
    table.addValue("--phase-out", "FILE.png",
                   "Also save the unwrapped wavefront as a grey picture (black outside the\n"
                   "fitted pupil, dark low to light high).",
                   [&r](std::string_view v) { r.phaseOutFile = std::string(v); });
}

PsiRequest parsePsiArguments(std::span<const std::string> args) {
    PsiRequest r;
    OptionTable table;
    addPsiOptions(table, r);
    const auto files = table.parse(args);
    if (r.analyze.helpRequested)
        return r;
    if (files.size() < 3)
        throw UsageError("at least 3 frames are needed, got " + std::to_string(files.size()));
    r.frameFiles = files;
    if (r.stepsDeg.size() > 1 && r.stepsDeg.size() != files.size())
        throw UsageError("--steps: " + std::to_string(r.stepsDeg.size()) + " steps for " +
                         std::to_string(files.size()) + " frames");
    if (r.estimateSteps && files.size() < 4)
        throw UsageError("--steps estimate needs at least 4 frames (3 frames fit any steps)");
    return r;
}

std::vector<double> stepsRadOf(const PsiRequest& r) {
    std::vector<double> rad;
    if (r.estimateSteps)
        return rad;
    const std::size_t n = r.frameFiles.size();
    if (r.stepsDeg.size() == n) {
        for (double d : r.stepsDeg)
            rad.push_back(d * kDeg);
        return rad;
    }
    const double step = r.stepsDeg.empty() ? 360.0 / static_cast<double>(n) : r.stepsDeg[0];
    for (std::size_t k = 0; k < n; ++k)
        rad.push_back(static_cast<double>(k) * step * kDeg);
    return rad;
}

phase::PhaseFrames readFrames(const std::vector<std::string>& files) {
    phase::PhaseFrames frames;
    for (const std::string& f : files) {
        try {
            phase::appendFrame(frames, readPicturePixelGrid(f));
        } catch (const phase::PhaseShiftError& e) {
            throw FileError(f + ": " + e.what());
        }
    }
    return frames;
}

// The unwrapped wavefront (waves) as grey levels, lowest to highest in the pupil.
QImage phasePicture(const phase::PhaseShiftAnalysis& a, double wavesPerFringe) {
    const phase::PhaseField& f = a.unwrapped;
    QImage img = greyPupilPicture(f.width, f.height, f.phaseRad, f.inPupil);
    double lo = std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::lowest();
    for (std::size_t i = 0; i < f.phaseRad.size(); ++i)
        if (f.inPupil[i]) {
            lo = std::min(lo, f.phaseRad[i]);
            hi = std::max(hi, f.phaseRad[i]);
        }
    const double span = hi > lo ? hi - lo : 1.0;
    img.setText("WavefrontRangeWaves",
                QString::number(span * std::abs(wavesPerFringe) / (2.0 * std::numbers::pi)));
    return img;
}

void writePhaseJson(const phase::PhaseShiftAnalysis& a, JsonWriter& json) {
    json.member("frameCount", static_cast<int>(a.stepsRad.size()));
    json.member("stepsEstimated", a.estimate.has_value());
    json.key("stepsDeg");
    json.beginArray();
    for (double s : a.stepsRad)
        json.value(s / kDeg);
    json.endArray();
    if (a.estimate) {
        json.key("principalComponentStepsDeg");
        json.beginArray();
        for (double s : a.estimate->principalComponentStepsRad)
            json.value(s / kDeg);
        json.endArray();
        json.member("stepRounds", a.estimate->iterations);
    }
    json.key("aperture");
    json.beginObject();
    json.member("centreX", a.aperture.centerXPx);
    json.member("centreY", a.aperture.centerYPx);
    json.member("radius", a.aperture.radiusPx);
    json.endObject();
    json.member("apertureDetected", a.apertureDetected);
    json.key("modulation");
    json.beginObject();
    json.member("levelGrey", a.modulationGrey);
    json.member("thresholdGrey", a.thresholdGrey);
    json.member("saturatedShare", a.clippedShare);
    json.endObject();
    json.member("binFactor", a.binFactor);
    json.member("unwrappedShare", 1.0 - a.unwrapFailedShare);
    json.member("residualRms", a.fit.residualRmsWaves);
}

std::string helpText() {
    PsiRequest scratch;
    OptionTable table;
    addPsiOptions(table, scratch);
    return std::string(kUsage) +
           "\n"
           "Phase-shifting analysis: three or more pictures of one set-up, the\n"
           "reference phase moved between them. The least-squares phase of every\n"
           "pixel (steps given or estimated by principal components and the\n"
           "advanced iterative algorithm), the pupil where the fringes are modulated,\n"
           "quality-guided unwrapping and the Zernike fit of the pupil (at most 50 000\n"
           "pixels) give the \"Aberration\" page as \"analyze\" prints it, then the steps,\n"
           "the aperture, the modulation and the share unwrapped. The wavefront grows\n"
           "where the fringe order grows, as for traced fringes. Photos above\n"
           "2 million pixels are binned (4 x 4 for 6000 x 4000) before the phase.\n"
           "--json adds frameCount, stepsEstimated, stepsDeg (principalComponentStepsDeg\n"
           "and stepRounds when estimated), aperture {centreX, centreY, radius},\n"
           "apertureDetected, modulation {levelGrey, thresholdGrey, saturatedShare},\n"
           "binFactor, unwrappedShare (0..1) and residualRms (waves).\n"
           "\n"
           "Options:\n" +
           table.helpText() +
           "\n"
           "Exit status: 0 done; 2 bad option, a frame that cannot be read or differs in\n"
           "size from the first (named), steps that do not determine the phase, an\n"
           "aperture off the frames; 3 the\n"
           "analysis failed (too little modulation, steps that cannot be estimated, the\n"
           "phase cannot be unwrapped).\n"
           "\n"
           "Example:\n"
           "  lumivorexan-cli psi f01.png f02.png f03.png f04.png f05.png --steps estimate\n";
}

} // namespace

int runPsi(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    PsiRequest request;
    try {
        request = parsePsiArguments(args);
    } catch (const UsageError& e) {
        kCommand.printUsageError(err, e.what());
        return kExitBadInput;
    }
    if (request.analyze.helpRequested) {
        out << helpText();
        return kExitOk;
    }

    try {
        const phase::PhaseFrames frames = readFrames(request.frameFiles);
        std::optional<phase::PhaseShiftAnalysis> analysis;
        AnalyzeRequest& analyze = request.analyze;
        // Checked with --zernike-out before anything is written.
        for (const std::string& f : request.frameFiles)
            analyze.inputFiles.push_back(f);
        if (request.phaseOutFile)
            analyze.outputFiles.push_back(*request.phaseOutFile);
        const std::unique_ptr<Workspace> ws = prepareWorkspace(analyze);
        {
            AnalysisSettings derived = ws->measurement().settings;
            deriveAnalysisSettings(derived);
            phase::PhaseShiftRequest pr;
            pr.stepsRad = stepsRadOf(request);
            pr.aperture = request.aperture;
            pr.obstruction = request.obstruction;
            pr.wavesPerFringe = static_cast<double>(derived.wavesPerFringe);
            pr.termCount = derived.highestTerm + 1;
            analysis = phase::analysePhaseShift(frames, pr);
            ws->setPupil(analysis->aperture, request.obstruction);
            // The same fit of the phase map's samples as the window's (no carrier fringes).
            throwIfFailed(ws->applyToSamples(analysis->fit.samples, 0));
            writeZernikeOut(*ws, analyze);
        }
        const Measurement& m = ws->measurement();
        std::ostream& log = analyze.json ? err : out;
        if (request.phaseOutFile) {
            writePngFile(phasePicture(*analysis, static_cast<double>(m.settings.wavesPerFringe)),
                         *request.phaseOutFile);
            analyze.written->wrote(*request.phaseOutFile);
            log << "wrote " << *request.phaseOutFile << "\n";
        }
        writeExtensionFiles(analyze, m, log);
        if (analyze.json) {
            JsonWriter json;
            json.beginObject();
            writeAnalysisJson(m, json);
            writePhaseJson(*analysis, json);
            writeExtensionJson(analyze, m, json);
            json.endObject();
            out << json.text();
        } else {
            const std::string source = std::to_string(request.frameFiles.size()) +
                                       " phase-shifted frames " + request.frameFiles.front() +
                                       " .. " + request.frameFiles.back();
            out << aberrationPageText(m.results, m.settings, m.preferences.outputUnits, source);
            out << phaseShiftText(*analysis);
            writeExtensionText(analyze, m, out);
        }
        return kExitOk;
    } catch (const phase::PhaseShiftError& e) {
        using Kind = phase::PhaseShiftError::Kind;
        const bool badSteps = e.kind() == Kind::SingularSteps || e.kind() == Kind::BadSteps;
        const std::string frames =
            "frames " + request.frameFiles.front() + " .. " + request.frameFiles.back();
        err << "lumivorexan-cli psi: " << (badSteps ? std::string("--steps") : frames) << ": "
            << e.what() << "\n";
        return badSteps ? kExitBadInput : kExitAnalysis;
    } catch (const phase::PhaseError& e) {
        // A given aperture off the frames is a bad option value; the rest failed analyses.
        const bool badAperture = e.kind() == phase::PhaseError::Kind::NoPupil && request.aperture;
        err << "lumivorexan-cli psi: " << (badAperture ? "--aperture: " : "analysis failed: ")
            << e.what() << "\n";
        return badAperture ? kExitBadInput : kExitAnalysis;
    } catch (...) {
        return kCommand.failureStatus(err, "analysis failed: ", request.analyze.written.get());
    }
}

} // namespace lumi::cli
