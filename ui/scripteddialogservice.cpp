#include "ui/scripteddialogservice.h"

namespace lumi {

namespace {

std::optional<QString> takePath(std::deque<QString>& queue, int& unscripted) {
    if (queue.empty()) {
        ++unscripted;
        return std::nullopt;
    }
    const QString path = queue.front();
    queue.pop_front();
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

} // namespace

bool ScriptedDialogService::askYesNo(const QString& title, const QString& text, Icon) {
    shown.push_back({Shown::Kind::Question, title, text});
    if (yesNoAnswers.empty()) {
        ++unscripted;
        return false;
    }
    const bool yes = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return yes;
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
    shown.push_back({Shown::Kind::OpenFile, request.title, request.filter});
    fileDialogFolders.append(request.initialFolder);
    lastFileRequest = request;
    return takePath(openAnswers, unscripted);
}

std::optional<QString> ScriptedDialogService::saveFile(const FileDialogRequest& request) {
    shown.push_back({Shown::Kind::SaveFile, request.title, request.filter});
    fileDialogFolders.append(request.initialFolder);
    lastFileRequest = request;
    return takePath(saveAnswers, unscripted);
}

std::optional<QStringList> ScriptedDialogService::openFiles(const FileDialogRequest& request) {
    shown.push_back({Shown::Kind::OpenFile, request.title, request.filter});
    lastOpenManyRequest = request;
    if (openManyAnswers.empty()) {
        ++unscripted;
        return std::nullopt;
    }
    const QStringList paths = openManyAnswers.front();
    openManyAnswers.pop_front();
    if (paths.isEmpty()) {
        return std::nullopt;
    }
    return paths;
}

std::optional<RgbColor> ScriptedDialogService::chooseColor(RgbColor) {
    shown.push_back({Shown::Kind::Color, QString(), QString()});
    if (colorAnswers.empty()) {
        ++unscripted;
        return std::nullopt;
    }
    const std::optional<RgbColor> answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
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

} // namespace lumi
