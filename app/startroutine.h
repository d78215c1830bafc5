#pragma once

#include "app/startarguments.h"

#include <QObject>
#include <QWidget>
#include <memory>

namespace lumi {

class ContainerWindow;
class DialogService;
class SplashWindow;

// The program's start (ModuleMain): shows the splash window; when its timer
// fires, shows the container window with the main window inside, then opens the
// files named on the command line (their messages appear over the shown window).
class StartRoutine : public QObject {
    Q_OBJECT
public:
    explicit StartRoutine(DialogService& dialogs, QObject* parent = nullptr);
    ~StartRoutine() override;

    // Shows the splash window and returns.
    void start();
    // Files to open once the main window is shown.
    void setArguments(const StartArguments& arguments) { arguments_ = arguments; }

    SplashWindow* splash() const { return splash_.get(); }
    ContainerWindow* container() const { return container_.get(); }

signals:
    // The container window is on screen; dialogs may take it as their parent.
    void containerShown(QWidget* container);

private:
    void showMain();
    void openArguments();

    DialogService& dialogs_;
    StartArguments arguments_;
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<ContainerWindow> container_;
};

} // namespace lumi
