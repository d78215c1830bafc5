#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QListWidget;
class QPushButton;

namespace lumi {

class DialogService;

// "Average Zernikes": the list of Zernike files to average and its buttons.
// "APPLY" emits applyRequested with the listed paths; the main window averages
// them and closes this window when that succeeded.
class AverageWindow : public QDialog {
    Q_OBJECT
public:
    explicit AverageWindow(DialogService& dialogs, QWidget* parent = nullptr);

    QStringList files() const;
    QListWidget* list() const { return list_; }
    QPushButton* includeButton() const { return include_; }
    QPushButton* removeButton() const { return remove_; }
    QPushButton* removeAllButton() const { return removeAll_; }
    QPushButton* helpButton() const { return help_; }
    QPushButton* applyButton() const { return apply_; }

    // Where "Include File" starts, and where the folder of the files chosen
    // goes (the window's last Zernike folder).
    void setFolderMemory(std::function<QString()> folder,
                         std::function<void(const QString&)> remember);
    // "Include File": one chosen file is appended; several replace the list.
    void includeFiles();
    // "Remove Selected  File": the new last entry is then selected.
    void removeSelected();

signals:
    void applyRequested(const QStringList& paths);

private:
    void selectLast();

    DialogService& dialogs_;
    std::function<QString()> folder_;
    std::function<void(const QString&)> rememberFolder_;
    QListWidget* list_;
    QPushButton* include_;
    QPushButton* remove_;
    QPushButton* removeAll_;
    QPushButton* help_;
    QPushButton* apply_;
};

} // namespace lumi
