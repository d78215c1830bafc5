#include "app/startroutine.h"

#include "app/containerwindow.h"
#include "app/splashwindow.h"
#include "app/windowcentring.h"

namespace lumi {

StartRoutine::StartRoutine(DialogService& dialogs, QObject* parent)
    : QObject(parent), dialogs_(dialogs) {}

StartRoutine::~StartRoutine() = default;

void StartRoutine::start() {
    splash_ = std::make_unique<SplashWindow>();
    connect(splash_.get(), &SplashWindow::finished, this, &StartRoutine::showMain);
    splash_->show();
}

void StartRoutine::showMain() {
    if (container_) {
        return;
    }
    container_ = std::make_unique<ContainerWindow>(dialogs_);
    fitWindowToScreen(*container_);
    container_->show();
    emit containerShown(container_.get());
}

} // namespace lumi
