#pragma once
// The one check of analysis values, whatever their source: a fringe data file
// (the caller adds "line N: "), a command-line option (the caller adds the
// option's name) or the window. Each function returns nothing for an
// acceptable value, otherwise the problem as a phrase for the user that
// names the value ("the input wavelength 0 nm is outside 100 .. 100000 nm").

#include <optional>
#include <string>
#include <string_view>

namespace lumi {

struct ValueLimits {
    // Physical range of interferometer and result wavelengths, nm: from the
    // far ultraviolet to the far infrared (100 nm .. 100 um).
    static constexpr double kMinWavelengthNm = 100.0;
    static constexpr double kMaxWavelengthNm = 100000.0;
    // Points beyond this many aperture radii from its centre cannot belong to
    // fringes of that pupil; Zernike terms there grow like r^8.
    static constexpr double kMaxPointDistanceRadii = 2.0;
};

// what: "the input wavelength". Finite and within the range above.
std::optional<std::string> wavelengthProblem(std::string_view what, double nm);

// Waves of wavefront per fringe step: finite and not 0 once held in single
// precision (the program keeps it there); the sign is ignored by its users.
std::optional<std::string> wavesPerFringeProblem(double waves);

// The three settings of a measurement, checked in this order: the input
// wavelength, the output wavelength, then the waves per fringe.
std::optional<std::string> settingsProblem(double inputWavelengthNm, double outputWavelengthNm,
                                           double wavesPerFringe);

// An aperture radius in pixels: finite and above 0.
std::optional<std::string> apertureRadiusProblem(double radiusPx);

// A central obstruction (radius 0: none) must lie inside the aperture:
// centre distance + obstruction radius <= aperture radius. Pixels.
std::optional<std::string> obstructionProblem(double apertureXPx, double apertureYPx,
                                              double apertureRadiusPx, double obstructionXPx,
                                              double obstructionYPx, double obstructionRadiusPx);

// A fringe point (pixels) within kMaxPointDistanceRadii of the aperture centre.
// what: "point 7".
std::optional<std::string> pointNearApertureProblem(std::string_view what, double xPx, double yPx,
                                                    double apertureXPx, double apertureYPx,
                                                    double apertureRadiusPx);

// A fringe point (pixels) within a picture of widthPx x heightPx grown by its
// own size on every side (a file made on another picture may overhang it, but
// not lie nowhere near it).
std::optional<std::string> pointNearPictureProblem(std::string_view what, double xPx, double yPx,
                                                   int widthPx, int heightPx);

// A circle (pixels) that fits that same grown picture: its centre +- radius
// on both axes. what: "the aperture".
std::optional<std::string> circleNearPictureProblem(std::string_view what, double centerXPx,
                                                    double centerYPx, double radiusPx, int widthPx,
                                                    int heightPx);

} // namespace lumi
