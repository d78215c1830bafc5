#include "cli/pngfile.h"

#include "common/fileerror.h"
#include "common/textfile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

namespace lumi::cli {

void writePngFile(const QImage& image, const std::filesystem::path& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw FileError("Cannot write " + path.string() + ": the picture cannot be encoded.");
    writeTextFileReplacing(path,
                           std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}

QImage greyPupilPicture(int width, int height, const std::vector<double>& values,
                        const std::vector<std::uint8_t>& inPupil) {
    double lo = std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::lowest();
    for (std::size_t i = 0; i < values.size(); ++i)
        if (inPupil[i]) {
            lo = std::min(lo, values[i]);
            hi = std::max(hi, values[i]);
        }
    QImage img(width, height, QImage::Format_Grayscale8);
    const double span = hi > lo ? hi - lo : 1.0;
    for (int y = 0; y < height; ++y) {
        uchar* line = img.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                  static_cast<std::size_t>(x);
            line[x] = inPupil[i]
                          ? static_cast<uchar>(std::lround(20.0 + 235.0 * (values[i] - lo) / span))
                          : uchar{0};
        }
    }
    return img;
}

} // namespace lumi::cli
