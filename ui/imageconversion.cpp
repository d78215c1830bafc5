#include "ui/imageconversion.h"

namespace lumi {

QImage toQImage(const PixelGrid& grid) {
    QImage image(grid.width(), grid.height(), QImage::Format_RGB32);
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
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = line[x];
            grid.at(x, y) = PixelTriple{static_cast<std::uint8_t>(qBlue(c)),
                                        static_cast<std::uint8_t>(qGreen(c)),
                                        static_cast<std::uint8_t>(qRed(c))};
        }
    }
    return grid;
}

} // namespace lumi
