#include "app/windowpages.h"

#include "ui/dialogservice.h"

#include <QStatusBar>
#include <QTabWidget>

namespace lumi {

int WindowPages::pageIndex(const QWidget* page) const {
    for (int i = 0; i < tabs->count(); ++i) {
        const QWidget* tab = tabs->widget(i);
        if (tab == page || tab->isAncestorOf(page)) {
            return i;
        }
    }
    return -1;
}

void WindowPages::refuseValue(DialogService& dialogs, const QString& command,
                              const QString& problem) const {
    QString text = problem;
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
    }
    dialogs.showMessage(command, text + QLatin1Char('.'), DialogService::Icon::Warning);
    status->showMessage(command + QStringLiteral(" stopped: ") + text);
}

void WindowPages::showStatus(const QString& text) const {
    status->showMessage(text);
}

} // namespace lumi
