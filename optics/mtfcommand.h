#pragma once

#include "analysis/measurement.h"
#include "optics/complexfield.h"
#include "optics/fieldtransform.h"
#include "optics/modulationtransfer.h"

#include <string_view>

namespace lumi {

// "Update MTF": resamples the measurement's wavefront with the grid count it
// holds (the last one set by APPLY, the wavefront plots or the PSF) and
// computes the MTF. The cut-off frequency comes from the aperture ratio text
// (F-number, read leniently; 0, empty or non-numeric selects normalised
// frequency) and the input wavelength text. Throws AnalysisError when nothing
// has been sampled yet, the pupil is empty or a value is not finite.
ModulationTransfer runMtfCommand(Measurement& m, std::string_view apertureRatioText,
                                 ComplexField& field, FieldTransform& transform);

} // namespace lumi
