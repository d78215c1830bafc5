#include "ui/bitmapfile.h"

#include "common/fileerror.h"
#include "common/textfile.h"
#include "ui/dialogservice.h"

#include <QBuffer>
#include <QFileInfo>

#include <string_view>

namespace lumi {

bool saveBitmapWithDialog(DialogService& dialogs, const QImage& picture, const QString& title) {
    const std::optional<QString> chosen =
        askSavePath(dialogs, title, QStringLiteral("Bitmap Image (*.bmp)|*.bmp"));
    if (!chosen || chosen->isEmpty()) {
        return false;
    }
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".bmp");
    }
    QString reason;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull() || !picture.save(&buffer, "BMP")) {
        reason = QStringLiteral("the picture could not be encoded as a bitmap.");
    } else {
        try {
            writeTextFileReplacing(
                path.toStdString(),
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
            return true;
        } catch (const FileError& e) {
            reason = QString::fromUtf8(e.what());
        }
    }
    dialogs.showMessage(title,
                        QStringLiteral("The picture was not saved:\n%1\n%2").arg(path, reason),
                        DialogService::Icon::Critical);
    return false;
}

} // namespace lumi
