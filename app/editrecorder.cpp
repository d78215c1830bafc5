#include "app/editrecorder.h"

#include <QUndoStack>

namespace lumi {

EditRecorder::EditRecorder(FringeEditCommand::Target target)
    : target_(std::move(target)), storeBefore_(std::make_unique<FringeStore>()) {}

EditRecorder::~EditRecorder() = default;

void EditRecorder::begin(const QString& text) {
    finish();
    if (stack_ == nullptr) {
        return;
    }
    *storeBefore_ = target_.store;
    editorBefore_ = target_.editor;
    text_ = text;
    construction_ = false;
    open_ = true;
}

void EditRecorder::ensureOpen(const QString& text) {
    if (!open_) {
        begin(text);
    }
}

void EditRecorder::finish() {
    if (!open_) {
        return;
    }
    open_ = false;
    FringeStoreDelta delta = FringeStoreDelta::between(*storeBefore_, target_.store);
    if (delta.empty() && editorBefore_ == target_.editor) {
        return; // a click that changed nothing is no step
    }
    stack_->push(new FringeEditCommand(text_, target_, std::move(delta), editorBefore_,
                                       target_.editor, construction_));
}

} // namespace lumi
