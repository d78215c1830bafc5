#include "app/plotpagewiring.h"

#include "app/mtfpage.h"
#include "app/psfpage.h"
#include "app/settingspanel.h"
#include "app/syntheticpage.h"
#include "app/wavefrontpage.h"
#include "app/windowpages.h"
#include "app/workspacemodel.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>

namespace lumi {

void connectPlotPages(const WorkspaceModel& workspace, const WindowPages& pages,
                      DialogService& dialogs) {
    QStatusBar* status = pages.status;
    QTabWidget* mainTabs = pages.tabs;
    SettingsPanel* settings = pages.settings;
    const auto toStatus = [status](const QString& text) { status->showMessage(text); };
    QObject::connect(pages.waveFront, &WaveFrontPage::statusMessage, status, toStatus);
    QObject::connect(pages.psf, &PsfPage::statusMessage, status, toStatus);
    QObject::connect(pages.mtf, &MtfPage::statusMessage, status, toStatus);
    QObject::connect(pages.synthetic, &SyntheticPage::statusMessage, status, toStatus);

    QObject::connect(mainTabs, &QTabWidget::currentChanged, pages.psf, [pages, mainTabs](int i) {
        // A page may sit in a scroll area of its tab.
        const QWidget* tab = mainTabs->widget(i);
        const auto shows = [tab](const QWidget* page) {
            return tab != nullptr && (tab == page || tab->isAncestorOf(page));
        };
        if (shows(pages.waveFront)) {
            pages.waveFront->pageSelected();
        } else if (shows(pages.psf)) {
            pages.psf->pageSelected();
            pages.mtf->clearReadout();
        }
    });

    pages.synthetic->setAsphericMode(settings->isAspheric());
    QObject::connect(settings->asphericOption(), &QRadioButton::toggled, pages.synthetic,
                     &SyntheticPage::setAsphericMode);
    pages.synthetic->setWavesPerFringeSource([settings] { return settings->wavesPerFringeText(); });
    pages.mtf->setInputWavelengthSource([settings] { return settings->inputWavelengthText(); });
    const auto refuse = [pages, &dialogs](const QString& command, const QString& problem) {
        pages.refuseValue(dialogs, command, problem);
    };
    QObject::connect(pages.mtf, &MtfPage::valueRefused, pages.window, refuse);
    QObject::connect(pages.synthetic, &SyntheticPage::valueRefused, pages.window, refuse);

    const WorkspaceModel* ws = &workspace;
    QObject::connect(ws, &WorkspaceModel::analysisReset, pages.waveFront,
                     &WaveFrontPage::clearPlots);
    QObject::connect(ws, &WorkspaceModel::analysisReset, pages.psf, &PsfPage::clearPlots);
    // No page keeps showing an earlier fit: what is drawn is drawn again, and
    // what cannot be drawn for the new one is cleared.
    QObject::connect(ws, &WorkspaceModel::resultsChanged, pages.psf, [pages] {
        if (pages.waveFront->showsPlots()) {
            pages.waveFront->updatePlots();
        }
        pages.psf->redrawShownPlots();
        if (pages.mtf->showsPlots()) {
            pages.mtf->clearPlots();
            pages.mtf->updateMtf();
        }
        pages.synthetic->redrawShownPlots();
    });
    QObject::connect(ws, &WorkspaceModel::analysisReset, pages.mtf, &MtfPage::clearPlots);
    QObject::connect(ws, &WorkspaceModel::analysisReset, pages.synthetic,
                     &SyntheticPage::clearPlots);
}

} // namespace lumi
