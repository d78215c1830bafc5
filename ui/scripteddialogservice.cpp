#include "ui/scripteddialogservice.h"

#include <utility>

namespace lumi {

namespace {

// The next scripted answer; nullopt, counted as unscripted, when none is left.
template <typename T> std::optional<T> nextAnswer(std::deque<T>& queue, int& unscripted) {
    if (queue.empty()) {
        ++unscripted;
        return std::nullopt;
    }
    T answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

// A file dialog's answer: an empty path or list stands for Cancel.
template <typename T> std::optional<T> takeChosen(std::deque<T>& queue, int& unscripted) {
    std::optional<T> chosen = nextAnswer(queue, unscripted);
    if (chosen && chosen->isEmpty()) {
        return std::nullopt;
    }
    return chosen;
}

} // namespace

bool ScriptedDialogService::askYesNo(const QString& title, const QString& text, Icon) {
    shown.push_back({Shown::Kind::Question, title, text});
    return nextAnswer(yesNoAnswers, unscripted).value_or(false);
}

std::optional<bool> ScriptedDialogService::askYesNoOrDismiss(const QString& title,
                                                             const QString& text, Icon icon) {
    if (dismissNext > 0) {
        --dismissNext;
        shown.push_back({Shown::Kind::Question, title, text});
        return std::nullopt;
    }
    return askYesNo(title, text, icon);
}

bool ScriptedDialogService::askDiscard(const QString&, const QString& text) {
    discardQuestions << text;
    if (discardAnswers.empty()) {
        return true;
    }
    const bool goOn = discardAnswers.front();
    discardAnswers.pop_front();
    return goOn;
}

void ScriptedDialogService::showMessage(const QString& title, const QString& text, Icon) {
    shown.push_back({Shown::Kind::Message, title, text});
}

std::optional<QString> ScriptedDialogService::openFile(const FileDialogRequest& request) {
    return answerFileDialog(Shown::Kind::OpenFile, request, openAnswers);
}

std::optional<QString> ScriptedDialogService::saveFile(const FileDialogRequest& request) {
    return answerFileDialog(Shown::Kind::SaveFile, request, saveAnswers);
}

std::optional<QString> ScriptedDialogService::answerFileDialog(Shown::Kind kind,
                                                               const FileDialogRequest& request,
                                                               std::deque<QString>& answers) {
    shown.push_back({kind, request.title, request.filter});
    fileDialogFolders.append(request.initialFolder);
    lastFileRequest = request;
    return takeChosen(answers, unscripted);
}

std::optional<QStringList> ScriptedDialogService::openFiles(const FileDialogRequest& request) {
    shown.push_back({Shown::Kind::OpenFile, request.title, request.filter});
    lastOpenManyRequest = request;
    return takeChosen(openManyAnswers, unscripted);
}

std::optional<RgbColor> ScriptedDialogService::chooseColor(RgbColor) {
    shown.push_back({Shown::Kind::Color, QString(), QString()});
    return nextAnswer(colorAnswers, unscripted).value_or(std::nullopt);
}

QStringList ScriptedDialogService::texts() const {
    QStringList out;
    for (const Shown& s : shown) {
        if (s.kind == Shown::Kind::Question || s.kind == Shown::Kind::Message) {
            out << s.text;
        }
    }
    return out;
}

QString ScriptedDialogService::lastText() const {
    const QStringList all = texts();
    return all.isEmpty() ? QString() : all.back();
}

bool ScriptedDialogService::confirmAutoTracing(AutoTracingChoice& choice) {
    if (!DialogService::confirmAutoTracing(choice))
        return false;
    if (!followFringeAnswers.empty()) {
        choice.followFringe = followFringeAnswers.front();
        followFringeAnswers.pop_front();
    }
    return true;
}

} // namespace lumi
