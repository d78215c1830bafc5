#pragma once

#include "analysis/measurement.h"
#include "optics/complexfield.h"
#include "optics/fieldtransform.h"
#include "optics/modulationtransfer.h"

namespace lumi {

// "Update MTF": samples the measurement's wavefront with `gridCount` (the one
// of the last sampling the window made: APPLY, the wavefront plots or the PSF)
// and computes the MTF; the measurement is only read. The cut-off frequency
// comes from the aperture ratio (F-number; 0 selects normalised frequency) and
// the input wavelength in nm, both taken in single precision. Throws
// AnalysisError when nothing has been sampled yet (gridCount < 1), the pupil is
// empty or a value is not finite.
ModulationTransfer runMtfCommand(const Measurement& m, int gridCount, double apertureRatio,
                                 double inputWavelengthNm, ComplexField& field,
                                 FieldTransform& transform);

} // namespace lumi
