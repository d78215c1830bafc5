#include "optics/mtfcommand.h"

#include "analysis/analysiserror.h"
#include "analysis/wavefrontsampler.h"
#include "common/numbertext.h"
#include "optics/pupilgeometry.h"

namespace lumi {

double mtfCutoffOf(const MtfReading& reading) {
    return mtfCutoffFrequency(narrowToSingle(reading.inputWavelengthNm),
                              narrowToSingle(reading.apertureRatio));
}

ModulationTransfer runMtfCommand(const Measurement& m, int gridCount, const MtfReading& reading,
                                 ComplexField& field, FieldTransform& transform) {
    if (gridCount < 1) {
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "No wavefront has been sampled yet: run APPLY first.");
    }
    const double cutoff = mtfCutoffOf(reading);
    // A missing aperture is refused with the plots' own message first.
    PupilGeometry::fromCircles(m.store.aperture, m.store.obstruction);
    const auto grid = sampleWavefrontGrid(m, gridCount);
    return computeModulationTransfer(*grid, cutoff, field, transform);
}

} // namespace lumi
