#pragma once

#include "analysis/measurement.h"
#include "optics/complexfield.h"
#include "optics/fieldtransform.h"
#include "optics/pointspreadfunction.h"
#include "optics/psfoptions.h"

namespace lumi {

// "Update PSF": samples the measurement's wavefront with the grid count of
// `size` (psfPupilSampleCount) and computes its PSF; the measurement is only
// read. Throws AnalysisError from the sampler or the PSF (missing aperture,
// empty pupil, non-finite values).
PointSpreadFunction runPsfCommand(const Measurement& m, PsfGridSize size, ComplexField& field,
                                  FieldTransform& transform);

// Strehl ratio measured on the PSF of the measurement's current coefficients
// (peak intensity over that of a perfect pupil with the same obstruction and
// sampling).
double measurePsfStrehl(const Measurement& m, PsfGridSize size = PsfGridSize::Grid256);

} // namespace lumi
