#include "app/containerwindow.h"

#include "app/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>

namespace lumi {

ContainerWindow::ContainerWindow(DialogService& dialogs, QWidget* parent)
    : QMainWindow(parent), mainWindow_(new MainWindow(dialogs, this)) {
    setObjectName("MDIForm1");
    setWindowTitle(QStringLiteral("Lumivorexan  [Interferogram Analysis Software]"));
    setCentralWidget(mainWindow_);
    mainWindow_->populateMenus(menuBar());
    connect(mainWindow_, &MainWindow::exitRequested, this, &QWidget::close);
    resize(1280, 800);
}

void ContainerWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    if (!mainWindow_->confirmClose()) {
        event->ignore();
        return;
    }
    closing_ = true;
    event->accept();
    // Every other window of the program closes too.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible()) {
            w->close();
        }
    }
}

} // namespace lumi
