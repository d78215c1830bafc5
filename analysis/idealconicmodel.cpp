#include "analysis/idealconicmodel.h"

#include "analysis/analysiserror.h"
#include "common/numbertext.h"

#include <cfloat>
#include <cmath>

namespace lumi {

namespace {

// A setting held in single precision; out of float range is refused rather than
// converted (that conversion has no defined value).
float toSingle(double v, const char* message) {
    if (!std::isfinite(v) || std::fabs(v) > static_cast<double>(FLT_MAX)) {
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry, message);
    }
    return static_cast<float>(v);
}

} // namespace

IdealConicModel IdealConicModel::fromSettings(const AnalysisSettings& settings) {
    const double diameter = settings.input.surfaceDiameterMm;
    const double radius = settings.input.curvatureRadiusMm;
    const double wavelengthNm = settings.input.inputWavelengthNm;
    using Kind = AnalysisError::Kind;
    if (!(diameter > 0.0) || !std::isfinite(diameter)) {
        throw AnalysisError(Kind::InvalidGeometry,
                            "Aspheric analysis needs a surface diameter above 0 mm.");
    }
    if (radius == 0.0 || !std::isfinite(radius)) {
        throw AnalysisError(Kind::InvalidGeometry,
                            "Aspheric analysis needs a curvature radius other than 0 mm.");
    }
    if (!(wavelengthNm > 0.0) || !std::isfinite(wavelengthNm)) {
        throw AnalysisError(Kind::InvalidGeometry,
                            "Aspheric analysis needs an input wavelength above 0 nm.");
    }
    IdealConicModel model;
    model.semiDiameterMm = diameter / 2.0;
    model.semiDiameterSingle = toSingle(model.semiDiameterMm, "The surface diameter is too large.");
    if (model.semiDiameterSingle <= 0.0f) {
        throw AnalysisError(Kind::InvalidGeometry, "The surface diameter is too small.");
    }
    model.absRadiusMm = std::fabs(radius);
    model.conic = effectiveConic(
        toSingle(settings.input.targetConic, "The target conic constant is out of range."));
    model.wavelengthMm = wavelengthNm / 1000000.0;
    model.highestTerm = settings.highestTerm;
    return model;
}

float IdealConicModel::effectiveConic(float typed) {
    return typed == 0.0f ? kZeroConicReplacement : typed;
}

RayTracer IdealConicModel::tracer() const {
    ConicSurface mirror;
    mirror.curvaturePerMm = 1.0 / vertexRadiusMm();
    mirror.conic = conic;
    mirror.distanceFromPreviousMm = absRadiusMm;
    mirror.indexAfter = -1.0;
    mirror.clearRadiusMm = semiDiameterMm + kVignettingMarginMm;
    return RayTracer({mirror}, 1.0);
}

double IdealConicModel::aimX(int column) const {
    const double h = semiDiameterSingle;
    return -(h - h / 32.0) + column * (h / 16.0);
}

double IdealConicModel::aimY(int row) const {
    const double h = semiDiameterSingle;
    const double y = (h - h / 32.0) - row * (h / 16.0);
    return std::fabs(y) < 0.005 ? 0.0000005 : y;
}

bool IdealConicModel::aimInside(int row, int column) const {
    const double h = semiDiameterSingle;
    const double x = aimX(column);
    const double y = aimY(row);
    return x * x + y * y < h * h;
}

} // namespace lumi
