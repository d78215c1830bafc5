#pragma once

#include "analysis/measurement.h"
#include "optics/complexfield.h"
#include "optics/fieldtransform.h"
#include "optics/modulationtransfer.h"

namespace lumi {

// What the MTF reads when it runs, on the MTF page and in the graphical report
// alike: the aperture ratio (F-number; 0 selects normalised frequency) and the
// input wavelength in nm as they stand in their boxes at that moment (read
// leniently), not the wavelength of the last APPLY.
struct MtfReading {
    double apertureRatio = 0.0;
    double inputWavelengthNm = 632.8;
};

// The cut-off frequency of `reading` in lines/mm: mtfCutoffFrequency of both
// values in single precision. Throws AnalysisError NonFinite as it does.
double mtfCutoffOf(const MtfReading& reading);

// "Update MTF": samples the measurement's wavefront with `gridCount` (the one
// of the last sampling the window made: APPLY, the wavefront plots or the PSF)
// and computes the MTF; the measurement is only read. The cut-off frequency
// is that of `reading` (mtfCutoffOf). Throws
// AnalysisError when nothing has been sampled yet (gridCount < 1), the pupil is
// empty or a value is not finite.
ModulationTransfer runMtfCommand(const Measurement& m, int gridCount, const MtfReading& reading,
                                 ComplexField& field, FieldTransform& transform);

} // namespace lumi
