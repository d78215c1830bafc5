#include "optics/fieldtransform.h"
#include "optics/fourier.h"
#include "support/casename.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

namespace lumi {
namespace {

using Complex = std::complex<double>;

// X[k] = sum x[m] exp(+2 pi i m k / n), angles reduced exactly before use.
std::vector<Complex> directDft(const std::vector<Complex>& x) {
    const auto n = x.size();
    std::vector<Complex> out(n);
    for (std::size_t k = 0; k < n; ++k) {
        Complex sum = 0.0;
        for (std::size_t m = 0; m < n; ++m) {
            const double angle =
                2.0 * std::numbers::pi * static_cast<double>((m * k) % n) / static_cast<double>(n);
            sum += x[m] * std::polar(1.0, angle);
        }
        out[k] = sum;
    }
    return out;
}

class FourierVsDirect : public ::testing::TestWithParam<int> {};

TEST_P(FourierVsDirect, MatchesDirectDftAndKeepsInput) {
    const int n = GetParam();
    std::mt19937 rng(12345u + static_cast<unsigned>(n));
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    auto f = std::make_unique<Fourier>();
    std::vector<Complex> x(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        x[static_cast<std::size_t>(i)] = {dist(rng), dist(rng)};
        f->inputReal[static_cast<std::size_t>(i)] = x[static_cast<std::size_t>(i)].real();
        f->inputImag[static_cast<std::size_t>(i)] = x[static_cast<std::size_t>(i)].imag();
    }
    const auto inputRe = f->inputReal;
    const auto inputIm = f->inputImag;
    f->sampleCount = n;
    f->transform();
    const auto expected = directDft(x);
    for (int k = 0; k < n; ++k) {
        const auto uk = static_cast<std::size_t>(k);
        EXPECT_NEAR(f->outputReal[uk], expected[uk].real(), 1e-9) << "n " << n << " k " << k;
        EXPECT_NEAR(f->outputImag[uk], expected[uk].imag(), 1e-9) << "n " << n << " k " << k;
    }
    EXPECT_EQ(f->inputReal, inputRe);
    EXPECT_EQ(f->inputImag, inputIm);
}

INSTANTIATE_TEST_SUITE_P(PowersOfTwo, FourierVsDirect,
                         ::testing::Values(2, 4, 8, 16, 32, 64, 128, 256, 512),
                         [](const auto& i) { return lumi::test::caseName("n", i.param); });

struct SmallCase {
    int n;
    std::vector<Complex> input;
    std::vector<Complex> expected;
};

class FourierSmallCases : public ::testing::TestWithParam<SmallCase> {};

TEST_P(FourierSmallCases, GivesKnownOutput) {
    const auto& tc = GetParam();
    auto f = std::make_unique<Fourier>();
    for (std::size_t i = 0; i < tc.input.size(); ++i) {
        f->inputReal[i] = tc.input[i].real();
        f->inputImag[i] = tc.input[i].imag();
    }
    f->sampleCount = tc.n;
    f->transform();
    for (std::size_t k = 0; k < tc.expected.size(); ++k) {
        EXPECT_NEAR(f->outputReal[k], tc.expected[k].real(), 1e-14) << "k " << k;
        EXPECT_NEAR(f->outputImag[k], tc.expected[k].imag(), 1e-14) << "k " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, FourierSmallCases,
    ::testing::Values(
        // n = 2, impulse at 0: flat spectrum.
        SmallCase{2, {{1, 0}, {0, 0}}, {{1, 0}, {1, 0}}},
        // n = 4, impulse at 1: exp(+2 pi i k / 4), the sign of the exponent.
        SmallCase{4, {{0, 0}, {1, 0}, {0, 0}, {0, 0}}, {{1, 0}, {0, 1}, {-1, 0}, {0, -1}}},
        // No 1/n scaling: a constant gives n at zero frequency.
        SmallCase{8,
                  {{1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0}},
                  {{8, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}),
    [](const auto& i) { return lumi::test::caseName("n", i.param.n, "case", i.index); });

TEST(FourierHelpers, BitCountSizeAndReversal) {
    struct Row {
        int n;
        int bits;
        bool valid;
    };
    for (const Row& row :
         {Row{0, 0, false}, Row{1, 0, false}, Row{2, 1, true}, Row{6, 1, false}, Row{256, 8, true},
          Row{512, 9, true}, Row{1024, 10, true}, Row{-4, 2, false}, Row{1 << 17, 0, true}}) {
        EXPECT_EQ(Fourier::bitCount(row.n), row.bits) << row.n;
        EXPECT_EQ(Fourier::sizeValid(row.n), row.valid) << row.n;
    }
    EXPECT_EQ(Fourier::bitReverse(1, 3), 4);
    EXPECT_EQ(Fourier::bitReverse(6, 3), 3);
    EXPECT_EQ(Fourier::bitReverse(1, 9), 256);
    EXPECT_EQ(Fourier::bitReverse(0b101100, 6), 0b001101);
    // Bits above the count are dropped.
    EXPECT_EQ(Fourier::bitReverse(0b1110, 2), 0b01);
}

class FourierInvalidSize : public ::testing::TestWithParam<int> {};

TEST_P(FourierInvalidSize, AbortsWithTheReason) {
    const int n = GetParam();
    auto f = std::make_unique<Fourier>();
    f->sampleCount = n;
    EXPECT_DEATH(f->transform(), "NumSamples is " + std::to_string(n) +
                                     ", which is not a positive integer power of two");
}

INSTANTIATE_TEST_SUITE_P(ProgrammingErrors, FourierInvalidSize,
                         ::testing::Values(6, 1, 0, -8, 1024),
                         [](const auto& i) { return lumi::test::caseName("n", i.param); });

// The 2-D transform must give exactly what the row-by-row use of Fourier gives.
class FieldTransformVsFourier : public ::testing::TestWithParam<int> {};

TEST_P(FieldTransformVsFourier, SameNumbersAsLineByLineFourier) {
    const int n = GetParam();
    std::mt19937 rng(777u);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    auto field = std::make_unique<ComplexField>();
    auto reference = std::make_unique<ComplexField>();
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            field->real(r, c) = reference->real(r, c) = dist(rng);
            field->imag(r, c) = reference->imag(r, c) = dist(rng);
        }
    }
    // A sentinel just outside the block must survive.
    field->real(n, 0) = field->real(0, n) = 42.0;

    auto f = std::make_unique<Fourier>();
    f->sampleCount = n;
    for (int i = 0; i < n; ++i) { // along the first index
        for (int k = 0; k < n; ++k) {
            f->inputReal[static_cast<std::size_t>(k)] = reference->real(k, i);
            f->inputImag[static_cast<std::size_t>(k)] = reference->imag(k, i);
        }
        f->transform();
        for (int k = 0; k < n; ++k) {
            reference->real(k, i) = f->outputReal[static_cast<std::size_t>(k)];
            reference->imag(k, i) = f->outputImag[static_cast<std::size_t>(k)];
        }
    }
    for (int m = 0; m < n; ++m) { // along the second index
        for (int k = 0; k < n; ++k) {
            f->inputReal[static_cast<std::size_t>(k)] = reference->real(m, k);
            f->inputImag[static_cast<std::size_t>(k)] = reference->imag(m, k);
        }
        f->transform();
        for (int k = 0; k < n; ++k) {
            reference->real(m, k) = f->outputReal[static_cast<std::size_t>(k)];
            reference->imag(m, k) = f->outputImag[static_cast<std::size_t>(k)];
        }
    }

    FieldTransform transform;
    transform.transform2d(*field, n);
    double largest = 0.0;
    double worst = 0.0;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            largest = std::max(
                {largest, std::abs(reference->real(r, c)), std::abs(reference->imag(r, c))});
            worst = std::max({worst, std::abs(field->real(r, c) - reference->real(r, c)),
                              std::abs(field->imag(r, c) - reference->imag(r, c))});
        }
    }
    EXPECT_LE(worst, 1e-12 * largest) << "n " << n;
    EXPECT_EQ(field->real(n, 0), 42.0);
    EXPECT_EQ(field->real(0, n), 42.0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FieldTransformVsFourier, ::testing::Values(2, 8, 64, 256, 512),
                         [](const auto& i) { return lumi::test::caseName("n", i.param); });

TEST(FieldTransformDeath, InvalidSizeOrColumnRangeAborts) {
    auto field = std::make_unique<ComplexField>();
    FieldTransform transform;
    EXPECT_DEATH(transform.transform2d(*field, 6), "not a power of two");
    EXPECT_DEATH(transform.transform2d(*field, 1024), "not a power of two");
    EXPECT_DEATH(transform.alongFirst(*field, 64, 10, 65), "column range");
}

// Transforming only the columns that hold data gives the full transform.
TEST(FieldTransform, ColumnRangeSkipsOnlyZeroLines) {
    const int n = 64;
    std::mt19937 rng(99u);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    auto full = std::make_unique<ComplexField>();
    auto part = std::make_unique<ComplexField>();
    for (int r = 0; r < n; ++r) {
        for (int c = 20; c < 45; ++c) {
            full->real(r, c) = part->real(r, c) = dist(rng);
            full->imag(r, c) = part->imag(r, c) = dist(rng);
        }
    }
    FieldTransform transform;
    transform.transform2d(*full, n);
    transform.alongFirst(*part, n, 20, 45);
    transform.alongSecond(*part, n);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            ASSERT_EQ(part->real(r, c), full->real(r, c)) << r << "," << c;
            ASSERT_EQ(part->imag(r, c), full->imag(r, c)) << r << "," << c;
        }
    }
}

} // namespace
} // namespace lumi
