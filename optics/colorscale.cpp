#include "optics/colorscale.h"

#include "analysis/analysiserror.h"
#include "common/numbertext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace lumi {
namespace {

std::uint8_t component(double v) {
    // A non-finite shade cannot arise (the divisors are checked at construction); clamp
    // anyway so a colour is always a valid byte.
    if (!(v > 0.0))
        return 0;
    return static_cast<std::uint8_t>(std::min(255.0, roundHalfEven(v)));
}

RgbColor rgb(double r, double g, double b) {
    return RgbColor{component(r), component(g), component(b)};
}

void requireFinite(double v, const char* what) {
    if (!std::isfinite(v) || v == 0.0)
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            std::string("The colour scale cannot be drawn: ") + what +
                                " has no usable value.");
}

} // namespace

ColorScale ColorScale::wavefront(double valley, double range) {
    return ColorScale(LowBand::Wavefront, valley, range);
}

ColorScale ColorScale::psfMap(double floor, double range) {
    return ColorScale(LowBand::PsfMap, floor, range);
}

ColorScale ColorScale::psfSurface(double range) {
    return ColorScale(LowBand::PsfSurface, 0.0, range);
}

ColorScale ColorScale::reportPsfMap(double floor, double range) {
    return ColorScale(LowBand::ReportPsfMap, floor, range);
}

ColorScale::ColorScale(LowBand lowBand, double base, double range)
    : lowBand_(lowBand), step_(range / 5.0), thresholds_{} {
    if (!std::isfinite(base))
        requireFinite(base, "the lowest value");
    requireFinite(range, "the value range");
    // The PSF plots keep their step in single precision as well.
    if (lowBand_ != LowBand::Wavefront)
        step_ = static_cast<float>(step_);
    requireFinite(step_, "the band width");
    for (int k = 0; k <= 5; ++k)
        thresholds_[k] = static_cast<float>(base + k * step_);
    if (lowBand_ == LowBand::PsfMap)
        requireFinite(thresholds_[1], "the first band threshold");
}

std::optional<RgbColor> ColorScale::color(double v) const {
    const float vs = static_cast<float>(v);
    const float* t = thresholds_;
    auto f = [&](int k) { return std::fabs(v - static_cast<double>(t[k - 1])) / step_ * 255.0; };

    // Shades beyond a band's end saturate through the component clamp, which is the same as
    // capping f at 255.
    if (vs >= t[0] && vs <= t[1]) {
        switch (lowBand_) {
        case LowBand::Wavefront: return rgb(0, 0, f(1));
        case LowBand::PsfMap:
            return rgb(0, 0, std::fabs((v - t[0]) / static_cast<double>(t[1])) * 255.0 + 60.0);
        case LowBand::PsfSurface: return rgb(0, 0, std::fabs(v / step_) * 255.0 + 70.0);
        case LowBand::ReportPsfMap: return rgb(0, 0, std::fabs(v / step_) * 255.0 + 30.0);
        }
    }
    if (vs > t[1] && vs <= t[2])
        return rgb(0, f(2), 255);
    if (vs > t[2] && vs <= t[3])
        return rgb(0, 255, 255 - f(3));
    if (vs > t[3] && vs <= t[4])
        return rgb(f(4), 255, 0);
    if (vs > t[4])
        return rgb(255, 255 - f(5), 0);
    return std::nullopt;
}

std::optional<RgbColor> ColorScale::wavefrontBarColor(int y) {
    if (y < 1 || y > 1280)
        return std::nullopt;
    // Line y = 256 * band - i of band 1..5 (counted from the bottom), i = 0..255.
    const int band = (y + 255) / 256;
    const int i = 256 * band - y;
    switch (band) {
    case 5: return rgb(255, i, 0);
    case 4: return rgb(255 - i, 255, 0);
    case 3: return rgb(0, 255, i);
    case 2: return rgb(0, 255 - i, 255);
    default: return rgb(0, 0, 255 - i);
    }
}

std::optional<RgbColor> ColorScale::psfBarColor(int x) {
    if (x < 1 || x > 1280)
        return std::nullopt;
    const int band = (x + 255) / 256;
    const int i = 256 * band - x;
    switch (band) {
    case 5: return rgb(255, i + 50, 0);
    case 4: return rgb(255 - i, 255, 0);
    case 3: return rgb(0, 255, i);
    case 2: return rgb(0, 255 - i, 255);
    default: return rgb(0, 0, 255 - i);
    }
}

} // namespace lumi
