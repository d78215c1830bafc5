#include "common/valuelimits.h"

#include "common/numbertext.h"

#include <cmath>

namespace lumi {
namespace {

std::string shown(double v) {
    return std::isfinite(v) ? formatSignificant(v, 7) : std::string("(not finite)");
}

} // namespace

std::optional<std::string> wavelengthProblem(std::string_view what, double nm) {
    if (std::isfinite(nm) && nm >= ValueLimits::kMinWavelengthNm &&
        nm <= ValueLimits::kMaxWavelengthNm)
        return std::nullopt;
    return std::string(what) + " " + shown(nm) + " nm is outside " +
           shown(ValueLimits::kMinWavelengthNm) + " .. " + shown(ValueLimits::kMaxWavelengthNm) +
           " nm";
}

std::optional<std::string> typedNumberProblem(std::string_view what, std::string_view text) {
    if (parseLenientPrefix(text))
        return std::nullopt;
    if (text.find_first_not_of(" \t") == std::string_view::npos)
        return std::string(what) + " box is empty";
    // A pasted page would not help anyone in a message.
    constexpr std::size_t kShownChars = 24;
    const std::string quoted = text.size() > kShownChars
                                   ? std::string(text.substr(0, kShownChars)) + "..."
                                   : std::string(text);
    return std::string(what) + " '" + quoted + "' is not a number";
}

std::optional<std::string> wavesPerFringeProblem(double waves) {
    if (waves == 0.0)
        return "the waves per fringe must not be 0";
    const double magnitude = std::fabs(waves);
    if (std::isfinite(magnitude) && magnitude <= ValueLimits::kMaxWavesPerFringe &&
        narrowToSingle(magnitude) != 0.0f)
        return std::nullopt;
    return "the waves per fringe " + shown(waves) + " is outside (0, " +
           shown(ValueLimits::kMaxWavesPerFringe) + "]" +
           (waves < 0.0 ? " (its sign is ignored)" : "");
}

std::optional<std::string> fNumberProblem(double fNumber) {
    if (fNumber == 0.0 || (fNumber > 0.0 && fNumber <= ValueLimits::kMaxFNumber))
        return std::nullopt;
    return "the F-number " + shown(fNumber) + " is outside (0, " + shown(ValueLimits::kMaxFNumber) +
           "] (0 gives normalised frequency)";
}

std::optional<std::string> settingsProblem(double inputWavelengthNm, double outputWavelengthNm,
                                           double wavesPerFringe) {
    if (auto problem = wavelengthProblem("the input wavelength", inputWavelengthNm))
        return problem;
    if (auto problem = wavelengthProblem("the output wavelength", outputWavelengthNm))
        return problem;
    return wavesPerFringeProblem(wavesPerFringe);
}

std::optional<std::string> apertureRadiusProblem(double radiusPx) {
    if (std::isfinite(radiusPx) && radiusPx > 0.0)
        return std::nullopt;
    return "the aperture radius " + shown(radiusPx) + " is not above 0 (no aperture is marked)";
}

std::optional<std::string> obstructionProblem(double apertureXPx, double apertureYPx,
                                              double apertureRadiusPx, double obstructionXPx,
                                              double obstructionYPx, double obstructionRadiusPx) {
    if (obstructionRadiusPx == 0.0)
        return std::nullopt;
    if (!(obstructionRadiusPx > 0.0))
        return "the obstruction radius " + shown(obstructionRadiusPx) + " is negative";
    const double offset = std::hypot(obstructionXPx - apertureXPx, obstructionYPx - apertureYPx);
    if (offset + obstructionRadiusPx <= apertureRadiusPx)
        return std::nullopt;
    return "the obstruction (centre " + shown(obstructionXPx) + ", " + shown(obstructionYPx) +
           ", radius " + shown(obstructionRadiusPx) +
           ") does not lie inside the aperture (centre " + shown(apertureXPx) + ", " +
           shown(apertureYPx) + ", radius " + shown(apertureRadiusPx) + ")";
}

std::optional<std::string> pointNearApertureProblem(std::string_view what, double xPx, double yPx,
                                                    double apertureXPx, double apertureYPx,
                                                    double apertureRadiusPx) {
    const double distance = std::hypot(xPx - apertureXPx, yPx - apertureYPx);
    if (distance <= ValueLimits::kMaxPointDistanceRadii * apertureRadiusPx)
        return std::nullopt;
    const double radii = distance / apertureRadiusPx;
    const std::string how = std::isfinite(radii) && radii < 1000.0
                                ? formatFixed(radii, 1) + " aperture radii"
                                : std::string("far");
    return std::string(what) + " (" + shown(xPx) + ", " + shown(yPx) + ") lies " + how +
           " from the aperture centre; points must lie within " +
           shown(ValueLimits::kMaxPointDistanceRadii) + " radii";
}

std::optional<std::string> pointNearPictureProblem(std::string_view what, double xPx, double yPx,
                                                   int widthPx, int heightPx) {
    const double w = widthPx;
    const double h = heightPx;
    if (xPx >= -w && xPx <= 2.0 * w && yPx >= -h && yPx <= 2.0 * h)
        return std::nullopt;
    return std::string(what) + " (" + shown(xPx) + ", " + shown(yPx) +
           ") lies far outside the picture (" + std::to_string(widthPx) + " x " +
           std::to_string(heightPx) + " pixels)";
}

std::optional<std::string> circleNearPictureProblem(std::string_view what, double centerXPx,
                                                    double centerYPx, double radiusPx, int widthPx,
                                                    int heightPx) {
    const double w = widthPx;
    const double h = heightPx;
    if (centerXPx - radiusPx >= -w && centerXPx + radiusPx <= 2.0 * w &&
        centerYPx - radiusPx >= -h && centerYPx + radiusPx <= 2.0 * h)
        return std::nullopt;
    return std::string(what) + " (centre (" + shown(centerXPx) + ", " + shown(centerYPx) +
           "), radius " + shown(radiusPx) + ") does not fit the picture (" +
           std::to_string(widthPx) + " x " + std::to_string(heightPx) +
           " pixels) grown by its size on every side";
}

} // namespace lumi
