#include "ui/picture/imageconversion.h"

#include "imaging/geometricoperations.h"
#include "imaging/imagingerror.h"

#include <string>

namespace lumi {

QImage makePicture(int widthPx, int heightPx, QImage::Format format) {
    const std::string size = std::to_string(widthPx) + " x " + std::to_string(heightPx);
    if (widthPx <= 0 || heightPx <= 0)
        throw ImagingError("A picture of " + size + " pixels has no pixel.");
    if (widthPx > kMaxPictureSidePx || heightPx > kMaxPictureSidePx)
        throw ImagingError("A picture of " + size +
                           " pixels is larger than a picture may be (at most " +
                           std::to_string(kMaxPictureSidePx) + " pixels a side).");
    QImage picture(widthPx, heightPx, format);
    if (picture.isNull())
        throw ImagingError("There is not enough memory for a picture of " + size + " pixels.");
    return picture;
}

QImage toQImage(const PixelGrid& grid) {
    if (grid.width() == 0 || grid.height() == 0)
        return {};
    QImage image = makePicture(grid.width(), grid.height(), QImage::Format_RGB32);
    for (int y = 0; y < grid.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < grid.width(); ++x) {
            const PixelTriple& p = grid.at(x, y);
            line[x] = qRgb(p.red, p.green, p.blue);
        }
    }
    return image;
}

PixelGrid toPixelGrid(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    PixelGrid grid(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        PixelTriple* out = grid.row(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = line[x];
            out[x] = PixelTriple{static_cast<std::uint8_t>(qBlue(c)),
                                 static_cast<std::uint8_t>(qGreen(c)),
                                 static_cast<std::uint8_t>(qRed(c))};
        }
    }
    return grid;
}

} // namespace lumi
