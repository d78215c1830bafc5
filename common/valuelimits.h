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
    // Waves of wavefront per fringe step, sign ignored: 0.5 for a double pass,
    // 1 for a single pass; set-ups that multiply it further stay far below 10.
    static constexpr double kMaxWavesPerFringe = 10.0;
    // Aperture ratio (F-number) of the optic for MTF frequencies in lines/mm;
    // 0 means none (normalised frequency). No telescope or test optic is
    // slower than f/1000.
    static constexpr double kMaxFNumber = 1000.0;
};

// A number typed into a box, which the program reads leniently ("12.5abc" is
// 12.5): the problem when the text holds no number at all, quoting it
// ("the input wavelength 'abc' is not a number"; "the input wavelength box is
// empty").
std::optional<std::string> typedNumberProblem(std::string_view what, std::string_view text);

// what: "the input wavelength". Finite and within the range above.
std::optional<std::string> wavelengthProblem(std::string_view what, double nm);

// Waves of wavefront per fringe step: its magnitude in (0, kMaxWavesPerFringe]
// and not 0 once held in single precision (the program keeps it there); the
// sign is ignored by its users.
std::optional<std::string> wavesPerFringeProblem(double waves);

// An F-number for the MTF frequencies: 0 (normalised frequency) or in
// (0, kMaxFNumber].
std::optional<std::string> fNumberProblem(double fNumber);

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
