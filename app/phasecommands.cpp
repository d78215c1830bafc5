#include "app/phasecommands.h"

#include "app/imagepage.h"
#include "app/phaseshiftwindow.h"
#include "app/wholefieldwindow.h"
#include "app/workspacemodel.h"
#include "ui/dialogservice.h"
#include "ui/imagecanvas.h"

namespace lumi {

PhaseCommands::PhaseCommands(WorkspaceModel& workspace, const WindowPages& pages,
                             DialogService& dialogs, std::function<bool()> mayDiscard,
                             QObject* parent)
    : QObject(parent), ws_(workspace), pages_(pages), dialogs_(dialogs),
      mayDiscard_(std::move(mayDiscard)) {
    setObjectName("PhaseCommands");
    // A new picture makes the whole-field pictures stale.
    connect(&ws_, &WorkspaceModel::analysisReset, this, [this] {
        if (wholeField_ != nullptr)
            wholeField_->forgetPicture();
    });
}

void PhaseCommands::analyseWholeField() {
    if (!pages_.image->canvas()->hasPicture()) {
        dialogs_.showMessage(QStringLiteral("Error"),
                             QStringLiteral("You must first load an Interferogram image !"),
                             DialogService::Icon::None);
        return;
    }
    if (wholeField_ == nullptr)
        wholeField_ = new WholeFieldWindow(ws_, pages_, dialogs_, pages_.window);
    wholeField_->show();
    wholeField_->raise();
    wholeField_->analyse();
}

void PhaseCommands::loadPhaseShiftedFrames() {
    if (phaseShift_ == nullptr)
        phaseShift_ = new PhaseShiftWindow(ws_, pages_, dialogs_, mayDiscard_, pages_.window);
    if (phaseShift_->loadFramesCommand() || phaseShift_->frameCount() > 0) {
        phaseShift_->show();
        phaseShift_->raise();
    }
}

} // namespace lumi
