#include "cli/pngfile.h"

#include "common/fileerror.h"
#include "common/textfile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

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

} // namespace lumi::cli
