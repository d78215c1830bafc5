#pragma once

#include "fringe/displaypreferences.h"

#include <optional>

namespace lumi {

// The five-band false-colour rule of the plots. A value range [t0, t0 + range] is cut into
// fifths t0..t5; along it the colour runs black -> blue -> cyan -> green -> yellow -> red:
//   band 1  t0 <= v <= t1   (0, 0, f)          black to blue (shading varies, see LowBand)
//   band 2  t1 <  v <= t2   (0, f, 255)        blue to cyan
//   band 3  t2 <  v <= t3   (0, 255, 255 - f)  cyan to green
//   band 4  t3 <  v <= t4   (f, 255, 0)        green to yellow
//   band 5       v >  t4    (255, 255 - f, 0)  yellow to red
// with f = |v - t(k-1)| / step x 255. Thresholds are held in single precision and v is rounded
// to single precision for the band test; f uses v in double precision. Components are rounded
// half to even and clamped to 0..255 (a value beyond t5 saturates instead of wrapping).
class ColorScale {
public:
    // The plots differ only in how band 1 is shaded and where the thresholds start.
    enum class LowBand {
        Wavefront,    // (0, 0, f), f = |v - t0| / step; thresholds from the valley
        PsfMap,       // (0, 0, f + 60), f = |v - t0| / t1 (the threshold t1 itself divides)
        PsfSurface,   // (0, 0, f + 70), f = |v| / step; thresholds from 0
        ReportPsfMap, // (0, 0, f + 30), f = |v| / step; thresholds from the floor
    };

    // Wavefront map and surface: bands over [valley, valley + range], waves.
    static ColorScale wavefront(double valley, double range);
    // PSF map: bands over [floor, floor + range] of the amplitude; all arithmetic in singles.
    static ColorScale psfMap(double floor, double range);
    // PSF surface: bands over [0, range] of the amplitude.
    static ColorScale psfSurface(double range);
    // PSF map of the graphical report.
    static ColorScale reportPsfMap(double floor, double range);

    // Throws AnalysisError (NonFinite) when range is 0 or base, range or a divisor is not
    // finite: the bands would have no width.
    ColorScale(LowBand lowBand, double base, double range);

    // Colour of v; nullopt when v lies in no band (below t0, or NaN), in which case the
    // plots keep the colour they used last.
    std::optional<RgbColor> color(double v) const;

    // Threshold t_k, k = 0..5.
    float threshold(int k) const { return thresholds_[static_cast<unsigned>(k)]; }
    double step() const { return step_; }

    // The wavefront scale bar: colour of the line at height y = 1..1280 counted from the
    // bottom (black at 1, blue at 256, cyan at 512, green at 768, yellow at 1024, red at 1280);
    // nullopt for heights outside 1..1280, which the bar does not draw.
    static std::optional<RgbColor> wavefrontBarColor(int y);
    // The PSF intensity bar: colour of the line at x = 1..1280 counted from the left (black
    // at the left, (255, 50, 0) at 1280).
    static std::optional<RgbColor> psfBarColor(int x);

private:
    LowBand lowBand_;
    double step_;
    float thresholds_[6];
};

} // namespace lumi
