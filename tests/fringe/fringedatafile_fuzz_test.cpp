// Deterministic mutation fuzzing of the fringe data file reader: whatever the
// bytes, it either returns a value within the store's limits or throws a
// FileError naming a line. The sanitizer build runs this too.
#include "fringe/fringedatafile.h"

#include "common/fileerror.h"
#include "fringe/fringeeditor.h"
#include "fringe/fringestore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace lumi {
namespace {

std::string seedFile(std::mt19937& rng) {
    std::uniform_int_distribution<int> fringe(0, 6);
    std::uniform_real_distribution<double> pos(0.0, 640.0);
    FringeDataFile f;
    f.aperture = {320, 240, 200};
    f.obstruction = {321.5, 239.25, 30};
    for (int i = 0; i < 25; ++i)
        f.points.push_back({fringe(rng), pos(rng), pos(rng)});
    f.surfaceDiameterMm = 150;
    f.curvatureRadiusMm = 1200;
    return f.toText();
}

// Replacement texts that probe the limits of the fields.
const std::array<const char*, 16> kTokens = {
    "201", "200", "-1",  "1E308", "1E400", "-.5", ".",  "",
    "0",   "2.5", "nan", "40201", "\"1\"", ",",   "\r", "99999999999999999999"};

std::string mutate(std::string text, std::mt19937& rng) {
    const std::string alphabet = "0123456789.,-+Ee \r\n\t\"x";
    std::uniform_int_distribution<int> kind(0, 7);
    std::uniform_int_distribution<int> count(1, 4);
    for (int m = count(rng); m > 0; --m) {
        if (text.empty())
            text = "0";
        std::uniform_int_distribution<std::size_t> at(0, text.size() - 1);
        const std::size_t i = at(rng);
        switch (kind(rng)) {
        case 0: text[i] = alphabet[at(rng) % alphabet.size()]; break;
        case 1: text.insert(i, 1, alphabet[at(rng) % alphabet.size()]); break;
        case 2: text.erase(i, 1); break;
        case 3: text.resize(i); break; // truncate
        case 4: text[i] = static_cast<char>(rng() & 0xFF); break;
        case 5: { // replace one field by a probing token
            std::size_t end = text.find_first_of(",\r\n", i);
            if (end == std::string::npos)
                end = text.size();
            text.replace(i, end - i, kTokens[rng() % kTokens.size()]);
            break;
        }
        case 6: { // duplicate a line
            std::size_t start = text.rfind('\n', i);
            start = start == std::string::npos ? 0 : start + 1;
            std::size_t end = text.find('\n', i);
            end = end == std::string::npos ? text.size() : end + 1;
            text.insert(start, text.substr(start, end - start));
            break;
        }
        default: { // delete a line
            std::size_t start = text.rfind('\n', i);
            start = start == std::string::npos ? 0 : start + 1;
            std::size_t end = text.find('\n', i);
            end = end == std::string::npos ? text.size() : end + 1;
            text.erase(start, end - start);
            break;
        }
        }
    }
    return text;
}

int physicalLines(const std::string& text) {
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
            ++lines;
    }
    return lines;
}

void checkWithinLimits(const FringeDataFile& f) {
    std::array<int, FringeDataFile::kMaxFringeIndex + 1> perFringe{};
    for (const FringePoint& p : f.points) {
        ASSERT_GE(p.fringe, 0);
        ASSERT_LE(p.fringe, FringeDataFile::kMaxFringeIndex);
        ASSERT_LE(++perFringe[static_cast<std::size_t>(p.fringe)],
                  FringeStore::kMaxPointsPerFringe);
        ASSERT_TRUE(std::isfinite(p.xPx) && std::isfinite(p.yPx));
    }
    for (const ApertureCircle& c : {f.aperture, f.obstruction}) {
        ASSERT_TRUE(std::isfinite(c.centerXPx) && std::isfinite(c.centerYPx));
        ASSERT_TRUE(std::isfinite(c.radiusPx) && c.radiusPx >= 0.0);
    }
    ASSERT_TRUE(std::isfinite(f.wavesPerFringe) && std::isfinite(f.targetConic));
    ASSERT_TRUE(std::isfinite(f.inputWavelengthNm) && std::isfinite(f.surfaceDiameterMm));

    FringeStore store;
    FringeEditor editor;
    f.applyTo(store, editor);
    const auto inUse = std::count_if(f.points.begin(), f.points.end(),
                                     [](const FringePoint& p) { return p.fringe <= 100; });
    ASSERT_EQ(store.totalPointCount(), inUse);
    ASSERT_LE(editor.activeFringe(), 100);
    // What was loaded can be saved and read again.
    ASSERT_NO_THROW(FringeDataFile::parse(FringeDataFile::fromStore(store).toText()));
}

TEST(FringeDataFileFuzz, MutatedFilesEitherLoadWithinLimitsOrNameTheLine) {
    std::mt19937 rng(0xF1E5u);
    int accepted = 0;
    int refused = 0;
    for (int iteration = 0; iteration < 4000; ++iteration) {
        const std::string text = mutate(seedFile(rng), rng);
        const int lines = physicalLines(text);
        for (auto layout : {FringeDataFile::Layout::Current, FringeDataFile::Layout::OlderTwips}) {
            try {
                FringeDataFile f = FringeDataFile::parse(text, layout);
                checkWithinLimits(f);
                ++accepted;
            } catch (const FileError& e) {
                ASSERT_GE(e.line(), 1) << e.what();
                ASSERT_LE(e.line(), lines) << e.what();
                ASSERT_EQ(std::string(e.what()).rfind("line " + std::to_string(e.line()) + ": ", 0),
                          0u);
                ++refused;
            }
            if (::testing::Test::HasFatalFailure()) {
                ADD_FAILURE() << "input was:\n" << text;
                return;
            }
        }
    }
    // Both outcomes must actually be exercised.
    EXPECT_GT(accepted, 500);
    EXPECT_GT(refused, 500);
}

} // namespace
} // namespace lumi
