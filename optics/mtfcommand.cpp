#include "optics/mtfcommand.h"

#include "analysis/analysiserror.h"
#include "analysis/wavefrontsampler.h"
#include "common/numbertext.h"
#include "optics/pupilgeometry.h"

namespace lumi {

ModulationTransfer runMtfCommand(Measurement& m, std::string_view apertureRatioText,
                                 ComplexField& field, FieldTransform& transform) {
    const int gridCount = m.results.grid.gridCount;
    if (gridCount < 1) {
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "No wavefront has been sampled yet: run APPLY first.");
    }
    const auto apertureRatio = narrowToSingle(parseLenient(apertureRatioText));
    const auto wavelengthNm = narrowToSingle(parseLenient(m.settings.inputWavelengthNmText));
    const double cutoff = mtfCutoffFrequency(wavelengthNm, apertureRatio);
    const PupilGeometry pupil = PupilGeometry::fromCircles(m.store.aperture, m.store.obstruction);
    sampleWavefront(m, gridCount);
    return computeModulationTransfer(m.results.grid, pupil, cutoff, field, transform);
}

} // namespace lumi
