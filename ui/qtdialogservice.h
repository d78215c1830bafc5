#pragma once

#include "ui/dialogservice.h"

class QWidget;

namespace lumi {

// DialogService on Qt's message boxes and common dialogs, modal over a parent.
class QtDialogService : public DialogService {
public:
    explicit QtDialogService(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    bool askYesNo(const QString& title, const QString& text, Icon icon) override;
    std::optional<bool> askYesNoOrDismiss(const QString& title, const QString& text,
                                          Icon icon) override;
    void showMessage(const QString& title, const QString& text, Icon icon) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<QStringList> openFiles(const FileDialogRequest& request) override;
    std::optional<RgbColor> chooseColor(RgbColor initial) override;
    void beep() override;
    bool confirmAutoTracing(AutoTracingChoice& choice) override;

private:
    QWidget* parent_;
};

} // namespace lumi
