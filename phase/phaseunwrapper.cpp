#include "phase/phaseunwrapper.h"

#include "phase/phaseerror.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <string>

namespace lumi::phase {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

double wrap(double a) {
    return a - kTwoPi * std::round(a / kTwoPi);
}

void checkField(const PhaseField& f) {
    const auto n = static_cast<std::size_t>(std::max(f.width, 0)) *
                   static_cast<std::size_t>(std::max(f.height, 0));
    if (f.width <= 0 || f.height <= 0 || f.phaseRad.size() != n || f.quality.size() != n ||
        f.inPupil.size() != n)
        throw PhaseError(PhaseError::Kind::BadInput,
                         "The phase map of " + std::to_string(f.width) + " x " +
                             std::to_string(f.height) +
                             " pixels does not hold one phase, quality and pupil flag per pixel");
}

// Reliability of each pupil pixel: quality / (1 + second-difference magnitude).
std::vector<float> reliabilities(const PhaseField& f, const std::vector<double>& phase) {
    const int w = f.width;
    const int h = f.height;
    std::vector<float> rel(phase.size(), 0.0f);
    auto in = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h &&
               f.inPupil[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                         static_cast<std::size_t>(x)] != 0;
    };
    auto at = [&](int x, int y) {
        return phase[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                     static_cast<std::size_t>(x)];
    };
    constexpr int kDirections[4][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!in(x, y))
                continue;
            const double c = at(x, y);
            double sum = 0.0;
            for (const auto& d : kDirections) {
                if (!in(x - d[0], y - d[1]) || !in(x + d[0], y + d[1]))
                    continue;
                const double second =
                    wrap(at(x - d[0], y - d[1]) - c) - wrap(c - at(x + d[0], y + d[1]));
                sum += second * second;
            }
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                                  static_cast<std::size_t>(x);
            const float q = std::clamp(f.quality[i], 0.0f, 1.0f);
            rel[i] = static_cast<float>(static_cast<double>(q) / (1.0 + std::sqrt(sum)));
        }
    }
    return rel;
}

} // namespace

UnwrapResult unwrapPhase(const PhaseField& wrapped) {
    checkField(wrapped);
    const auto w = static_cast<std::size_t>(wrapped.width);
    const auto h = static_cast<std::size_t>(wrapped.height);
    const std::size_t n = w * h;

    UnwrapResult result;
    PhaseField& out = result.field;
    out.width = wrapped.width;
    out.height = wrapped.height;
    out.quality = wrapped.quality;
    out.inPupil = wrapped.inPupil;
    out.phaseRad.resize(n);
    std::size_t pupilCount = 0;
    for (std::size_t i = 0; i < n; ++i) {
        out.phaseRad[i] = wrapped.inPupil[i] ? wrap(wrapped.phaseRad[i]) : 0.0;
        pupilCount += wrapped.inPupil[i] ? 1u : 0u;
    }
    if (pupilCount == 0)
        throw PhaseError(PhaseError::Kind::BadInput, "The phase map has no pixel in the pupil");
    std::vector<double>& u = out.phaseRad;
    const std::vector<float> rel = reliabilities(wrapped, u);

    // Edge e = 2 * pixel + (0: to the right neighbour, 1: to the one below), sorted
    // by reliability from high to low with a counting sort on a 16-bit key.
    constexpr std::uint32_t kKeys = 65536;
    std::vector<std::uint16_t> key(2 * n, 0);
    std::vector<std::uint32_t> bucketStart(kKeys + 1, 0);
    std::size_t edgeCount = 0;
    auto edgeKey = [&](std::size_t a, std::size_t b) {
        const double r = 0.5 * static_cast<double>(rel[a] + rel[b]); // 0..1
        return static_cast<std::uint16_t>(r * (kKeys - 1) + 0.5);
    };
    std::vector<std::uint8_t> hasEdge(2 * n, 0);
    for (std::size_t y = 0; y < h; ++y) {
        for (std::size_t x = 0; x < w; ++x) {
            const std::size_t i = y * w + x;
            if (!out.inPupil[i])
                continue;
            if (x + 1 < w && out.inPupil[i + 1]) {
                key[2 * i] = edgeKey(i, i + 1);
                hasEdge[2 * i] = 1;
                ++bucketStart[kKeys - 1 - key[2 * i]];
                ++edgeCount;
            }
            if (y + 1 < h && out.inPupil[i + w]) {
                key[2 * i + 1] = edgeKey(i, i + w);
                hasEdge[2 * i + 1] = 1;
                ++bucketStart[kKeys - 1 - key[2 * i + 1]];
                ++edgeCount;
            }
        }
    }
    std::uint32_t running = 0;
    for (std::uint32_t k = 0; k <= kKeys; ++k) {
        const std::uint32_t count = bucketStart[k];
        bucketStart[k] = running;
        running += count;
    }
    std::vector<std::uint32_t> order(edgeCount);
    for (std::size_t e = 0; e < 2 * n; ++e)
        if (hasEdge[e])
            order[bucketStart[kKeys - 1 - key[e]]++] = static_cast<std::uint32_t>(e);
    key.clear();
    key.shrink_to_fit();
    hasEdge.clear();
    hasEdge.shrink_to_fit();

    // Pieces as linked lists: group[i] is the piece of pixel i (its first pixel),
    // next[i] the following pixel of the piece, last/size per piece.
    constexpr std::uint32_t kEnd = 0xffffffffu;
    std::vector<std::uint32_t> group(n);
    std::vector<std::uint32_t> next(n, kEnd);
    std::vector<std::uint32_t> last(n);
    std::vector<std::uint32_t> size(n, 1);
    for (std::size_t i = 0; i < n; ++i) {
        group[i] = static_cast<std::uint32_t>(i);
        last[i] = static_cast<std::uint32_t>(i);
    }
    for (const std::uint32_t e : order) {
        const std::size_t a = e / 2;
        const std::size_t b = (e % 2 == 0) ? a + 1 : a + w;
        std::uint32_t ga = group[a];
        std::uint32_t gb = group[b];
        if (ga == gb)
            continue;
        double turns = std::round((u[a] - u[b]) / kTwoPi);
        if (size[ga] < size[gb]) { // move the smaller piece a onto b
            std::swap(ga, gb);
            turns = -turns;
        }
        const double shift = kTwoPi * turns;
        for (std::uint32_t p = gb; p != kEnd; p = next[p]) {
            u[p] += shift;
            group[p] = ga;
        }
        next[last[ga]] = gb;
        last[ga] = last[gb];
        size[ga] += size[gb];
    }

    // Keep the largest piece; clear pixels on either side of a remaining jump.
    std::uint32_t biggest = kEnd;
    for (std::size_t i = 0; i < n; ++i)
        if (out.inPupil[i] && group[i] == i && (biggest == kEnd || size[i] > size[biggest]))
            biggest = static_cast<std::uint32_t>(i);
    std::vector<std::uint8_t> keep(n, 0);
    for (std::size_t i = 0; i < n; ++i)
        keep[i] = (out.inPupil[i] && group[i] == biggest) ? 1 : 0;
    std::vector<std::uint8_t> jump(n, 0);
    for (std::size_t y = 0; y < h; ++y) {
        for (std::size_t x = 0; x < w; ++x) {
            const std::size_t i = y * w + x;
            if (!keep[i])
                continue;
            if (x + 1 < w && keep[i + 1] && std::fabs(u[i] - u[i + 1]) > std::numbers::pi)
                jump[i] = jump[i + 1] = 1;
            if (y + 1 < h && keep[i + w] && std::fabs(u[i] - u[i + w]) > std::numbers::pi)
                jump[i] = jump[i + w] = 1;
        }
    }
    std::size_t cleared = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!out.inPupil[i])
            continue;
        if (!keep[i] || jump[i]) {
            out.inPupil[i] = 0;
            ++cleared;
        }
    }
    result.failedShare = static_cast<double>(cleared) / static_cast<double>(pupilCount);
    return result;
}

} // namespace lumi::phase
