#include "tools/samplegen/seedednoise.h"

#include <cmath>
#include <numbers>

namespace lumi {

double SeededNoise::uniform() {
    // 53 random bits scaled into [0, 1).
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

double SeededNoise::gaussian() {
    if (hasSpare_) {
        hasSpare_ = false;
        return spare_;
    }
    const double u1 = 1.0 - uniform(); // (0, 1]: log stays finite
    const double u2 = uniform();
    const double radius = std::sqrt(-2.0 * std::log(u1));
    const double angle = 2.0 * std::numbers::pi * u2;
    spare_ = radius * std::sin(angle);
    hasSpare_ = true;
    return radius * std::cos(angle);
}

} // namespace lumi
