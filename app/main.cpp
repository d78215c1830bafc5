#include "app/startroutine.h"
#include "ui/qtdialogservice.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumivorexan"));
    // Recent files and folders: ~/.config/Lumivorexan/Lumivorexan.conf on Linux.
    QApplication::setOrganizationName(QStringLiteral("Lumivorexan"));
    lumi::QtDialogService dialogs;
    lumi::StartRoutine start(dialogs);
    QObject::connect(&start, &lumi::StartRoutine::containerShown,
                     [&dialogs](QWidget* container) { dialogs.setParent(container); });
    start.start();
    return QApplication::exec();
}
