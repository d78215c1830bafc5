#pragma once

#include <QImage>
#include <QString>

namespace lumi {

class DialogService;

// Asks for a file name (`title`, filter "Bitmap Image (*.bmp)|*.bmp"; ".bmp" is
// added to a name without an extension) and writes `picture` there as a
// Windows bitmap through the safe writer. Cancel writes nothing; a failed
// write is reported in a message naming the file and the reason. True when
// the file was written.
bool saveBitmapWithDialog(DialogService& dialogs, const QImage& picture, const QString& title);

} // namespace lumi
