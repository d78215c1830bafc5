#pragma once

#include "fringe/fringeeditor.h"
#include "fringe/fringestoredelta.h"

#include <QUndoCommand>
#include <functional>

namespace lumi {

// One undo step of fringe editing: what the store changed (a delta, not a
// copy) and the editing state before and after. The edit is already done
// when the step is pushed, so the stack's first redo() does nothing.
// The steps of one circle construction ("Add Circle" and its three clicks)
// merge into one.
class FringeEditCommand : public QUndoCommand {
public:
    // What the steps act on, and how the window shows the restored state.
    struct Target {
        FringeStore& store;
        FringeEditor& editor;
        std::function<void()> show;
    };

    FringeEditCommand(const QString& text, Target target, FringeStoreDelta delta,
                      FringeEditor before, FringeEditor after, bool construction);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    Target target_;
    FringeStoreDelta delta_;
    FringeEditor before_;
    FringeEditor after_;
    bool construction_;
    bool done_ = true;
};

} // namespace lumi
