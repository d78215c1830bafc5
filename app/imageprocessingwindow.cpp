#include "app/imageprocessingwindow.h"

#include "app/imagepage.h"
#include "app/imagetoolpanel.h"
#include "common/fileerror.h"
#include "common/textfile.h"
#include "fringe/fringestore.h"
#include "imaging/imagingerror.h"
#include "ui/dialogservice.h"
#include "ui/picture/pictureloader.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>

#include <new>

namespace lumi {
namespace {

constexpr char kCaption[] = "Image Filtering/Processing";
constexpr char kPictureFilter[] = "Graphic Files|*.bmp;*.jpg;*.jpeg;|"
                                  "Bitmaps (*.bmp)|*.bmp|"
                                  "JPEGs (*.jpg)|*.jpg;*.jpeg|";

// Busy pointer for the lifetime of one command.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

ImageProcessingWindow::ImageProcessingWindow(DialogService& dialogs, ImagePage& mainView,
                                             const FringeStore& store, QWidget* parent)
    : QMainWindow(parent, Qt::Window), dialogs_(dialogs), mainView_(mainView), store_(store),
      dialogFolder_(QCoreApplication::applicationDirPath()), scroll_(new QScrollArea(this)),
      previewLabel_(new QLabel) {
    setObjectName("frmBright");
    setWindowTitle(QString::fromLatin1(kCaption));
    previewLabel_->setObjectName("picResult");
    previewLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->setObjectName("picOuter");
    scroll_->setWidget(previewLabel_);
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setCentralWidget(scroll_);
    buildMenus();
    syncEnabling();
    resize(8000 / 15, 7000 / 15);
}

ImageProcessingWindow::~ImageProcessingWindow() = default;

void ImageProcessingWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* open =
        file->addAction(QStringLiteral("&Open..."), this, &ImageProcessingWindow::openFileCommand);
    open->setObjectName("mnuFileOpen");
    QAction* save =
        file->addAction(QStringLiteral("Save &As..."), this, &ImageProcessingWindow::saveAsCommand);
    save->setObjectName("mnuFileSaveAs");
    needPicture_.append(save);

    QMenu* processing = menuBar()->addMenu(QStringLiteral("&Image Processing"));
    using Tool = ImageToolPanel::Tool;
    const struct {
        const char* name;
        const char* caption;
        Tool tool;
    } entries[] = {
        {"mnuBrightness", "Brightness", Tool::Brightness},
        {"mnuContrast", "Contrast", Tool::Contrast},
        {"mnuBinary", "Binay Contrast", Tool::Binary},
        {"mnuColorBalance", "Color Balance", Tool::ColorBalance},
        {"mnuSaturation", "Saturation", Tool::Saturation},
        {"mnuGreyScale", "GreyScale", Tool::GreyScale},
        {"mnuInvert", "Invert Color", Tool::Invert},
        {"mnuFlipH", "Flip Horizontal", Tool::FlipHorizontal},
        {"mnuFlipV", "Flip Vertical", Tool::FlipVertical},
        {"mnuRescale", "ReScale", Tool::Rescale},
        {"mnuRotate", "Rotate", Tool::Rotate},
        {"mnuLowPass", "Low-Pass Filters", Tool::LowPass},
        {"mnuHighPass", "High-Pass Filters", Tool::HighPass},
    };
    for (const auto& e : entries) {
        const int tool = static_cast<int>(e.tool);
        QAction* a = processing->addAction(QString::fromLatin1(e.caption), this,
                                           [this, tool] { openTool(tool); });
        a->setObjectName(QString::fromLatin1(e.name));
        needPicture_.append(a);
        if (e.tool == Tool::Invert || e.tool == Tool::Rotate) {
            processing->addSeparator();
        }
    }
    QAction* transfer = menuBar()->addAction(QStringLiteral(" &TRANSFER IMAGE"), this,
                                             &ImageProcessingWindow::transferCommand);
    transfer->setObjectName("mnuTransferImage");
    needPicture_.append(transfer);
}

void ImageProcessingWindow::syncEnabling() {
    for (QAction* a : needPicture_) {
        a->setEnabled(hasPicture());
    }
}

void ImageProcessingWindow::openTool(int tool) {
    if (panel_ == nullptr) {
        panel_ = new ImageToolPanel(this);
        connect(panel_, &ImageToolPanel::previewRequested, this, &ImageProcessingWindow::preview);
        connect(panel_, &ImageToolPanel::applyRequested, this,
                &ImageProcessingWindow::applyPreview);
        connect(panel_, &ImageToolPanel::undoRequested, this, &ImageProcessingWindow::undoPreview);
    }
    panel_->showTool(static_cast<ImageToolPanel::Tool>(tool));
}

// ---- pictures ------------------------------------------------------------------

void ImageProcessingWindow::setPicture(const QImage& picture) {
    working_ = readPicturePixels(picture);
    preview_ = working_.grid;
    showPreview();
    fitToPicture();
    syncEnabling();
}

void ImageProcessingWindow::showPreview() {
    previewLabel_->setPixmap(QPixmap::fromImage(writePicturePixels(preview_, working_.bitDepth)));
    previewLabel_->adjustSize();
}

void ImageProcessingWindow::fitToPicture() {
    const QScreen* screen = this->screen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
    move(area.left() + area.width() / 5, area.top() + area.height() / 5);
    // The preview plus the menu bar and frame, no larger than the rest of the screen.
    const QSize chrome = frameGeometry().size() - size();
    const int width = preview_.width() + 2 * scroll_->frameWidth();
    const int height =
        preview_.height() + 2 * scroll_->frameWidth() + menuBar()->sizeHint().height();
    resize(std::min(width, area.width() * 4 / 5 - chrome.width()),
           std::min(height, area.height() * 4 / 5 - chrome.height()));
}

// ---- operations ------------------------------------------------------------------

void ImageProcessingWindow::preview(const ImageOperation& op) {
    if (!hasPicture()) {
        return;
    }
    try {
        BusyPointer busy;
        // Every operation starts again from the working picture; a preview of
        // another size (an unapplied rescale or rotation) is simply replaced.
        preview_ = applyImageOperation(working_.grid, op, working_.bitDepth);
    } catch (const ImagingError& e) {
        dialogs_.showMessage(QString::fromLatin1(kCaption), QString::fromUtf8(e.what()),
                             DialogService::Icon::Warning);
        return;
    } catch (const std::bad_alloc&) {
        dialogs_.showMessage(QString::fromLatin1(kCaption),
                             QStringLiteral("There is not enough memory for this picture."),
                             DialogService::Icon::Warning);
        return;
    }
    showPreview();
}

void ImageProcessingWindow::applyPreview() {
    working_.grid = preview_;
}

void ImageProcessingWindow::undoPreview() {
    preview_ = working_.grid;
    showPreview();
}

// ---- files ------------------------------------------------------------------------

void ImageProcessingWindow::rememberFile(const QString& path) {
    fileName_ = path.trimmed();
    dialogFolder_ = QFileInfo(fileName_).absolutePath();
}

void ImageProcessingWindow::openFileCommand() {
    FileDialogRequest request;
    request.title = QStringLiteral("Open Picture");
    request.filter = QString::fromLatin1(kPictureFilter);
    request.initialFolder = dialogFolder_;
    const std::optional<QString> path = dialogs_.openFile(request);
    if (!path) {
        return;
    }
    const QString name = path->trimmed();
    LoadedPicture loaded;
    {
        BusyPointer busy;
        loaded = loadPicture(name.toStdString());
    }
    if (loaded.problem != LoadedPicture::Problem::None) {
        // The pictures on the window stay as they were.
        dialogs_.showMessage(
            QString::fromLatin1(kCaption),
            QStringLiteral("Error opening file '%1'\n%2")
                .arg(name, QString::fromStdString(loaded.message(name.toStdString()))),
            DialogService::Icon::Warning);
        return;
    }
    const QImage& picture = loaded.picture;
    rememberFile(name);
    setWindowTitle(QStringLiteral("Image Processing   [") + QFileInfo(name).fileName() + "]");
    setPicture(picture);
}

void ImageProcessingWindow::saveAsCommand() {
    if (!hasPicture()) {
        return;
    }
    const std::optional<QString> path =
        askSavePath(dialogs_, QStringLiteral("Save Picture As"),
                    QString::fromLatin1(kPictureFilter), dialogFolder_);
    if (!path) {
        return;
    }
    const QString name = path->trimmed();
    rememberFile(name);
    setWindowTitle(QStringLiteral("Bright [") + QFileInfo(name).fileName() + "]");
    try {
        BusyPointer busy;
        // JPEG for .jpg and .jpeg, a bitmap for every other name.
        const QByteArray bytes = encodePicture(writePicturePixels(preview_, working_.bitDepth),
                                               pictureFormatFor(name, false));
        if (bytes.isEmpty()) {
            throw FileError("The picture cannot be encoded.");
        }
        writeTextFileReplacing(
            name.toStdString(),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const FileError& e) {
        dialogs_.showMessage(
            QString::fromLatin1(kCaption),
            QStringLiteral("Error saving file '%1'\n%2").arg(name, QString::fromUtf8(e.what())),
            DialogService::Icon::Warning);
    }
}

void ImageProcessingWindow::transferCommand() {
    if (!hasPicture()) {
        return;
    }
    const bool hasFringeData = store_.totalPointCount() > 0 || store_.aperture.radiusPx > 0.0 ||
                               store_.obstruction.radiusPx > 0.0;
    if (hasFringeData &&
        !dialogs_.askYesNo(QStringLiteral(" ALERT !"),
                           QStringLiteral("The new image clears the fringe points and circles "
                                          "of the main window. Transfer the image ?"),
                           DialogService::Icon::Question)) {
        return;
    }
    mainView_.showInterferogram(writePicturePixels(preview_, working_.bitDepth));
}

} // namespace lumi
