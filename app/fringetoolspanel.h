#pragma once

#include "fringe/groupenabling.h"

#include <QWidget>

#include <vector>

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSpinBox;

namespace lumi {

// The "Fringe Tracing", "Aperture" and "Obstruction" groups beside the
// interferogram: the fringe selector scroll bar with its read-outs and the
// editing buttons. Widgets only; the image page acts on the signals.
class FringeToolsPanel : public QWidget {
    Q_OBJECT
public:
    explicit FringeToolsPanel(QWidget* parent = nullptr);

    // Enables the groups as the editing state says; "Perform  AUTOTRACING"
    // only while "Fringe AutoTracing" is ticked.
    void applyEnabling(const GroupEnabling& groups);
    // Shows the active fringe (0-based) in the read-outs and moves the selector
    // there without announcing a selection.
    void showActiveFringe(int fringe);
    // Shows the point count of the active fringe ("Points on  Fringe").
    void showPointCount(int count);
    // Shows a fringe order (0-based; the box shows it + 1) without announcing
    // a choice. While seeding the box is the next seed's order and "Same
    // Order" is offered (when a seed is placed); otherwise it is the active
    // fringe's.
    void showOrder(int order, bool seeding, bool canRepeat);

    QScrollBar* selector() const { return fringeSelector_; }
    QLabel* fringeNumber() const { return fringeNumberLabel_; }
    QLabel* fringeIndex() const { return fringeIndexLabel_; }
    QLabel* pointCount() const { return pointCountLabel_; }
    QSpinBox* orderBox() const { return orderBox_; }
    QLabel* orderCaption() const { return orderCaption_; }
    QPushButton* sameOrderButton() const { return sameOrder_; }
    QGroupBox* tracingGroup() const { return tracingGroup_; }
    QGroupBox* apertureGroup() const { return apertureGroup_; }
    QGroupBox* obstructionGroup() const { return obstructionGroup_; }
    QPushButton* deleteActiveButton() const { return deleteActiveButton_; }
    QPushButton* deleteAllButton() const { return deleteAllButton_; }
    QPushButton* reverseButton() const { return reverseButton_; }
    QPushButton* apertureAddButton() const { return apertureAddButton_; }
    QPushButton* apertureClearButton() const { return apertureClearButton_; }
    QPushButton* obstructionAddButton() const { return obstructionAddButton_; }
    QPushButton* obstructionClearButton() const { return obstructionClearButton_; }
    QCheckBox* autoTracingBox() const { return autoTracingBox_; }
    // Ticks or clears "Fringe AutoTracing"; toggled() follows on a change.
    void setAutoTracing(bool on);
    QPushButton* performAutoTracingButton() const { return performAutoTracing_; }
    QPushButton* optimizeButton() const { return optimize_; }
    // "Analyse Whole Field": the picture analysed without fringe points.
    QPushButton* wholeFieldButton() const { return wholeField_; }
    // Every button and box whose click may change the points, circles or
    // seeds (what a save would keep).
    std::vector<QAbstractButton*> editingButtons() const;

signals:
    // The user moved the selector to fringe index `fringe` (0..100).
    void fringeSelected(int fringe);
    // The user typed or stepped the order box to `order` (0-based).
    void orderChosen(int order);

private:
    QGroupBox* tracingGroup_;
    QGroupBox* apertureGroup_;
    QGroupBox* obstructionGroup_;
    QScrollBar* fringeSelector_;
    QLabel* fringeNumberLabel_;
    QLabel* fringeIndexLabel_;
    QLabel* pointCountLabel_;
    QLabel* orderCaption_;
    QSpinBox* orderBox_;
    QPushButton* sameOrder_;
    QPushButton* deleteActiveButton_;
    QPushButton* deleteAllButton_;
    QPushButton* reverseButton_;
    QPushButton* optimize_;
    QCheckBox* autoTracingBox_;
    QPushButton* performAutoTracing_;
    QPushButton* apertureAddButton_;
    QPushButton* apertureClearButton_;
    QPushButton* obstructionAddButton_;
    QPushButton* obstructionClearButton_;
    QPushButton* wholeField_;
};

} // namespace lumi
