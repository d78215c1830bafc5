// Deterministic mutation fuzzing of the fringe data file reader: whatever the
// bytes, it either returns a value within the store's limits or throws a
// FileError naming a line. The sanitizer build runs this too.
#include "fringe/fringedatafile.h"

#include "common/fileerror.h"
#include "common/numbertext.h"
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

// The file's non-blank lines, each split at its commas.
std::vector<std::vector<std::string>> linesOf(std::string text) {
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    std::vector<std::vector<std::string>> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        if (line.find_first_not_of(" \t") != std::string::npos) {
            std::vector<std::string> fields;
            std::size_t from = 0;
            for (std::size_t comma; (comma = line.find(',', from)) != std::string::npos;
                 from = comma + 1)
                fields.push_back(line.substr(from, comma - from));
            fields.push_back(line.substr(from));
            lines.push_back(fields);
        }
        start =
            end + ((end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

bool sameNumber(const std::string& field, double v) {
    const auto parsed = parseStrict(field);
    return parsed && *parsed == v;
}

// An accepted current-layout file holds exactly what its lines say: after the
// count, one line "fringe, x, y" per point, then the settings line and one
// line per aspheric value, and nothing more.
void checkLinesMatch(const std::string& text, const FringeDataFile& f) {
    const auto lines = linesOf(text);
    std::size_t seen = 0;
    std::size_t countLine = 0;
    while (countLine < lines.size() && seen + lines[countLine].size() < 7)
        seen += lines[countLine++].size();
    ASSERT_LT(countLine, lines.size());
    std::size_t at = countLine + 1;
    for (std::size_t i = 0; i < f.points.size(); ++i, ++at) {
        ASSERT_LT(at, lines.size());
        const auto& fields = lines[at];
        ASSERT_EQ(fields.size(), 3u) << "line of point " << i + 1;
        EXPECT_TRUE(sameNumber(fields[0], f.points[i].fringe));
        EXPECT_TRUE(sameNumber(fields[1], f.points[i].xPx));
        EXPECT_TRUE(sameNumber(fields[2], f.points[i].yPx));
    }
    if (!f.asphericPresent)
        return;
    ASSERT_EQ(lines.size(), at + 4) << "lines after the settings";
    ASSERT_EQ(lines[at].size(), 3u);
    EXPECT_TRUE(sameNumber(lines[at][0], f.inputWavelengthNm));
    EXPECT_TRUE(sameNumber(lines[at][1], f.outputWavelengthNm));
    for (std::size_t k = 1; k <= 3; ++k)
        EXPECT_EQ(lines[at + k].size(), 1u);
    EXPECT_TRUE(sameNumber(lines[at + 1][0], f.surfaceDiameterMm));
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
    // The values an analysis takes are within the limits an option has.
    if (f.wavelengthsPresent) {
        for (double nm : {f.inputWavelengthNm, f.outputWavelengthNm}) {
            ASSERT_GE(nm, 100.0);
            ASSERT_LE(nm, 100000.0);
        }
        ASSERT_NE(f.wavesPerFringe, 0.0f);
    }
    if (f.obstruction.radiusPx > 0.0) {
        ASSERT_LE(std::hypot(f.obstruction.centerXPx - f.aperture.centerXPx,
                             f.obstruction.centerYPx - f.aperture.centerYPx) +
                      f.obstruction.radiusPx,
                  f.aperture.radiusPx);
    }
    if (!f.points.empty()) {
        ASSERT_GT(f.aperture.radiusPx, 0.0);
    }

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
                if (layout == FringeDataFile::Layout::Current)
                    checkLinesMatch(text, f);
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
