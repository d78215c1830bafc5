#include "optics/psfcommand.h"

#include "analysis/wavefrontsampler.h"
#include "optics/pupilgeometry.h"

#include <memory>

namespace lumi {

PointSpreadFunction runPsfCommand(Measurement& m, PsfGridSize size, ComplexField& field,
                                  FieldTransform& transform) {
    const PupilGeometry pupil = PupilGeometry::fromCircles(m.store.aperture, m.store.obstruction);
    sampleWavefront(m, psfPupilSampleCount(size));
    return computePointSpreadFunction(m.results.grid, pupil, field, transform);
}

double measurePsfStrehl(const Measurement& m, PsfGridSize size) {
    auto copy = std::make_unique<Measurement>(m);
    auto field = std::make_unique<ComplexField>();
    FieldTransform transform;
    return runPsfCommand(*copy, size, *field, transform).strehlPsf;
}

} // namespace lumi
