#include "app/averagewindow.h"

#include "app/averagehelpwindow.h"
#include "ui/dialogservice.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace lumi {

namespace {

QPushButton* makeButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    return button;
}

} // namespace

AverageWindow::AverageWindow(DialogService& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), list_(new QListWidget(this)),
      include_(makeButton("includeButton", "Include File", this)),
      remove_(makeButton("removeButton", "Remove Selected  File", this)),
      removeAll_(makeButton("removeAllButton", "   Remove     All Files", this)),
      help_(makeButton("helpButton", "HELP", this)),
      apply_(makeButton("applyButton", "APPLY", this)) {
    setObjectName("FrmAverage");
    setWindowTitle(QStringLiteral("Average Zernikes"));
    list_->setObjectName("fileList");
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* caption =
        new QLabel(QStringLiteral("LIST OF FILES   FOR  ZERNIKE  COEFF.  AVERAGING   "), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {include_, remove_, removeAll_, help_}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    buttons->addWidget(apply_);
    auto* body = new QHBoxLayout;
    body->addWidget(list_, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addLayout(body, 1);
    resize(640, 280);

    connect(include_, &QPushButton::clicked, this, &AverageWindow::includeFiles);
    connect(remove_, &QPushButton::clicked, this, &AverageWindow::removeSelected);
    connect(removeAll_, &QPushButton::clicked, list_, &QListWidget::clear);
    connect(help_, &QPushButton::clicked, this, [this] {
        AverageHelpWindow window(this);
        window.exec();
    });
    connect(apply_, &QPushButton::clicked, this, [this] { emit applyRequested(files()); });
}

QStringList AverageWindow::files() const {
    QStringList paths;
    for (int i = 0; i < list_->count(); ++i) {
        paths << list_->item(i)->text();
    }
    return paths;
}

void AverageWindow::setFolderMemory(std::function<QString()> folder,
                                    std::function<void(const QString&)> remember) {
    folder_ = std::move(folder);
    rememberFolder_ = std::move(remember);
}

void AverageWindow::includeFiles() {
    FileDialogRequest request;
    request.title = QStringLiteral("Load File for Zernike averaging ");
    request.filter = QStringLiteral("Zernike Files (*.zrk)|*.zrk|All Files (*.*)|*.*");
    request.initialFolder = folder_ ? folder_() : QString();
    const std::optional<QStringList> chosen = dialogs_.openFiles(request);
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    if (rememberFolder_) {
        rememberFolder_(QFileInfo(chosen->front()).absolutePath());
    }
    if (chosen->size() > 1) {
        list_->clear();
    }
    for (const QString& path : *chosen) {
        list_->addItem(QDir::toNativeSeparators(path));
    }
    selectLast();
}

void AverageWindow::removeSelected() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    for (QListWidgetItem* item : selected) {
        delete list_->takeItem(list_->row(item));
    }
    selectLast();
}

void AverageWindow::selectLast() {
    list_->clearSelection();
    if (list_->count() > 0) {
        list_->setCurrentRow(list_->count() - 1);
    }
}

} // namespace lumi
