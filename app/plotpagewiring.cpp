#include "app/plotpagewiring.h"

#include "app/mainwindow.h"
#include "app/mtfpage.h"
#include "app/psfpage.h"
#include "app/settingspanel.h"
#include "app/syntheticpage.h"
#include "app/wavefrontpage.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>

namespace lumi {

void connectPlotPages(MainWindow& window, const PlotPages& pages) {
    QStatusBar* status = window.statusBar();
    QTabWidget* mainTabs = window.tabs();
    SettingsPanel* settings = window.settingsPanel();
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
    MainWindow* session = &window;
    const auto refuse = [session](const QString& command, const QString& problem) {
        session->refuseValue(command, problem);
    };
    QObject::connect(pages.mtf, &MtfPage::valueRefused, &window, refuse);
    QObject::connect(pages.synthetic, &SyntheticPage::valueRefused, &window, refuse);
    pages.mtf->setGridCountSource([session] { return session->lastSampledGridCount(); });
    const auto recordSampling = [session](int n) { session->setLastSampledGridCount(n); };
    QObject::connect(pages.waveFront, &WaveFrontPage::sampled, &window, recordSampling);
    QObject::connect(pages.psf, &PsfPage::sampled, &window, recordSampling);

    QObject::connect(&window, &MainWindow::analysisReset, pages.waveFront,
                     &WaveFrontPage::clearPlots);
    QObject::connect(&window, &MainWindow::analysisReset, pages.psf, &PsfPage::clearPlots);
    // No page keeps showing an earlier fit: what is drawn is drawn again, and
    // what cannot be drawn for the new one is cleared.
    QObject::connect(&window, &MainWindow::analysisApplied, pages.psf, [pages] {
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
    QObject::connect(&window, &MainWindow::analysisReset, pages.mtf, &MtfPage::clearPlots);
    QObject::connect(&window, &MainWindow::analysisReset, pages.synthetic,
                     &SyntheticPage::clearPlots);
}

} // namespace lumi
