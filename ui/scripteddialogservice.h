#pragma once

#include "ui/dialogservice.h"

#include <QStringList>
#include <deque>
#include <vector>

namespace lumi {

// DialogService that answers from queues prepared in advance and records what
// was shown; used by the GUI tests and the screenshot tool. An empty queue
// answers No / Cancel and counts the dialog as unscripted.
class ScriptedDialogService : public DialogService {
public:
    struct Shown {
        enum class Kind { Question, Message, OpenFile, SaveFile, Color } kind;
        QString title;
        QString text; // message text, or the filter of a file dialog
    };

    std::deque<bool> yesNoAnswers;
    // Questions that may be dismissed: this many are dismissed (Escape)
    // before yesNoAnswers answer them.
    int dismissNext = 0;
    // Questions before discarding unsaved work are kept apart from `shown`:
    // recorded in discardQuestions, answered from discardAnswers, and an
    // empty queue goes on (Yes), so scripts of other commands stay as they are.
    std::deque<bool> discardAnswers;
    QStringList discardQuestions;
    // File dialog answers: a path, or an empty text for Cancel.
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    // Multi-file open answers: the chosen paths, or an empty list for Cancel.
    std::deque<QStringList> openManyAnswers;
    // The last multi-file open request, as asked.
    FileDialogRequest lastOpenManyRequest;
    // The last single-file open or save request, as asked.
    FileDialogRequest lastFileRequest;
    std::deque<std::optional<RgbColor>> colorAnswers;
    // "Follow the fringe direction" as left in the autotracing confirmation
    // when it is answered YES; an empty queue leaves the option as shown.
    std::deque<bool> followFringeAnswers;

    std::vector<Shown> shown;
    QStringList fileDialogFolders; // initial folder of each open or save dialog, in order
    int unscripted = 0;
    int beeps = 0;

    bool askYesNo(const QString& title, const QString& text, Icon icon) override;
    std::optional<bool> askYesNoOrDismiss(const QString& title, const QString& text,
                                          Icon icon) override;
    bool askDiscard(const QString& title, const QString& text) override;
    void showMessage(const QString& title, const QString& text, Icon icon) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<QStringList> openFiles(const FileDialogRequest& request) override;
    std::optional<RgbColor> chooseColor(RgbColor initial) override;
    void beep() override { ++beeps; }
    bool confirmAutoTracing(AutoTracingChoice& choice) override;

    // Texts of the messages and questions shown, in order.
    QStringList texts() const;
    // Text of the last message or question, empty when none.
    QString lastText() const;

private:
    // Records a single-file open or save dialog and answers it from `answers`.
    std::optional<QString> answerFileDialog(Shown::Kind kind, const FileDialogRequest& request,
                                            std::deque<QString>& answers);
};

} // namespace lumi
