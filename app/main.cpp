#include "app/startroutine.h"
#include "ui/qtdialogservice.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumivorexan"));
    lumi::QtDialogService dialogs;
    lumi::StartRoutine start(dialogs);
    start.start();
    return QApplication::exec();
}
