#pragma once

#include "fringe/groupenabling.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace lumi {

// The "Fringe Tracing", "Aperture" and "Obstruction" groups beside the
// interferogram: the fringe selector VScroll1 with its read-outs and the
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

    QScrollBar* selector() const { return vscroll1_; }
    QLabel* fringeNumber() const { return labelFalsa_; }
    QLabel* fringeIndex() const { return label2_; }
    QLabel* pointCount() const { return label5_; }
    QGroupBox* tracingGroup() const { return tracingGroup_; }
    QGroupBox* apertureGroup() const { return apertureGroup_; }
    QGroupBox* obstructionGroup() const { return obstructionGroup_; }
    QPushButton* deleteActiveButton() const { return command4_; }
    QPushButton* deleteAllButton() const { return command8_; }
    QPushButton* reverseButton() const { return cmdReverse_; }
    QPushButton* apertureAddButton() const { return command5_; }
    QPushButton* apertureClearButton() const { return command2_; }
    QPushButton* obstructionAddButton() const { return command6_; }
    QPushButton* obstructionClearButton() const { return command7_; }
    QCheckBox* autoTracingBox() const { return checkAutoTracing_; }
    QPushButton* performAutoTracingButton() const { return performAutoTracing_; }
    QPushButton* optimizeButton() const { return optimize_; }

signals:
    // The user moved the selector to fringe index `fringe` (0..100).
    void fringeSelected(int fringe);

private:
    QGroupBox* tracingGroup_;
    QGroupBox* apertureGroup_;
    QGroupBox* obstructionGroup_;
    QScrollBar* vscroll1_;
    QLabel* labelFalsa_;
    QLabel* label2_;
    QLabel* label5_;
    QPushButton* command4_;
    QPushButton* command8_;
    QPushButton* cmdReverse_;
    QPushButton* optimize_;
    QCheckBox* checkAutoTracing_;
    QPushButton* performAutoTracing_;
    QPushButton* command5_;
    QPushButton* command2_;
    QPushButton* command6_;
    QPushButton* command7_;
};

} // namespace lumi
