#include "workspace/workspace.h"

#include "analysis/applycommand.h"
#include "analysis/fitquality.h"
#include "analysis/idealconicapply.h"
#include "analysis/usedcoefficients.h"
#include "analysis/wavefrontsampler.h"
#include "report/aberrationtexts.h"

#include <utility>

namespace lumi {

Workspace::Workspace()
    : m_(std::make_unique<Measurement>()), outcome_(std::make_unique<ApplyOutcome>()),
      exclusion_(std::make_unique<OutlierExclusion>()) {}

Workspace::~Workspace() = default;

void Workspace::setStore(const FringeStore& store) {
    m_->store = store;
}

void Workspace::setPupil(const ApertureCircle& aperture, const ApertureCircle& obstruction) {
    m_->store.aperture = aperture;
    m_->store.obstruction = obstruction;
}

void Workspace::setInput(const AnalysisInput& input) {
    m_->settings.input = input;
}

void Workspace::setReferenceFringes(const ZernikeCoefficients& fringes) {
    m_->referenceFringes = fringes;
}

void Workspace::setPreferences(const DisplayPreferences& preferences) {
    m_->preferences = preferences;
}

void Workspace::setUserData(const std::array<std::string, 5>& userData) {
    m_->userData = userData;
}

void Workspace::setWavesPerFringe(float wavesPerFringe) {
    m_->settings.wavesPerFringe = wavesPerFringe;
}

void Workspace::setRemovalFlags(const std::array<bool, kRemovalGroupCount>& flags) {
    m_->settings.input.removalFlags = flags;
}

void Workspace::setFringeFileName(const std::string& name) {
    fringeFileName_ = name;
}

const ApplyOutcome& Workspace::keep(ApplyOutcome outcome, bool fitted) {
    *outcome_ = std::move(outcome);
    const ApplyOutcome& o = *outcome_;
    m_->settings = o.settings;
    m_->results = o.results;
    shownSummary_ = summaryTexts(o.results, o.settings, o.progress, shownSummary_);
    if (o.progress >= ApplyProgress::Summarised)
        lastSampledGridCount_ = o.results.grid.gridCount;
    if (fitted && o.progress >= ApplyProgress::Fitted) {
        excluded_ = false;
        judgeFit(m_->store);
    }
    return o;
}

void Workspace::judgeFit(const FringeStore& points) {
    const AnalysisSettings& s = m_->settings;
    const ZernikeCoefficients& fitted = m_->results.fittedCoefficients;
    fitFindings_ = assessFitQuality(points, s.wavesPerFringe, fitted, s.highestTerm);
    fitUncertainty_ = lumi::fitUncertainty(points, s.wavesPerFringe, fitted, s.highestTerm);
}

void Workspace::forgetFit() {
    fitFindings_.clear();
    fitUncertainty_.reset();
}

const ApplyOutcome& Workspace::apply() {
    return keep(runApply(*m_, idealConicFor(m_->settings)), true);
}

const ApplyOutcome& Workspace::applyToSamples(std::span<const ZernikeSample> samples,
                                              int fringeCount) {
    const ApplyOutcome& o =
        keep(runApplyToSamples(*m_, samples, fringeCount, idealConicFor(m_->settings)), false);
    if (o.succeeded())
        forgetFit();
    return o;
}

const ApplyOutcome& Workspace::adopt(ApplyOutcome outcome) {
    const ApplyOutcome& o = keep(std::move(outcome), false);
    if (o.succeeded())
        forgetFit();
    return o;
}

const ApplyOutcome& Workspace::average(const ZernikeAverage& average) {
    const ApplyOutcome& o = keep(
        applyZernikeAverage(*m_, average, idealConicFor(m_->settings, average.termCount)), false);
    if (o.succeeded())
        forgetFit();
    return o;
}

const ApplyOutcome& Workspace::subtractReference(const ZernikeCoefficients& shownFringes) {
    return keep(lumi::subtractReference(*m_, shownFringes), false);
}

const OutlierExclusion& Workspace::fitWithoutFlaggedPoints() {
    *exclusion_ = refitWithoutOutliers(*m_, idealConicFor(m_->settings));
    const OutlierExclusion& ex = *exclusion_;
    if (!ex.outcome.succeeded())
        return ex;
    keep(ex.outcome, false);
    excluded_ = true;
    judgeFit(ex.fittedPoints);
    return ex;
}

const WavefrontGrid& Workspace::sample(int gridCount) {
    m_->results.grid = *sampleWavefrontGrid(*m_, gridCount);
    lastSampledGridCount_ = gridCount;
    return m_->results.grid;
}

void Workspace::resetForNewPicture() {
    m_->results = resultsForNewPicture(m_->results);
    m_->referenceFringes.fill(0.0);
    shownSummary_ = {};
    forgetFit();
    excluded_ = false;
    lastSampledGridCount_ = 0;
}

const FringeStore& Workspace::fittedPoints() const {
    return excluded_ ? exclusion_->fittedPoints : m_->store;
}

} // namespace lumi
