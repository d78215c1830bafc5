#include "app/startarguments.h"
#include "app/startroutine.h"
#include "ui/qtdialogservice.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>

#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char* argv[]) {
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    return args;
}

// Answers --version, --help and a bad option on the terminal and returns the exit
// status; -1 when the window is to start.
int answerOnTerminal(const lumi::StartArguments& arguments) {
    using Action = lumi::StartArguments::Action;
    switch (arguments.action) {
    case Action::Version:
        std::fputs(qPrintable(lumi::StartArguments::versionText() + QLatin1Char('\n')), stdout);
        return 0;
    case Action::Help: std::fputs(qPrintable(lumi::StartArguments::helpText()), stdout); return 0;
    case Action::BadOption:
        std::fputs(qPrintable(QStringLiteral("lumivorexan: %1 (try \"lumivorexan --help\")\n")
                                  .arg(arguments.problem)),
                   stderr);
        return 2;
    case Action::Run: break;
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[]) {
    // --version and --help need no display: answered before the window system
    // starts. Qt's own options are only known once QApplication has taken them out.
    const lumi::StartArguments early = lumi::StartArguments::parse(argumentsOf(argc, argv));
    if (early.action == lumi::StartArguments::Action::Version ||
        early.action == lumi::StartArguments::Action::Help) {
        return answerOnTerminal(early);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumivorexan"));
    // Recent files and folders: ~/.config/Lumivorexan/Lumivorexan.conf on Linux.
    QApplication::setOrganizationName(QStringLiteral("Lumivorexan"));
    // The desktop entry's name, so that the window finds its icon on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral(LUMI_APP_ID));
    // The installed theme icon; none when run from the build folder.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(LUMI_APP_ID)));
    const lumi::StartArguments arguments =
        lumi::StartArguments::parse(QApplication::arguments().mid(1));
    if (const int status = answerOnTerminal(arguments); status >= 0) {
        return status;
    }
    lumi::QtDialogService dialogs;
    lumi::StartRoutine start(dialogs);
    start.setArguments(arguments);
    QObject::connect(&start, &lumi::StartRoutine::containerShown,
                     [&dialogs](QWidget* container) { dialogs.setParent(container); });
    start.start();
    return QApplication::exec();
}
