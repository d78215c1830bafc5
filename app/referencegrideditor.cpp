#include "app/referencegrideditor.h"

#include "analysis/zernikecoefficients.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

namespace lumi {

namespace {

// Codes 45..57: "-", ".", "/" and the digits.
bool isEntryCharacter(QChar c) {
    return c.unicode() >= 45 && c.unicode() <= 57;
}

} // namespace

ReferenceGridEditor::ReferenceGridEditor(QTableWidget* grid, std::function<int()> highestTerm)
    : QObject(grid), grid_(grid), box_(new QLineEdit(grid->viewport())),
      highestTerm_(std::move(highestTerm)) {
    box_->setObjectName("referenceEntryBox");
    box_->setFrame(false);
    box_->hide();
    box_->installEventFilter(this);
    grid_->installEventFilter(this);
    connect(grid_, &QTableWidget::cellClicked, this,
            [this](int row, int column) { beginEdit(row, column); });
    connect(grid_, &QTableWidget::currentCellChanged, this, &ReferenceGridEditor::commit);
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ReferenceGridEditor::drop);
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &ReferenceGridEditor::drop);
}

bool ReferenceGridEditor::beginEdit(int row, int column) {
    int highest = highestTerm_ ? highestTerm_() : 24;
    if (highest == 0) {
        highest = 24;
    }
    // Grid rows 2..highestTerm + 2 are terms 1..highestTerm + 1.
    const int lastRow = std::min(highest + 1, kZernikeTermCount - 1);
    if (column != 1 || row < 1 || row > lastRow) {
        return false;
    }
    QTableWidgetItem* item = grid_->item(row, 1);
    if (item == nullptr) {
        return false;
    }
    editRow_ = row;
    box_->setText(item->text());
    box_->setGeometry(grid_->visualItemRect(item));
    box_->show();
    box_->setFocus(Qt::OtherFocusReason);
    box_->selectAll();
    return true;
}

void ReferenceGridEditor::commit() {
    if (!box_->isVisible()) {
        return;
    }
    if (QTableWidgetItem* item = grid_->item(editRow_, 1)) {
        item->setText(box_->text());
    }
    drop();
}

void ReferenceGridEditor::drop() {
    editRow_ = -1;
    box_->hide();
}

bool ReferenceGridEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::FocusIn) {
        commit();
    } else if (watched == box_ && event->type() == QEvent::FocusIn) {
        box_->selectAll();
    } else if (watched == box_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            commit();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            drop();
            return true;
        }
        const QString text = key->text();
        const bool backspace = key->key() == Qt::Key_Backspace;
        const bool character = !text.isEmpty() && text.at(0).isPrint();
        if (!backspace && !character) {
            return false; // arrows, Delete and the like edit as usual
        }
        if (!backspace && !isEntryCharacter(text.at(0))) {
            return true; // discarded
        }
        // The cell follows the box one key behind; leaving the cell commits the rest.
        if (QTableWidgetItem* item = grid_->item(editRow_, 1)) {
            item->setText(box_->text());
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lumi
