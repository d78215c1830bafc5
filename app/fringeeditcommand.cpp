#include "app/fringeeditcommand.h"

#include <utility>

namespace lumi {

namespace {

constexpr int kConstructionId = 1;

bool constructing(const FringeEditor& editor) {
    return editor.addingAperture() || editor.addingObstruction();
}

} // namespace

FringeEditCommand::FringeEditCommand(const QString& text, Target target, FringeStoreDelta delta,
                                     FringeEditor before, FringeEditor after, bool construction)
    : target_(std::move(target)), delta_(std::move(delta)), before_(std::move(before)),
      after_(std::move(after)), construction_(construction) {
    setText(text);
}

void FringeEditCommand::undo() {
    delta_.revertOn(target_.store);
    target_.editor = before_;
    done_ = false;
    target_.show();
}

void FringeEditCommand::redo() {
    if (done_) {
        return; // pushed after the edit was made
    }
    delta_.applyTo(target_.store);
    target_.editor = after_;
    done_ = true;
    target_.show();
}

int FringeEditCommand::id() const {
    return construction_ ? kConstructionId : -1;
}

bool FringeEditCommand::mergeWith(const QUndoCommand* other) {
    // Only a construction still waiting for clicks takes in the next part of it.
    const auto* next = dynamic_cast<const FringeEditCommand*>(other);
    if (next == nullptr || !next->construction_ || !constructing(after_)) {
        return false;
    }
    delta_.append(next->delta_);
    after_ = next->after_;
    setText(next->text());
    return true;
}

} // namespace lumi
