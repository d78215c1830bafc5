#include "ui/qtdialogservice.h"

#include "ui/autotracingwindow.h"
#include "ui/filefilter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

namespace lumi {

namespace {

QMessageBox::Icon toQt(DialogService::Icon icon) {
    switch (icon) {
    case DialogService::Icon::None: return QMessageBox::NoIcon;
    case DialogService::Icon::Information: return QMessageBox::Information;
    case DialogService::Icon::Warning: return QMessageBox::Warning;
    case DialogService::Icon::Critical: return QMessageBox::Critical;
    case DialogService::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString initialPath(const FileDialogRequest& request) {
    if (request.fileName.isEmpty()) {
        return request.initialFolder;
    }
    if (request.initialFolder.isEmpty()) {
        return request.fileName;
    }
    return request.initialFolder + QLatin1Char('/') + request.fileName;
}

// The window frame shows the title, which it cuts ("L...") when a short text
// leaves the box narrow: the box gets room for its title beside the frame's
// icon and buttons.
void makeRoomForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) {
        return;
    }
    constexpr int kFrameButtonsPx = 160;
    // Frames often draw titles larger or bolder than the text.
    const int titlePx = box.fontMetrics().horizontalAdvance(box.windowTitle()) * 3 / 2;
    grid->addItem(
        new QSpacerItem(titlePx + kFrameButtonsPx, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
        grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

bool QtDialogService::confirmAutoTracing(AutoTracingChoice& choice) {
    AutoTracingWindow window(parent_);
    window.setFollowFringe(choice.followFringe);
    if (window.exec() != QDialog::Accepted)
        return false;
    choice.followFringe = window.followFringe();
    return true;
}

bool QtDialogService::askYesNo(const QString& title, const QString& text, Icon icon) {
    QMessageBox box(toQt(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    makeRoomForTitle(box);
    return box.exec() == QMessageBox::Yes;
}

std::optional<bool> QtDialogService::askYesNoOrDismiss(const QString& title, const QString& text,
                                                       Icon icon) {
    QMessageBox box(toQt(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    // Escape and the close button press this hidden button instead of "No".
    QAbstractButton* dismiss = box.addButton(QMessageBox::Cancel);
    dismiss->hide();
    box.setEscapeButton(dismiss);
    makeRoomForTitle(box);
    box.exec();
    if (box.clickedButton() == dismiss || box.clickedButton() == nullptr) {
        return std::nullopt;
    }
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

void QtDialogService::showMessage(const QString& title, const QString& text, Icon icon) {
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent_);
    makeRoomForTitle(box);
    box.exec();
}

std::optional<QString> QtDialogService::openFile(const FileDialogRequest& request) {
    const QString filter = qtFileFilter(request.filter);
    QString selected = qtFileFilterEntry(request.filter, request.filterIndex);
    const QString path = QFileDialog::getOpenFileName(parent_, request.title, initialPath(request),
                                                      filter, &selected);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

std::optional<QStringList> QtDialogService::openFiles(const FileDialogRequest& request) {
    const QString filter = qtFileFilter(request.filter);
    QString selected = qtFileFilterEntry(request.filter, request.filterIndex);
    const QStringList paths = QFileDialog::getOpenFileNames(
        parent_, request.title, initialPath(request), filter, &selected);
    if (paths.isEmpty()) {
        return std::nullopt;
    }
    return paths;
}

std::optional<QString> QtDialogService::saveFile(const FileDialogRequest& request) {
    QFileDialog dialog(parent_, request.title, initialPath(request), qtFileFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!request.confirmOverwrite) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    const QString selected = qtFileFilterEntry(request.filter, request.filterIndex);
    if (!selected.isEmpty()) {
        dialog.selectNameFilter(selected);
    }
    // A name typed without an extension gets the chosen filter's, before the
    // dialog asks about overwriting.
    dialog.setDefaultSuffix(qtFilterDefaultSuffix(selected));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& entry) { dialog.setDefaultSuffix(qtFilterDefaultSuffix(entry)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = withDefaultSuffix(dialog.selectedFiles().front(),
                                           qtFilterDefaultSuffix(dialog.selectedNameFilter()));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

std::optional<RgbColor> QtDialogService::chooseColor(RgbColor initial) {
    const QColor chosen =
        QColorDialog::getColor(QColor(initial.red, initial.green, initial.blue), parent_);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return RgbColor{static_cast<std::uint8_t>(chosen.red()),
                    static_cast<std::uint8_t>(chosen.green()),
                    static_cast<std::uint8_t>(chosen.blue())};
}

void QtDialogService::beep() {
    QApplication::beep();
}

} // namespace lumi
