#pragma once

#include <QMainWindow>

namespace lumi {

class DialogService;
class MainWindow;

// The top-level frame: holds the main window and shows its
// menus. Closing it asks first; "Yes" keeps the program running so that the
// user can save, "No" closes every window and ends the program.
class ContainerWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ContainerWindow(DialogService& dialogs, QWidget* parent = nullptr);

    MainWindow* mainWindow() const { return mainWindow_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    MainWindow* mainWindow_;
    bool closing_ = false;
};

} // namespace lumi
