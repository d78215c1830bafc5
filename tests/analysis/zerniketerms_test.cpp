#include "analysis/zernike.h"

#include <gtest/gtest.h>

#include <random>

namespace lumi {
namespace {

// The all-terms evaluator is used by the fit and the sampler in place of
// evaluateZernike; results must match to the last bit or fits drift.
TEST(EvaluateZernikeTerms, BitIdenticalToSingleTermEvaluation) {
    std::mt19937 rng(42u);
    std::uniform_real_distribution<double> u(-1.3, 1.3);
    for (int i = 0; i < 5000; ++i) {
        const double x = i < 4 ? (i % 2 ? 1.0 : 0.0) : u(rng);
        const double y = i < 4 ? (i / 2 ? -1.0 : 0.0) : u(rng);
        const auto z = evaluateZernikeTerms(x, y);
        for (int n = 0; n < kZernikeTermCount; ++n)
            ASSERT_EQ(z[static_cast<std::size_t>(n)], evaluateZernike(n, x, y))
                << "term " << n << " at (" << x << ", " << y << ")";
    }
}

} // namespace
} // namespace lumi
