#include "app/phasecommands.h"

#include "app/imagepage.h"
#include "app/mainwindow.h"
#include "app/phaseshiftwindow.h"
#include "app/wholefieldwindow.h"
#include "ui/dialogservice.h"
#include "ui/imagecanvas.h"

namespace lumi {

PhaseCommands::PhaseCommands(MainWindow& window, DialogService& dialogs,
                             std::function<bool()> mayDiscard)
    : QObject(&window), window_(window), dialogs_(dialogs), mayDiscard_(std::move(mayDiscard)) {
    setObjectName("PhaseCommands");
    // A new picture makes the whole-field pictures stale.
    connect(&window_, &MainWindow::analysisReset, this, [this] {
        if (wholeField_ != nullptr)
            wholeField_->forgetPicture();
    });
}

void PhaseCommands::analyseWholeField() {
    if (!window_.imagePage()->canvas()->hasPicture()) {
        dialogs_.showMessage(QStringLiteral("Error"),
                             QStringLiteral("You must first load an Interferogram image !"),
                             DialogService::Icon::None);
        return;
    }
    if (wholeField_ == nullptr)
        wholeField_ = new WholeFieldWindow(window_, dialogs_, &window_);
    wholeField_->show();
    wholeField_->raise();
    wholeField_->analyse();
}

void PhaseCommands::loadPhaseShiftedFrames() {
    if (phaseShift_ == nullptr)
        phaseShift_ = new PhaseShiftWindow(window_, dialogs_, mayDiscard_, &window_);
    if (phaseShift_->loadFramesCommand() || phaseShift_->frameCount() > 0) {
        phaseShift_->show();
        phaseShift_->raise();
    }
}

} // namespace lumi
