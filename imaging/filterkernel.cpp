#include "imaging/filterkernel.h"

#include "imaging/rowbands.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace lumi {

KernelWeights kernelWeights(FilterKernel kernel) {
    const auto fill = [](float edge, float corner, float centre) {
        return KernelWeights{
            {{corner, edge, corner}, {edge, centre, edge}, {corner, edge, corner}}};
    };
    switch (kernel) {
    case FilterKernel::Uniform: return fill(1.0f / 9, 1.0f / 9, 1.0f / 9);
    case FilterKernel::Peaked: return fill(2.0f / 15, 1.0f / 15, 3.0f / 15);
    case FilterKernel::StronglyPeaked: return fill(1.0f / 20, 1.0f / 20, 12.0f / 20);
    case FilterKernel::VeryWeak: return fill(-1.0f / 12, -1.0f / 12, 20.0f / 12);
    case FilterKernel::Weak: return fill(-0.25f, -0.25f, 3.0f);
    case FilterKernel::Strong: return fill(-1.0f, 0.0f, 5.0f);
    }
    return {};
}

namespace {

// For one weight w and each component value p: round(S + p w) - S for a whole
// running sum S. p w is exact in double (a 24-bit weight times 8 bits), so this is
// floor(p w) plus 0 or 1, the one depending on S only when p w ends in exactly .5
// (then S + floor(p w) is rounded up to even). Stored as 2 floor + halfFlag.
std::array<std::int16_t, 256> stepTable(float w, bool& anyHalf) {
    std::array<std::int16_t, 256> t{};
    for (int p = 0; p < 256; ++p) {
        const double product = p * static_cast<double>(w);
        const double lower = std::floor(product);
        const double fraction = product - lower;
        int step = static_cast<int>(lower);
        int half = 0;
        if (fraction > 0.5) {
            step += 1;
        } else if (fraction == 0.5) {
            half = 1;
            anyHalf = true;
        }
        t[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(2 * step + half);
    }
    return t;
}

// sums[i] = round(sums[i] + product) for one tap, products as stepTable codes.
void addTap(std::int16_t* __restrict sums, const std::int16_t* __restrict codes, std::size_t begin,
            std::size_t end, bool anyHalf) {
    if (anyHalf) {
        for (std::size_t i = begin; i < end; ++i) {
            const auto sum = static_cast<std::int16_t>(sums[i] + (codes[i] >> 1));
            sums[i] = static_cast<std::int16_t>(sum + (sum & codes[i] & 1));
        }
    } else {
        for (std::size_t i = begin; i < end; ++i) {
            sums[i] = static_cast<std::int16_t>(sums[i] + (codes[i] >> 1));
        }
    }
}

struct Tap {
    int table;   // index into the step tables (one per distinct weight)
    int column;  // k, -1..1
    int rowSlot; // t, -1..1
};

} // namespace

PixelGrid applyFilterKernel(const PixelGrid& in, const KernelWeights& weights) {
    const int w = in.width();
    const int h = in.height();
    PixelGrid out(w, h);
    if (w < 3 || h < 3) {
        return out;
    }
    // Distinct non-zero weights get one table each; a zero weight adds round(S + 0) = S.
    std::vector<float> distinct;
    std::vector<std::array<std::int16_t, 256>> tables;
    std::vector<Tap> taps;
    bool anyHalf = false;
    for (int k = -1; k <= 1; ++k) {
        for (int t = -1; t <= 1; ++t) {
            const float weight =
                weights[static_cast<std::size_t>(k + 1)][static_cast<std::size_t>(t + 1)];
            if (weight == 0.0f) {
                continue;
            }
            auto found = std::find(distinct.begin(), distinct.end(), weight);
            if (found == distinct.end()) {
                distinct.push_back(weight);
                tables.push_back(stepTable(weight, anyHalf));
                found = distinct.end() - 1;
            }
            taps.push_back({static_cast<int>(found - distinct.begin()), k, t});
        }
    }
    const int tableCount = static_cast<int>(tables.size());
    const auto rowBytes = static_cast<std::size_t>(w) * 3;
    const auto* inBytes = reinterpret_cast<const std::uint8_t*>(in.data());
    auto* outBytes = reinterpret_cast<std::uint8_t*>(out.data());

    // Bands of output rows 1..h-2. Every band maps each input row it needs once
    // through each table into a ring of three rows, then sums the taps over the
    // row's interleaved bytes: channel-blind, since a column step is 3 bytes.
    forEachRowBand(h - 2, [&](int firstBand, int endBand) {
        std::vector<std::int16_t> ring(static_cast<std::size_t>(tableCount) * 3 * rowBytes);
        int ringRow[3] = {-1, -1, -1};
        std::vector<std::int16_t> sums(rowBytes);
        const auto mapped = [&](int table, int inputRow) {
            return ring.data() +
                   (static_cast<std::size_t>(table) * 3 + static_cast<std::size_t>(inputRow % 3)) *
                       rowBytes;
        };
        for (int y = firstBand + 1; y < endBand + 1; ++y) {
            for (int r = y - 1; r <= y + 1; ++r) {
                if (ringRow[r % 3] == r) {
                    continue;
                }
                ringRow[r % 3] = r;
                const std::uint8_t* src = inBytes + static_cast<std::size_t>(r) * rowBytes;
                for (int table = 0; table < tableCount; ++table) {
                    const std::int16_t* step = tables[static_cast<std::size_t>(table)].data();
                    std::int16_t* dst = mapped(table, r);
                    for (std::size_t i = 0; i < rowBytes; ++i) {
                        dst[i] = step[src[i]];
                    }
                }
            }
            // Interior bytes: pixels 1..w-2.
            const std::size_t begin = 3;
            const std::size_t end = rowBytes - 3;
            std::fill(sums.begin(), sums.end(), std::int16_t{0});
            for (const Tap& tap : taps) {
                addTap(sums.data(), mapped(tap.table, y + tap.rowSlot) + 3 * tap.column, begin, end,
                       anyHalf);
            }
            const std::int16_t* s = sums.data();
            std::uint8_t* dst = outBytes + static_cast<std::size_t>(y) * rowBytes;
            for (std::size_t i = begin; i < end; ++i) {
                dst[i] = static_cast<std::uint8_t>(std::clamp<int>(s[i], 0, 255));
            }
        }
    });
    return out;
}

} // namespace lumi
