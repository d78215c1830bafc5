#pragma once

#include "imaging/imageoperation.h"
#include "ui/picture/picturepixels.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QScrollArea;

namespace lumi {

class DialogService;
class FringeStore;
class ImagePage;
class ImageToolPanel;

// The image processing window frmBright ("Image Filtering/Processing"): a working
// picture that the operations read and a preview they write, shown scrolling.
// "APPLY" makes the preview the working picture, "&Undo" the reverse. The menu
// " &TRANSFER IMAGE" puts the preview into the main window's view as a new
// interferogram, asking first when fringe data would be lost.
class ImageProcessingWindow : public QMainWindow {
    Q_OBJECT
public:
    ImageProcessingWindow(DialogService& dialogs, ImagePage& mainView, const FringeStore& store,
                          QWidget* parent = nullptr);
    ~ImageProcessingWindow() override;

    // Both pictures become `picture` and the window fits it (opening from the main window).
    void setPicture(const QImage& picture);

    // "&Open...", "Save &As..." and " &TRANSFER IMAGE".
    void openFileCommand();
    void saveAsCommand();
    void transferCommand();
    // The preview becomes `op` applied to the working picture (a panel control).
    void preview(const ImageOperation& op);
    // "APPLY": the working picture becomes the preview.
    void applyPreview();
    // "&Undo": the preview becomes the working picture again.
    void undoPreview();

    bool hasPicture() const { return working_.grid.width() > 0; }
    const PixelGrid& workingGrid() const { return working_.grid; }
    const PixelGrid& previewGrid() const { return preview_; }
    int bitDepth() const { return working_.bitDepth; }
    // The panel, created on first use (nullptr before).
    ImageToolPanel* toolPanel() const { return panel_; }
    QScrollArea* previewArea() const { return scroll_; }

private:
    void buildMenus();
    void openTool(int tool);
    void showPreview();
    void fitToPicture();
    void syncEnabling();
    void rememberFile(const QString& path);

    DialogService& dialogs_;
    ImagePage& mainView_;
    const FringeStore& store_;
    // What the window keeps between commands.
    PicturePixels working_;
    PixelGrid preview_;
    QString fileName_;
    QString dialogFolder_; // the application's folder, then that of the last file

    QScrollArea* scroll_;
    QLabel* previewLabel_;
    ImageToolPanel* panel_ = nullptr;
    QList<QAction*> needPicture_; // disabled while there is no picture
};

} // namespace lumi
