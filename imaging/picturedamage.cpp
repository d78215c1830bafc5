#include "imaging/picturedamage.h"

#include <cstdlib>

namespace lumi {

namespace {

std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// Walks the marker segments; inside a scan only 0xFF followed by a marker
// other than a stuffed zero or a restart marker ends the entropy-coded data.
std::string jpegDamage(std::span<const std::uint8_t> b) {
    std::size_t i = 2; // past SOI
    bool inScan = false;
    while (i + 1 < b.size()) {
        if (inScan) {
            if (b[i] != 0xFF) {
                ++i;
                continue;
            }
            const std::uint8_t next = b[i + 1];
            if (next == 0x00 || next == 0xFF || (next >= 0xD0 && next <= 0xD7)) {
                i += next == 0xFF ? 1 : 2;
                continue;
            }
            inScan = false;
        }
        if (b[i] != 0xFF) {
            return "the JPEG data are corrupt (a marker is missing)";
        }
        const std::uint8_t marker = b[i + 1];
        if (marker == 0xFF) {
            ++i; // fill byte
            continue;
        }
        if (marker == 0xD9) {
            return {};
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2; // markers without a length
            continue;
        }
        if (i + 3 >= b.size()) {
            break;
        }
        const std::size_t length = static_cast<std::size_t>(b[i + 2]) << 8 | b[i + 3];
        if (length < 2) {
            return "the JPEG data are corrupt (a segment has no length)";
        }
        i += 2 + length;
        inScan = marker == 0xDA;
    }
    return "the JPEG file ends before the end of its picture data (it is truncated)";
}

std::string bmpDamage(std::span<const std::uint8_t> b) {
    if (b.size() < 34) {
        return "the BMP file is shorter than its header";
    }
    const std::uint32_t pixelOffset = le32(b, 10);
    const std::uint32_t headerSize = le32(b, 14);
    if (pixelOffset >= b.size()) {
        // Whatever the coding, the rows would be read from nothing.
        return "the BMP file's pixel data would start at byte " + std::to_string(pixelOffset) +
               ", past its end (it is truncated or damaged)";
    }
    if (headerSize < 40) {
        return {}; // old core header: left to the decoder
    }
    const auto width = static_cast<std::int32_t>(le32(b, 18));
    const auto height = static_cast<std::int32_t>(le32(b, 22));
    const std::uint16_t bitsPerPixel = le16(b, 28);
    const std::uint32_t compression = le32(b, 30);
    if (compression != 0 && compression != 3) {
        return {}; // run-length coded rows have no fixed size
    }
    if (width <= 0 || height == 0 || bitsPerPixel == 0) {
        return {};
    }
    // Rows are padded to whole 32-bit words.
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
    const std::uint64_t needed =
        pixelOffset + rowBytes * static_cast<std::uint64_t>(std::llabs(height));
    if (b.size() < needed) {
        return "the BMP file ends before the last row of its picture (it is truncated)";
    }
    return {};
}

} // namespace

std::string pictureDamage(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
        return jpegDamage(bytes);
    }
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        return bmpDamage(bytes);
    }
    return {};
}

} // namespace lumi
