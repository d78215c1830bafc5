#pragma once

#include "fringe/displaypreferences.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace lumi {

// What an open or save dialog shows. The filter uses the program's own
// "label|pattern|label|pattern" form; implementations translate it.
struct FileDialogRequest {
    QString title;
    QString filter;
    int filterIndex = 1; // 1-based entry of the filter selected first
    QString initialFolder;
    QString fileName;
    bool confirmOverwrite = true; // save dialogs only
};

// The options of the autotracing confirmation window.
struct AutoTracingChoice {
    bool followFringe = false; // "Follow the fringe direction"
};

// Every question, message and common dialog the windows show goes through this
// interface, so tests can answer them from a script.
class DialogService {
public:
    enum class Icon { None, Information, Warning, Critical, Question };

    virtual ~DialogService() = default;

    // Yes/No question; true for Yes.
    virtual bool askYesNo(const QString& title, const QString& text, Icon icon) = 0;
    // Yes/No question the user may also dismiss (Escape, the window's close
    // button): nullopt then, true for Yes.
    virtual std::optional<bool> askYesNoOrDismiss(const QString& title, const QString& text,
                                                  Icon icon) {
        return askYesNo(title, text, icon);
    }
    // Asked before a command discards unsaved work; true to go on.
    virtual bool askDiscard(const QString& title, const QString& text) {
        return askYesNo(title, text, Icon::Question);
    }
    // Message with an OK button.
    virtual void showMessage(const QString& title, const QString& text, Icon icon) = 0;
    // Chosen file path, or nullopt when the user cancels.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    // Several existing files chosen at once, in the dialog's order; nullopt on Cancel.
    virtual std::optional<QStringList> openFiles(const FileDialogRequest& request) = 0;
    // Chosen colour, or nullopt when the user cancels.
    virtual std::optional<RgbColor> chooseColor(RgbColor initial) = 0;
    // Audible warning (before "Invalid Picture").
    virtual void beep() {}
    // The autotracing confirmation window (sketch of seeds across the fringes,
    // its options shown as `choice` holds them); true for "YES", with the
    // options left in `choice`. By default the question alone, titled like the
    // window, and `choice` stays as it is.
    virtual bool confirmAutoTracing(AutoTracingChoice& choice);
};

// The path chosen in a save dialog with `title` and `filter`, opened in
// `initialFolder`; the dialog asks before an existing file is replaced.
// nullopt when the user cancels.
inline std::optional<QString> askSavePath(DialogService& dialogs, const QString& title,
                                          const QString& filter,
                                          const QString& initialFolder = QString()) {
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.initialFolder = initialFolder;
    return dialogs.saveFile(request);
}

// The questions of the autotracing confirmation window.
inline constexpr char kAutoTracingTitle[] = "Fringe AutoTracing";
inline constexpr char kAutoTracingQuestion[] =
    "Do you want to perform AutoTracing?      (All existing points over the fringes  will be "
    "erased)";

inline bool DialogService::confirmAutoTracing(AutoTracingChoice&) {
    return askYesNo(QString::fromLatin1(kAutoTracingTitle),
                    QString::fromLatin1(kAutoTracingQuestion), Icon::Question);
}

} // namespace lumi
