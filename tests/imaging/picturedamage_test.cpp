#include "imaging/picturedamage.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumi {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Bytes kSoi{0xFF, 0xD8};
const Bytes kApp0{0xFF, 0xE0, 0x00, 0x04, 'J', 'F'};
// Start of scan with a 4-byte header, then entropy-coded data holding a
// stuffed 0xFF00 and a restart marker, which do not end the scan.
const Bytes kScan{0xFF, 0xDA, 0x00, 0x04, 0x01, 0x02, 0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD3, 0x56};
const Bytes kEoi{0xFF, 0xD9};

Bytes bmp(std::int32_t width, std::int32_t height, std::uint16_t bits, std::size_t pixelBytes) {
    Bytes b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    b[10] = 54;
    b[14] = 40;
    for (int k = 0; k < 4; ++k) {
        b[18 + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(width >> (8 * k));
        b[22 + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(height >> (8 * k));
    }
    b[28] = static_cast<std::uint8_t>(bits);
    b.resize(54 + pixelBytes, 0x80);
    return b;
}

// Run-length coded (RLE8), rows of no fixed size, pixel data from `offset`.
Bytes rleBmp(std::uint8_t offset) {
    Bytes b = bmp(30, 1, 8, 4);
    b[10] = offset;
    b[30] = 1;
    return b;
}

struct Case {
    const char* name;
    Bytes bytes;
    bool damaged;
};

class PictureDamage : public ::testing::TestWithParam<Case> {};

TEST_P(PictureDamage, FindsTruncationOnly) {
    EXPECT_EQ(!pictureDamage(GetParam().bytes).empty(), GetParam().damaged);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PictureDamage,
    ::testing::Values(
        Case{"WholeJpeg", kSoi + kApp0 + kScan + kEoi, false},
        Case{"JpegWithBytesAfterTheEnd", kSoi + kApp0 + kScan + kEoi + Bytes{0, 0, 7}, false},
        Case{"ProgressiveJpegWithTwoScans", kSoi + kScan + kScan + kEoi, false},
        Case{"JpegCutInsideTheScan", kSoi + kApp0 + kScan, true},
        Case{"JpegCutAfterAStuffedByte", kSoi + kApp0 + Bytes(kScan.begin(), kScan.begin() + 9),
             true},
        Case{"JpegCutInsideAHeaderSegment", kSoi + Bytes(kApp0.begin(), kApp0.begin() + 3), true},
        // 3 x 2 pixels of 24 bits: rows of 9 bytes padded to 12.
        Case{"WholeBmp", bmp(3, 2, 24, 24), false}, Case{"TopDownBmp", bmp(3, -2, 24, 24), false},
        Case{"BmpMissingPartOfItsLastRow", bmp(3, 2, 24, 20), true},
        Case{"RleBmpWithItsPixelDataInside", rleBmp(54), false},
        Case{"RleBmpWithItsPixelDataPastTheEnd", rleBmp(200), true},
        Case{"BmpShorterThanItsHeader", Bytes{'B', 'M', 0, 0}, true},
        Case{"OtherFormatIsLeftToItsDecoder", Bytes{0x89, 'P', 'N', 'G'}, false},
        Case{"EmptyFile", Bytes{}, false}),
    [](const ::testing::TestParamInfo<Case>& p) { return std::string(p.param.name); });

} // namespace
} // namespace lumi
