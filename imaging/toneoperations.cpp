#include "imaging/toneoperations.h"

#include "common/numbertext.h"
#include "imaging/rowbands.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace lumi {
namespace {

using ComponentTable = std::array<std::uint8_t, 256>;
// Indexed by R + G + B (0..765).
using SumTable = std::array<std::uint8_t, 766>;

std::uint8_t clampRounded(double v) {
    return static_cast<std::uint8_t>(std::clamp(roundHalfEven(v), 0.0, 255.0));
}

// Slider value v as the single-precision factor v / 100.
double sliderFactor(int v) {
    return static_cast<double>(narrowToSingle(static_cast<double>(v) / 100.0));
}

// "Towards 255" for f > 0 (brightness form) or the scaling form otherwise; the
// colour balance's green and blue swap the two forms.
ComponentTable fractionTable(double f, bool towardsWhiteWhenPositive) {
    ComponentTable t{};
    for (int c = 0; c < 256; ++c) {
        const bool towardsWhite = towardsWhiteWhenPositive ? f > 0.0 : f < 0.0;
        t[static_cast<std::size_t>(c)] = clampRounded(towardsWhite ? c + f * (255 - c) : c + f * c);
    }
    return t;
}

SumTable meanTable() {
    SumTable t{};
    for (int s = 0; s < 766; ++s) {
        t[static_cast<std::size_t>(s)] = clampRounded(s / 3.0);
    }
    return t;
}

int sumOf(const PixelTriple& p) {
    return p.red + p.green + p.blue;
}

// Each pixel through f, rows in two bands.
template <typename PixelFunction> PixelGrid mapPixels(const PixelGrid& in, const PixelFunction& f) {
    PixelGrid out(in.width(), in.height());
    forEachRowBand(in.height(), [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const PixelTriple* src = in.row(y);
            PixelTriple* dst = out.row(y);
            for (int x = 0; x < in.width(); ++x) {
                dst[x] = f(src[x]);
            }
        }
    });
    return out;
}

// Each pixel through per-component tables.
PixelGrid mapComponents(const PixelGrid& in, const ComponentTable& blue,
                        const ComponentTable& green, const ComponentTable& red) {
    return mapPixels(in, [&](const PixelTriple& p) {
        return PixelTriple{blue[p.blue], green[p.green], red[p.red]};
    });
}

} // namespace

PixelGrid adjustBrightness(const PixelGrid& in, int brightness) {
    const ComponentTable t = fractionTable(sliderFactor(brightness), true);
    return mapComponents(in, t, t, t);
}

PixelGrid adjustContrast(const PixelGrid& in, int contrast) {
    const double k = sliderFactor(contrast);
    ComponentTable t{};
    for (int c = 0; c < 256; ++c) {
        t[static_cast<std::size_t>(c)] = clampRounded((c - 128) * k + 128);
    }
    return mapComponents(in, t, t, t);
}

PixelGrid binaryContrast(const PixelGrid& in, int threshold) {
    const SumTable mean = meanTable();
    SumTable t{};
    for (std::size_t s = 0; s < t.size(); ++s) {
        t[s] = mean[s] >= threshold ? 255 : 0;
    }
    return mapPixels(in, [&t](const PixelTriple& p) {
        const std::uint8_t v = t[static_cast<std::size_t>(sumOf(p))];
        return PixelTriple{v, v, v};
    });
}

PixelGrid balanceColors(const PixelGrid& in, int red, int green, int blue) {
    return mapComponents(in, fractionTable(sliderFactor(blue), false),
                         fractionTable(sliderFactor(green), false),
                         fractionTable(sliderFactor(red), true));
}

PixelGrid adjustSaturation(const PixelGrid& in, int saturation) {
    const double s = sliderFactor(saturation);
    const SumTable mean = meanTable();
    // table[u * 256 + c]: component c of a pixel whose rounded mean is u.
    std::vector<std::uint8_t> table(256 * 256);
    for (int u = 0; u < 256; ++u) {
        for (int c = 0; c < 256; ++c) {
            table[static_cast<std::size_t>(u * 256 + c)] = clampRounded(c + s * (c - u));
        }
    }
    return mapPixels(in, [&](const PixelTriple& p) {
        const std::uint8_t* t = table.data() + mean[static_cast<std::size_t>(sumOf(p))] * 256;
        return PixelTriple{t[p.blue], t[p.green], t[p.red]};
    });
}

PixelGrid greyScale(const PixelGrid& in) {
    const SumTable mean = meanTable();
    return mapPixels(in, [&mean](const PixelTriple& p) {
        const std::uint8_t g = mean[static_cast<std::size_t>(sumOf(p))];
        return PixelTriple{g, g, g};
    });
}

PixelGrid invertColors(const PixelGrid& in) {
    ComponentTable t{};
    for (int c = 0; c < 256; ++c) {
        t[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(255 - c);
    }
    return mapComponents(in, t, t, t);
}

} // namespace lumi
