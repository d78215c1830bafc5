#include "ui/picture/picturepixels.h"

#include "imaging/imageoperation.h"
#include "ui/picture/imageconversion.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

#include <cstring>

namespace lumi {
namespace {

// 15- and 16-bit layouts: raw fields, not scaled to 0..255.
PixelGrid readSixteenBit(const QImage& picture, bool fiveSixFive) {
    PixelGrid grid(picture.width(), picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        const auto* src = reinterpret_cast<const quint16*>(picture.constScanLine(y));
        PixelTriple* dst = grid.row(y);
        for (int x = 0; x < picture.width(); ++x) {
            const unsigned v = src[x];
            dst[x].blue = static_cast<std::uint8_t>(v & 31u);
            if (fiveSixFive) {
                dst[x].green = static_cast<std::uint8_t>((v >> 5) & 63u);
                dst[x].red = static_cast<std::uint8_t>(v >> 11);
            } else {
                dst[x].green = static_cast<std::uint8_t>((v >> 5) & 31u);
                dst[x].red = static_cast<std::uint8_t>((v >> 10) & 31u);
            }
        }
    }
    return grid;
}

PixelGrid readThirtyTwoBit(const QImage& picture) {
    PixelGrid grid(picture.width(), picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        PixelTriple* dst = grid.row(y);
        for (int x = 0; x < picture.width(); ++x) {
            dst[x] = {static_cast<std::uint8_t>(qBlue(src[x])),
                      static_cast<std::uint8_t>(qGreen(src[x])),
                      static_cast<std::uint8_t>(qRed(src[x]))};
        }
    }
    return grid;
}

PixelGrid readBgr(const QImage& picture) {
    PixelGrid grid(picture.width(), picture.height());
    const auto rowBytes = static_cast<std::size_t>(picture.width()) * 3;
    for (int y = 0; y < picture.height(); ++y) {
        std::memcpy(grid.row(y), picture.constScanLine(y), rowBytes);
    }
    return grid;
}

PixelGrid readIndexed(const QImage& picture) {
    const QList<QRgb> table = picture.colorTable();
    PixelTriple lookup[256] = {};
    for (int i = 0; i < std::min<int>(256, static_cast<int>(table.size())); ++i) {
        const QRgb c = table[i];
        lookup[i] = {static_cast<std::uint8_t>(qBlue(c)), static_cast<std::uint8_t>(qGreen(c)),
                     static_cast<std::uint8_t>(qRed(c))};
    }
    const bool grey = picture.format() == QImage::Format_Grayscale8;
    PixelGrid grid(picture.width(), picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        const uchar* src = picture.constScanLine(y);
        PixelTriple* dst = grid.row(y);
        for (int x = 0; x < picture.width(); ++x) {
            dst[x] = grey ? PixelTriple{src[x], src[x], src[x]} : lookup[src[x]];
        }
    }
    return grid;
}

} // namespace

PicturePixels readPicturePixels(const QImage& picture) {
    if (picture.isNull()) {
        return {};
    }
    switch (picture.format()) {
    case QImage::Format_RGB555: return {readSixteenBit(picture, false), 15};
    case QImage::Format_RGB16: return {readSixteenBit(picture, true), 16};
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8: return {readIndexed(picture), 8};
    case QImage::Format_BGR888: return {readBgr(picture), 24};
    case QImage::Format_RGB888: return {readBgr(picture.rgbSwapped()), 24};
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32: return {readThirtyTwoBit(picture), 32};
    default: return {readThirtyTwoBit(picture.convertToFormat(QImage::Format_RGB32)), 32};
    }
}

QImage writePicturePixels(const PixelGrid& grid, int bitDepth) {
    if (grid.width() == 0 || grid.height() == 0)
        return {};
    if (bitDepth == 15 || bitDepth == 16) {
        const bool fiveSixFive = bitDepth == 16;
        PixelGrid clamped = grid;
        clampToBitDepth(clamped, bitDepth);
        QImage picture = makePicture(grid.width(), grid.height(),
                                     fiveSixFive ? QImage::Format_RGB16 : QImage::Format_RGB555);
        for (int y = 0; y < grid.height(); ++y) {
            const PixelTriple* src = clamped.row(y);
            auto* dst = reinterpret_cast<quint16*>(picture.scanLine(y));
            for (int x = 0; x < grid.width(); ++x) {
                const unsigned v = fiveSixFive
                                       ? (src[x].red * 64u + src[x].green) * 32u + src[x].blue
                                       : (src[x].red * 32u + src[x].green) * 32u + src[x].blue;
                dst[x] = static_cast<quint16>(v);
            }
        }
        return picture;
    }
    QImage picture = makePicture(grid.width(), grid.height(), QImage::Format_BGR888);
    const auto rowBytes = static_cast<std::size_t>(grid.width()) * 3;
    for (int y = 0; y < grid.height(); ++y) {
        std::memcpy(picture.scanLine(y), grid.row(y), rowBytes);
    }
    return picture;
}

QByteArray pictureFormatFor(const QString& fileName, bool allowPng) {
    const QString suffix = QFileInfo(fileName.trimmed()).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        return "JPEG";
    }
    if (allowPng && suffix == QLatin1String("png")) {
        return "PNG";
    }
    return "BMP";
}

QByteArray encodePicture(const QImage& picture, const QByteArray& format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(picture)) {
        return {};
    }
    return bytes;
}

} // namespace lumi
