#include "report/asphericnote.h"

#include "common/numbertext.h"

namespace lumi {

std::string asphericConventionNote(const AnalysisSettings& s) {
    if (s.input.analysisType != AnalysisType::Aspheric || s.wavesPerFringe == 1.0f)
        return "";
    // The ideal conic is traced as the wavefront after one reflection off the
    // mirror, so the fit must be in the same waves: the conic found is
    // proportional to the waves per fringe.
    return "Note: waves per fringe is " + formatShortest(static_cast<double>(s.wavesPerFringe)) +
           ". A mirror tested at its centre of curvature (Bath, Fizeau, Twyman-Green: one "
           "reflection off the mirror) gives 1 wave per fringe; 0.5 suits a double-pass "
           "(autocollimation) test. The best-fit conic scales with this value.";
}

} // namespace lumi
