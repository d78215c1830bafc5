#include "tools/samplegen/picturewriter.h"

#include <QImage>
#include <QImageWriter>
#include <QList>
#include <QString>

#include <algorithm>

namespace lumi {

QImage qimageOf(const RgbImage& image) {
    QImage out(image.width, image.height, QImage::Format_RGB888);
    for (int y = 0; y < image.height; ++y) {
        std::copy_n(image.rgb.data() + image.offset(0, y), 3 * image.width, out.scanLine(y));
    }
    return out;
}

std::string writePicture(const RgbImage& image, PictureFormat format, const std::string& path) {
    QImage out;
    if (format != PictureFormat::IndexedBmp) {
        out = qimageOf(image);
    } else {
        out = QImage(image.width, image.height, QImage::Format_Indexed8);
        QList<QRgb> greys;
        for (int g = 0; g < 256; ++g) {
            greys.append(qRgb(g, g, g));
        }
        out.setColorTable(greys);
        for (int y = 0; y < image.height; ++y) {
            uchar* line = out.scanLine(y);
            for (int x = 0; x < image.width; ++x) {
                const std::uint8_t* p = image.rgb.data() + image.offset(x, y);
                line[x] = std::max({p[0], p[1], p[2]});
            }
        }
    }
    QImageWriter writer(QString::fromStdString(path),
                        format == PictureFormat::Jpeg  ? QByteArray("jpeg")
                        : format == PictureFormat::Png ? QByteArray("png")
                                                       : QByteArray("bmp"));
    if (format == PictureFormat::Jpeg) {
        writer.setQuality(85);
    }
    if (!writer.write(out)) {
        return "Cannot write " + path + ": " + writer.errorString().toStdString();
    }
    return {};
}

} // namespace lumi
