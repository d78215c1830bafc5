#pragma once

#include <cstdint>
#include <random>

namespace lumi {

// Reproducible random numbers: the engine is fully specified by the standard and the
// conversions are our own, so a given seed yields the same picture with every library.
class SeededNoise {
public:
    explicit SeededNoise(std::uint64_t seed) : engine_(seed) {}

    // Uniform in [0, 1).
    double uniform();
    // Standard normal (mean 0, deviation 1), Box-Muller.
    double gaussian();

private:
    std::mt19937_64 engine_;
    double spare_ = 0.0;
    bool hasSpare_ = false;
};

} // namespace lumi
