#pragma once

#include "analysis/applyoutcome.h"
#include "analysis/fitfinding.h"
#include "analysis/fituncertainty.h"
#include "analysis/measurement.h"
#include "analysis/outlierexclusion.h"
#include "analysis/zernikeaverage.h"
#include "analysis/zernikesample.h"
#include "report/summarytexts.h"

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumi {

// What the program keeps between commands, one object for the window and the
// command line: the measurement (fringe store, the settings and results of the
// last command, the reference, user data, preferences), the outcome of the last
// command that changed the results, the last sampling of the wavefront (its
// grid count is the one the MTF and the graphical report use), the shown summary
// texts, the fit findings and the fringe file's name.
//
// Front ends set the inputs (setStore, setInput, ...), then run a command; each
// command keeps what it produced and returns what changed (its outcome). After a
// fault the stages the command reached are kept, as the outcome says.
class Workspace {
public:
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // ---- inputs of the next command
    void setStore(const FringeStore& store);
    // The pupil a whole-field analysis found (pixels; radius 0: no obstruction).
    void setPupil(const ApertureCircle& aperture, const ApertureCircle& obstruction);
    // The settings as typed; the next command derives its own from them.
    void setInput(const AnalysisInput& input);
    void setReferenceFringes(const ZernikeCoefficients& fringes);
    void setPreferences(const DisplayPreferences& preferences);
    void setUserData(const std::array<std::string, 5>& userData);
    void setFringeFileName(const std::string& name);
    // A fringe file's waves per fringe, in force until a command derives its own.
    void setWavesPerFringe(float wavesPerFringe);
    // The "REMOVE" boxes as they are now; every later sampling reads them.
    void setRemovalFlags(const std::array<bool, kRemovalGroupCount>& flags);

    // ---- inputs a front end edits in place: the window's fringe editor edits
    // the points and circles, its preference and notes pages their values.
    FringeStore& store() { return m_->store; }
    DisplayPreferences& preferences() { return m_->preferences; }
    std::array<std::string, 5>& userData() { return m_->userData; }

    // ---- commands
    // APPLY of the store's points (the ideal conic of the settings in aspheric analysis).
    const ApplyOutcome& apply();
    // APPLY of a whole-field phase map's samples (normalised pupil, waves).
    const ApplyOutcome& applyToSamples(std::span<const ZernikeSample> samples, int fringeCount);
    // An average of Zernike files made the current coefficients; the fit
    // findings are forgotten (the summary no longer comes from a fit).
    const ApplyOutcome& average(const ZernikeAverage& average);
    // "Update/Subtract Reference Zernike" of the grid's shown values (fringes).
    const ApplyOutcome& subtractReference(const ZernikeCoefficients& shownFringes);
    // "Fit without flagged points" after an APPLY; with an error in its outcome
    // nothing changed.
    const OutlierExclusion& fitWithoutFlaggedPoints();
    // Samples the wavefront with grid count N into the results' grid and
    // records N as the last sampling. Throws AnalysisError; the grid then stays.
    const WavefrontGrid& sample(int gridCount);
    // A front end sampled the wavefront itself with grid count N (the PSF).
    void recordSampling(int gridCount) { lastSampledGridCount_ = gridCount; }
    // A command run on a trial copy of the measurement (a fit that must leave
    // everything as it was when it fails) made `outcome`; a successful one
    // becomes the analysis like applyToSamples.
    const ApplyOutcome& adopt(ApplyOutcome outcome);
    // A new picture: grid zeroed, reference 0, analysisDone false, no texts,
    // findings or sampling (the coefficients stay).
    void resetForNewPicture();

    // ---- state
    const Measurement& measurement() const { return *m_; }
    const ApplyOutcome& lastOutcome() const { return *outcome_; }
    // Grid count of the last sampling (APPLY's summary, the plots, the PSF); 0 before any.
    int lastSampledGridCount() const { return lastSampledGridCount_; }
    // The summary texts as far as the commands came (fields of stages a failed
    // command did not reach keep the texts of an earlier one).
    const SummaryTexts& shownSummary() const { return shownSummary_; }
    const std::vector<FitFinding>& fitFindings() const { return fitFindings_; }
    // The uncertainty of the last fit of points (of those it used); nullptr once
    // the coefficients no longer come from such a fit (an average, a phase map).
    const FitUncertainty* fitUncertainty() const {
        return fitUncertainty_ ? &*fitUncertainty_ : nullptr;
    }
    // The points the last fit used: the store's, or those left by the refit.
    const FringeStore& fittedPoints() const;
    const OutlierExclusion& lastExclusion() const { return *exclusion_; }
    const std::string& fringeFileName() const { return fringeFileName_; }

private:
    // Keeps the outcome's settings and results; `fitted` when the points were fitted.
    const ApplyOutcome& keep(ApplyOutcome outcome, bool fitted);
    // Judges the fit of `points` just made: findings and uncertainty.
    void judgeFit(const FringeStore& points);
    // The coefficients no longer come from a fit of points.
    void forgetFit();

    std::unique_ptr<Measurement> m_;
    std::unique_ptr<ApplyOutcome> outcome_;
    std::unique_ptr<OutlierExclusion> exclusion_; // fittedPoints: those of the last fit
    bool excluded_ = false;                       // the last fit left points out
    int lastSampledGridCount_ = 0;
    SummaryTexts shownSummary_;
    std::vector<FitFinding> fitFindings_;
    std::optional<FitUncertainty> fitUncertainty_;
    std::string fringeFileName_;
};

} // namespace lumi
