// Deterministic mutation fuzzing of the --reference reader: whatever the
// bytes, it returns finite coefficients within their limit or throws a
// FileError naming a line of the file.
#include "cli/referencefile.h"

#include "clirun.h"
#include "common/fileerror.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>
#include <string>

namespace lumi::cli::test {
namespace {

std::string mutatedReference(std::mt19937& rng) {
    static const char* const kTokens[] = {"1E300", "-1E300", "1000001", "-.5", "nan",   "",
                                          "x",     ",",      "\r\n",    "0",   "1E-320"};
    std::uniform_int_distribution<int> count(0, 40);
    std::string text;
    for (int i = count(rng); i > 0; --i) {
        text += (rng() % 10 == 0) ? kTokens[rng() % std::size(kTokens)]
                                  : std::to_string(static_cast<int>(rng() % 2000) - 1000) + "." +
                                        std::to_string(rng() % 100);
        text += (rng() % 4 == 0) ? "," : "\r\n";
    }
    return text;
}

TEST(ReferenceFileFuzz, MutatedFilesGiveFiniteCoefficientsOrNameTheLine) {
    const ScratchFolder dir("reference-fuzz");
    const auto path = dir / "r.zrk";
    std::mt19937 rng(0x2E5u);
    int accepted = 0;
    int refused = 0;
    for (int iteration = 0; iteration < 300; ++iteration) {
        const std::string text = mutatedReference(rng);
        std::ofstream(path, std::ios::binary) << text; // plain write: fast enough for many
        try {
            for (double v : readReferenceFile(path))
                ASSERT_TRUE(std::isfinite(v) && std::fabs(v) <= kMaxReferenceFringes) << text;
            ++accepted;
        } catch (const FileError& e) {
            ASSERT_GE(e.line(), 1) << e.what() << "\n" << text;
            ++refused;
        }
    }
    EXPECT_GT(accepted, 20);
    EXPECT_GT(refused, 20);
}

} // namespace
} // namespace lumi::cli::test
