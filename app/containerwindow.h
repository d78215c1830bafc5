#pragma once

#include <QMainWindow>

namespace lumi {

class DialogService;
class MainWindow;

// The top-level frame (MDIForm1): holds the main window Frm1 and shows its
// menus. Closing it asks first; "Yes" keeps the program running so that the
// user can save, "No" closes every window and ends the program.
class ContainerWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ContainerWindow(DialogService& dialogs, QWidget* parent = nullptr);

    MainWindow* mainWindow() const { return frm1_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    MainWindow* frm1_;
    bool closing_ = false;
};

} // namespace lumi
