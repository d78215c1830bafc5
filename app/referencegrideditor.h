#pragma once

#include <QObject>
#include <functional>

class QLineEdit;
class QTableWidget;

namespace lumi {

// Typing reference coefficients into the reference grid: an entry box placed
// over the clicked coefficient cell. It accepts backspace and "-", ".", "/" and
// the digits; Enter commits, Escape drops. The edit is committed into its cell
// when the grid's current cell changes, when the grid gets the focus and on
// commit(); scrolling the grid drops it.
class ReferenceGridEditor : public QObject {
    Q_OBJECT
public:
    // `highestTerm` gives the highest term in use; rows of terms 1..highestTerm
    // + 1 open the box (piston never; 24 stands in for 0, before any analysis).
    ReferenceGridEditor(QTableWidget* grid, std::function<int()> highestTerm);

    QLineEdit* entryBox() const { return box_; }
    // Writes a pending edit into its cell and hides the box; nothing when hidden.
    void commit();
    // Hides the box without writing its text.
    void drop();
    // Opens the box over the coefficient cell of table row `row` (term = row)
    // when that row is editable; false otherwise.
    bool beginEdit(int row, int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidget* grid_;
    QLineEdit* box_;
    std::function<int()> highestTerm_;
    int editRow_ = -1; // table row whose cell the box edits
};

} // namespace lumi
