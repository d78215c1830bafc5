#include "cli/picturefile.h"

#include "common/fileerror.h"
#include "ui/imageconversion.h"

#include <QImageReader>
#include <QString>

namespace lumi::cli {

PixelGrid readPictureFile(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    const QImage picture = reader.read();
    if (picture.isNull())
        throw FileError("cannot read the picture " + path + ": " +
                        reader.errorString().toStdString());
    return toPixelGrid(picture);
}

} // namespace lumi::cli
