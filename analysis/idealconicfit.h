#pragma once

#include "analysis/analysissettings.h"
#include "analysis/idealconicmodel.h"
#include "analysis/zernikecoefficients.h"

#include <array>
#include <functional>

namespace lumi {

// Progress of a long computation, 0..100 percent.
using ProgressCallback = std::function<void(int percent)>;

// Exact ray trace of the ideal conic over the aiming grid and the Zernike fit of
// its wavefront.
//
// OPD convention: opd = (optical path of the chief ray - optical path of the ray)
// / wavelength, in waves at the input wavelength, paths from the source to the
// reference sphere (centred on the chief ray's point in the paraxial image plane,
// through the chief ray's point on the mirror). A ray whose path is longer than the
// chief ray's has a negative OPD, so a paraboloid (K = -1) at its centre of
// curvature, whose edge lies behind the vertex sphere, shows a negative primary
// spherical term: coefficient 8 ~ -D^4 / (384 lambda R^3) (-0.823 waves for
// D = 200 mm, R = 2000 mm, 632.8 nm). For small |K| the term is proportional to K.
class IdealConicFit {
public:
    static constexpr int kGrid = IdealConicModel::kAimingCount;

    explicit IdealConicFit(IdealConicModel model);

    const IdealConicModel& model() const { return model_; }

    // Traces every aiming point inside the mirror: OPD in waves as above; 0 outside
    // the circle and for a vignetted ray. Throws AnalysisError on a ray that misses
    // or a non-finite path.
    void trace(const ProgressCallback& progress = {});

    // Least-squares Zernike fit of the traced OPD over the aiming points inside the
    // circle, pupil coordinates (x / h, y / h); terms 0..highestTerm, the rest 0.
    // Waves at the input wavelength. Throws AnalysisError (SingularFit, NonFinite).
    ZernikeCoefficients fit() const;

    // OPD of aiming point (row, column), waves; valid after trace().
    double opdWaves(int row, int column) const {
        return opd_[static_cast<std::size_t>(row * kGrid + column)];
    }
    int vignettedCount() const { return vignetted_; }
    int tracedCount() const { return traced_; }

private:
    IdealConicModel model_;
    std::array<double, kGrid * kGrid> opd_{};
    int traced_ = 0;
    int vignetted_ = 0;
};

// The whole ideal-conic computation of an aspheric APPLY: model from the settings,
// ray trace, fit. Returns idealConicCoefficients (waves at the input wavelength,
// terms 0..settings.highestTerm). Throws AnalysisError when the data give no
// computation (zero radius or diameter) or the trace/fit fails; the caller keeps
// its previous coefficients then.
ZernikeCoefficients computeIdealConic(const AnalysisSettings& settings,
                                      const ProgressCallback& progress = {});

} // namespace lumi
