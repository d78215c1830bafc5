#include "app/fringetoolspanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace lumi {

namespace {

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    return b;
}

QLabel* readout(const char* name, const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(48);
    QFont big = label->font();
    big.setPointSize(big.pointSize() + 3);
    big.setBold(true);
    label->setFont(big);
    return label;
}

} // namespace

FringeToolsPanel::FringeToolsPanel(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);

    tracingGroup_ = new QGroupBox(QStringLiteral("Fringe Tracing"), this);
    tracingGroup_->setObjectName("FrameTracing");
    auto* tracing = new QGridLayout(tracingGroup_);
    vscroll1_ = new QScrollBar(Qt::Vertical, tracingGroup_);
    vscroll1_->setObjectName("VScroll1");
    vscroll1_->setRange(0, 100);
    vscroll1_->setSingleStep(1);
    vscroll1_->setPageStep(1);
    vscroll1_->setMinimumHeight(90);
    labelFalsa_ = readout("LabelFALSA", "1", tracingGroup_);
    label2_ = readout("Label2", "0", tracingGroup_);
    label2_->hide();
    label5_ = readout("Label5", "0", tracingGroup_);
    auto* fringeCaption = new QLabel(QStringLiteral("Fringe"), tracingGroup_);
    auto* countCaption = new QLabel(QStringLiteral("Points on  Fringe"), tracingGroup_);
    tracing->addWidget(vscroll1_, 0, 0, 4, 1);
    tracing->addWidget(fringeCaption, 0, 1);
    tracing->addWidget(labelFalsa_, 1, 1);
    tracing->addWidget(countCaption, 2, 1);
    tracing->addWidget(label5_, 3, 1);
    command4_ = button("Command4", "Delete Active Fringe ", tracingGroup_);
    command8_ = button("Command8", "Delete  All  Points", tracingGroup_);
    cmdReverse_ = button("CmdReverse", "Reverse  Fringe Order", tracingGroup_);
    optimize_ = button("CmdOptimize", "Optimize Fringe Points", tracingGroup_);
    checkAutoTracing_ = new QCheckBox(QStringLiteral("Fringe AutoTracing"), tracingGroup_);
    checkAutoTracing_->setObjectName("CheckAutoTracing");
    performAutoTracing_ = button("CmdAutoTracing", "Perform  AUTOTRACING", tracingGroup_);
    int row = 4;
    for (QWidget* w : std::initializer_list<QWidget*>{command4_, command8_, cmdReverse_, optimize_,
                                                      checkAutoTracing_, performAutoTracing_}) {
        tracing->addWidget(w, row++, 0, 1, 2);
    }
    column->addWidget(tracingGroup_);

    apertureGroup_ = new QGroupBox(QStringLiteral("Aperture"), this);
    apertureGroup_->setObjectName("FrameAperture");
    auto* aperture = new QHBoxLayout(apertureGroup_);
    command5_ = button("Command5", "Add Circle", apertureGroup_);
    command2_ = button("Command2", "Clear", apertureGroup_);
    aperture->addWidget(command5_);
    aperture->addWidget(command2_);
    column->addWidget(apertureGroup_);

    obstructionGroup_ = new QGroupBox(QStringLiteral("Obstruction"), this);
    obstructionGroup_->setObjectName("FrameObstruction");
    auto* obstruction = new QHBoxLayout(obstructionGroup_);
    command6_ = button("Command6", "Add Circle", obstructionGroup_);
    command7_ = button("Command7", "Clear", obstructionGroup_);
    obstruction->addWidget(command6_);
    obstruction->addWidget(command7_);
    column->addWidget(obstructionGroup_);
    column->addStretch(1);

    connect(vscroll1_, &QScrollBar::valueChanged, this, &FringeToolsPanel::fringeSelected);
    connect(checkAutoTracing_, &QCheckBox::toggled, performAutoTracing_, &QWidget::setEnabled);
    applyEnabling(GroupEnabling{});
}

void FringeToolsPanel::applyEnabling(const GroupEnabling& groups) {
    tracingGroup_->setEnabled(groups.fringeTracing);
    apertureGroup_->setEnabled(groups.apertureGroup);
    command5_->setEnabled(groups.apertureAddCircle);
    obstructionGroup_->setEnabled(groups.obstructionGroup);
    command6_->setEnabled(groups.obstructionAddCircle);
    performAutoTracing_->setEnabled(checkAutoTracing_->isChecked());
}

void FringeToolsPanel::showActiveFringe(int fringe) {
    const QSignalBlocker block(vscroll1_);
    vscroll1_->setValue(fringe);
    label2_->setText(QString::number(fringe));
    labelFalsa_->setText(QString::number(fringe + 1));
}

void FringeToolsPanel::showPointCount(int count) {
    label5_->setText(QString::number(count));
}

} // namespace lumi
