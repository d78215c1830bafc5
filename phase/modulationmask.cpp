#include "phase/modulationmask.h"

#include "common/numbertext.h"
#include "phase/phaseshifterror.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lumi::phase {
namespace {

bool inside(const ApertureCircle* c, double x, double y) {
    const double dx = x - c->centerXPx, dy = y - c->centerYPx;
    return dx * dx + dy * dy <= c->radiusPx * c->radiusPx;
}

std::string greyText(double v) {
    return formatFixed(v, 1);
}

} // namespace

ModulationMask modulationMask(const PhaseShiftMap& map, const ApertureCircle* aperture,
                              const ApertureCircle* obstruction) {
    const std::size_t pixels = map.modulation.size();
    const bool useObstruction = obstruction && obstruction->radiusPx > 0.0;
    const auto considered = [&](std::size_t i) {
        if (!aperture && !useObstruction)
            return true;
        const double x = map.pictureX(static_cast<double>(i % static_cast<std::size_t>(map.width)));
        const double y = map.pictureY(static_cast<double>(i / static_cast<std::size_t>(map.width)));
        return (!aperture || inside(aperture, x, y)) &&
               (!useObstruction || !inside(obstruction, x, y));
    };

    // 99th percentile of the modulation (tenth-of-a-grey-level bins) over the
    // pixels considered.
    constexpr int kBins = 2560;
    std::array<std::size_t, kBins> histogram{};
    std::size_t counted = 0;
    for (std::size_t i = 0; i < pixels; ++i)
        if (considered(i)) {
            const int bin = std::clamp(static_cast<int>(map.modulation[i] * 10.0f), 0, kBins - 1);
            ++histogram[static_cast<std::size_t>(bin)];
            ++counted;
        }
    ModulationMask out;
    std::size_t below = 0;
    const auto target = static_cast<std::size_t>(0.99 * static_cast<double>(counted));
    int bin = 0;
    for (; bin < kBins - 1 && below + histogram[static_cast<std::size_t>(bin)] <= target; ++bin)
        below += histogram[static_cast<std::size_t>(bin)];
    out.levelGrey = (bin + 0.5) / 10.0;
    if (counted == 0 || out.levelGrey < kMinModulationGrey)
        throw PhaseShiftError(PhaseShiftError::Kind::LowModulation,
                              "The frames show too little fringe modulation (" +
                                  greyText(counted ? out.levelGrey : 0.0) +
                                  " grey levels, at least " + greyText(kMinModulationGrey) +
                                  " needed): do the fringes move between the frames?");
    out.thresholdGrey = kModulationThresholdShare * out.levelGrey;

    out.inPupil.assign(pixels, 0);
    out.quality.assign(pixels, 0.0f);
    std::size_t clipped = 0;
    const auto level = static_cast<float>(out.levelGrey);
    const auto threshold = static_cast<float>(out.thresholdGrey);
    for (std::size_t i = 0; i < pixels; ++i) {
        const float m = map.modulation[i];
        out.quality[i] = std::min(m / level, 1.0f);
        if (m >= threshold && considered(i)) {
            out.inPupil[i] = 1;
            ++out.pupilPixels;
            clipped += map.clipped[i];
        }
    }
    if (out.pupilPixels < kMinPupilPixels)
        throw PhaseShiftError(PhaseShiftError::Kind::LowModulation,
                              "Only " + std::to_string(out.pupilPixels) +
                                  " pixels show fringe modulation (at least " +
                                  std::to_string(kMinPupilPixels) + " needed)");
    out.clippedShare = static_cast<double>(clipped) / static_cast<double>(out.pupilPixels);
    return out;
}

} // namespace lumi::phase
