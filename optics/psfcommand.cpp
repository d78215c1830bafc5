#include "optics/psfcommand.h"

#include "analysis/wavefrontsampler.h"
#include "optics/pupilgeometry.h"

#include <memory>

namespace lumi {

PointSpreadFunction runPsfCommand(const Measurement& m, PsfGridSize size, ComplexField& field,
                                  FieldTransform& transform) {
    // A missing aperture is refused with the plots' own message first.
    PupilGeometry::fromCircles(m.store.aperture, m.store.obstruction);
    const auto grid = sampleWavefrontGrid(m, psfPupilSampleCount(size));
    return computePointSpreadFunction(*grid, field, transform);
}

double measurePsfStrehl(const Measurement& m, PsfGridSize size) {
    auto field = std::make_unique<ComplexField>();
    FieldTransform transform;
    return runPsfCommand(m, size, *field, transform).strehlPsf;
}

} // namespace lumi
