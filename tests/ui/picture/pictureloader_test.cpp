#include "ui/picture/pictureloader.h"

#include "imaging/imagingerror.h"
#include "support/scratchfolder.h"
#include "ui/picture/imageconversion.h"
#include "ui/picture/picturepixels.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace lumi {
namespace {

namespace fs = std::filesystem;
using Problem = LoadedPicture::Problem;

QByteArray encoded(const char* format) {
    QImage picture(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb((x * 7) % 256, (y * 13) % 256, (x * y) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, format));
    return bytes;
}

void put32(QByteArray& b, int at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        b[at + k] = static_cast<char>(v >> (8 * k));
}

// A 30,000,000 x 1 RLE8 bitmap of about a kilobyte: its header passes a
// pixel-count limit, but no picture can be that wide.
QByteArray wideRleBitmap() {
    QByteArray b(54 + 1024, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    put32(b, 10, 54 + 1024 - 4);
    put32(b, 14, 40);
    put32(b, 18, 30000000);
    put32(b, 22, 1);
    b[26] = 1;
    b[28] = 8;
    put32(b, 30, 1); // RLE8
    return b;
}

struct HostilePicture {
    const char* name;
    // Writes the file (or makes the node) at `path`, or returns another path.
    fs::path (*make)(const fs::path& path);
    Problem problem;
    const char* phrase;
};

fs::path write(const fs::path& path, const QByteArray& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());
    return path;
}

const HostilePicture kHostile[] = {
    {"fifo", [](const fs::path& p) { return ::mkfifo(p.c_str(), 0600) == 0 ? p : fs::path(); },
     Problem::Unreadable, "not a regular file"},
    {"device", [](const fs::path&) { return fs::path("/dev/null"); }, Problem::Unreadable,
     "not a regular file"},
    {"folder",
     [](const fs::path& p) {
         fs::create_directory(p);
         return p;
     },
     Problem::Unreadable, "it is a folder"},
    {"missing", [](const fs::path& p) { return p; }, Problem::Unreadable, "does not exist"},
    {"empty", [](const fs::path& p) { return write(p, {}); }, Problem::NotAPicture, "empty"},
    {"text", [](const fs::path& p) { return write(p, "no picture at all"); }, Problem::NotAPicture,
     "not a picture"},
    {"jpeg_cut_to_a_tenth",
     [](const fs::path& p) {
         const QByteArray b = encoded("JPEG");
         return write(p, b.left(b.size() / 10));
     },
     Problem::Damaged, "truncated"},
    {"bmp_cut_short",
     [](const fs::path& p) {
         const QByteArray b = encoded("BMP");
         return write(p, b.left(b.size() - 100));
     },
     Problem::Damaged, "truncated"},
    {"bmp_pixel_data_past_the_end",
     [](const fs::path& p) {
         QByteArray b = encoded("BMP");
         put32(b, 10, static_cast<std::uint32_t>(b.size() + 10));
         return write(p, b);
     },
     Problem::Damaged, "past its end"},
    {"bmp_thirty_million_pixels_wide", [](const fs::path& p) { return write(p, wideRleBitmap()); },
     Problem::TooLarge, "at most 32767 pixels a side"},
};

class PictureLoader : public ::testing::TestWithParam<HostilePicture> {};

TEST_P(PictureLoader, RefusesWithTheReasonAndNoPicture) {
    const test::ScratchFolder dir(std::string("pictureloader-") + GetParam().name);
    const fs::path path = GetParam().make(dir / "picture.bmp");
    ASSERT_FALSE(path.empty());
    const LoadedPicture loaded = loadPicture(path);
    EXPECT_EQ(loaded.problem, GetParam().problem) << loaded.reason;
    EXPECT_TRUE(loaded.picture.isNull());
    const std::string message = loaded.message(path);
    EXPECT_NE(message.find(path.string()), std::string::npos) << message;
    EXPECT_NE(message.find(GetParam().phrase), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(Hostile, PictureLoader, ::testing::ValuesIn(kHostile),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(PictureLoader, WholePicturesDecode) {
    for (const char* format : {"BMP", "JPEG", "PNG"}) {
        const LoadedPicture loaded = decodePicture(encoded(format));
        EXPECT_EQ(loaded.problem, Problem::None) << format << ": " << loaded.reason;
        EXPECT_EQ(loaded.picture.size(), QSize(64, 48)) << format;
    }
}

// Pictures made from grids are refused before a null picture can be written to.
TEST(PictureLoader, GridsTooWideForAPictureAreRefused) {
    const PixelGrid wide(40000, 1);
    EXPECT_THROW((void)toQImage(wide), ImagingError);
    for (int depth : {15, 16, 24})
        EXPECT_THROW((void)writePicturePixels(wide, depth), ImagingError) << depth;
}

} // namespace
} // namespace lumi
