#pragma once

#include "app/fringeeditcommand.h"

#include <QString>
#include <memory>

class QUndoStack;

namespace lumi {

// Turns the fringe edits of one user command into one undo step: the state
// before is taken when the command starts (mouse press, button click) and a
// step is pushed when it ends, only if the store or the editing state changed.
// Every change of the store must happen inside a step, or the steps would no
// longer fit the store they are replayed on.
class EditRecorder {
public:
    explicit EditRecorder(FringeEditCommand::Target target);
    ~EditRecorder();

    // Where steps go; none (nullptr): nothing is recorded.
    void setStack(QUndoStack* stack) { stack_ = stack; }

    // Ends any open step, then opens one called `text`.
    void begin(const QString& text);
    // Opens a step called `text` unless one is open (a drag goes on).
    void ensureOpen(const QString& text);
    // Renames the open step (a click that turns into a drag).
    void setText(const QString& text) { text_ = text; }
    // The open step is part of a circle construction (merges with its other parts).
    void markConstruction() { construction_ = true; }
    // Closes the open step; pushes it when something changed.
    void finish();
    // Forgets the open step (the data were replaced as a whole).
    void drop() { open_ = false; }

private:
    FringeEditCommand::Target target_;
    QUndoStack* stack_ = nullptr;
    bool open_ = false;
    bool construction_ = false;
    QString text_;
    std::unique_ptr<FringeStore> storeBefore_; // one reused copy, not one per step
    FringeEditor editorBefore_;
};

} // namespace lumi
