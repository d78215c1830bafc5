#include "ui/picture/pictureloader.h"

#include "common/fileerror.h"
#include "common/textfile.h"
#include "imaging/geometricoperations.h"
#include "imaging/picturedamage.h"
#include "ui/picture/imageconversion.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <span>

namespace lumi {

namespace {

// The first bytes are printable characters, line ends or tabs (a text file
// named .bmp or .jpg): every picture format starts with binary header bytes.
bool looksLikeText(const QByteArray& bytes) {
    const qsizetype n = std::min<qsizetype>(bytes.size(), 512);
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x20 && c != '\n' && c != '\r' && c != '\t')
            return false;
    }
    return n > 0;
}

} // namespace

std::string LoadedPicture::message(const std::filesystem::path& path) const {
    if (problem == Problem::None)
        return {};
    if (problem == Problem::Unreadable)
        return reason; // the reader's sentence names the file
    return "Cannot read the picture " + path.string() + ": " + reason + ".";
}

LoadedPicture decodePicture(const QByteArray& bytes) {
    LoadedPicture result;
    const auto fail = [&result](LoadedPicture::Problem problem, std::string reason) {
        result.problem = problem;
        result.reason = std::move(reason);
        return result;
    };
    // The decoders only warn about a truncated file and hand back a picture
    // with a grey or black part, so the structure is checked first.
    const std::string damage =
        pictureDamage(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                static_cast<std::size_t>(bytes.size())));
    if (!damage.empty())
        return fail(LoadedPicture::Problem::Damaged, damage);

    QByteArray data = bytes; // shared, not copied
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!reader.canRead())
        return fail(LoadedPicture::Problem::NotAPicture,
                    looksLikeText(bytes) ? "it is not a picture but text"
                                         : "it is not a picture in a format this program reads "
                                           "(BMP, JPEG or PNG)");
    // The header's size, before any pixel is allocated.
    const QSize size = reader.size();
    if (size.width() > kMaxPictureSidePx || size.height() > kMaxPictureSidePx)
        return fail(LoadedPicture::Problem::TooLarge,
                    "at " + std::to_string(size.width()) + " x " + std::to_string(size.height()) +
                        " pixels it is larger than a picture may be (at most " +
                        std::to_string(kMaxPictureSidePx) + " pixels a side)");
    result.picture = reader.read();
    if (result.picture.isNull()) {
        const bool tooLarge = reader.error() == QImageReader::InvalidDataError &&
                              reader.errorString().contains(QStringLiteral("llocation"));
        return fail(tooLarge ? LoadedPicture::Problem::TooLarge
                             : LoadedPicture::Problem::Undecodable,
                    "the picture cannot be decoded (" + reader.errorString().toStdString() + ")");
    }
    if (result.picture.width() > kMaxPictureSidePx || result.picture.height() > kMaxPictureSidePx) {
        result.picture = QImage();
        return fail(LoadedPicture::Problem::TooLarge,
                    "it is larger than a picture may be (at most " +
                        std::to_string(kMaxPictureSidePx) + " pixels a side)");
    }
    return result;
}

LoadedPicture loadPicture(const std::filesystem::path& path) {
    std::string bytes;
    try {
        bytes = readTextFile(path, kMaxPictureFileBytes);
    } catch (const FileError& e) {
        LoadedPicture result;
        result.problem = LoadedPicture::Problem::Unreadable;
        result.reason = e.what();
        return result;
    }
    if (bytes.empty()) {
        LoadedPicture result;
        result.problem = LoadedPicture::Problem::NotAPicture;
        result.reason = "the file is empty";
        return result;
    }
    return decodePicture(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QImage readPictureFile(const std::filesystem::path& path) {
    LoadedPicture loaded = loadPicture(path);
    if (loaded.problem != LoadedPicture::Problem::None)
        throw FileError(loaded.message(path));
    return std::move(loaded.picture);
}

PixelGrid readPicturePixelGrid(const std::filesystem::path& path) {
    return toPixelGrid(readPictureFile(path));
}

} // namespace lumi
