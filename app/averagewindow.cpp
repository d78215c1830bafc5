#include "app/averagewindow.h"

#include "app/averagehelpwindow.h"
#include "ui/dialogservice.h"

#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
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
    auto* layout = new QGridLayout(this);
    layout->addWidget(caption, 0, 0, 1, 2);
    layout->addWidget(list_, 1, 0, 5, 1);
    layout->addWidget(include_, 1, 1);
    layout->addWidget(remove_, 2, 1);
    layout->addWidget(removeAll_, 3, 1);
    layout->addWidget(help_, 4, 1);
    layout->addWidget(apply_, 5, 1);
    layout->setColumnStretch(0, 1);
    resize(640, 300);

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

void AverageWindow::includeFiles() {
    FileDialogRequest request;
    request.title = QStringLiteral("Load File for Zernike averaging ");
    request.filter = QStringLiteral("Fringe Files (*.zrk)|*.zrk|All Files (*.*)|*.*");
    request.initialFolder = QCoreApplication::applicationDirPath();
    const std::optional<QStringList> chosen = dialogs_.openFiles(request);
    if (!chosen) {
        return;
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
