#include "app/fringetoolspanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
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
    fringeSelector_ = new QScrollBar(Qt::Vertical, tracingGroup_);
    fringeSelector_->setObjectName("VScroll1");
    fringeSelector_->setRange(0, 100);
    fringeSelector_->setSingleStep(1);
    fringeSelector_->setPageStep(1);
    fringeSelector_->setMinimumHeight(90);
    fringeNumberLabel_ = readout("LabelFALSA", "1", tracingGroup_);
    fringeIndexLabel_ = readout("Label2", "0", tracingGroup_);
    fringeIndexLabel_->hide();
    pointCountLabel_ = readout("Label5", "0", tracingGroup_);
    auto* fringeCaption = new QLabel(QStringLiteral("Fringe"), tracingGroup_);
    auto* countCaption = new QLabel(QStringLiteral("Points on  Fringe"), tracingGroup_);
    // The fringe order: the active fringe's, or while seeding the next seed's
    // (shown as a fringe number; it is the fringe's own number unless changed).
    orderCaption_ = new QLabel(QStringLiteral("Order"), tracingGroup_);
    orderBox_ = new QSpinBox(tracingGroup_);
    orderBox_->setObjectName("SpinOrder");
    orderBox_->setRange(1, 101);
    orderBox_->setAlignment(Qt::AlignCenter);
    orderBox_->setKeyboardTracking(false); // typing "12" is one choice, not "1" then "12"
    orderBox_->setToolTip(QStringLiteral(
        "Fringe order as a fringe number: the height this fringe stands for. It is the "
        "fringe's own number unless set here; give an outer ring the number of the ring "
        "inside it where the wavefront turns over."));
    sameOrder_ = button("CmdSameOrder", "Same Order", tracingGroup_);
    sameOrder_->setToolTip(
        QStringLiteral("The next seed takes the order of the seed placed last (a second "
                       "ring of one order)"));
    tracing->addWidget(fringeSelector_, 0, 0, 6, 1);
    tracing->addWidget(fringeCaption, 0, 1);
    tracing->addWidget(fringeNumberLabel_, 1, 1);
    tracing->addWidget(countCaption, 2, 1);
    tracing->addWidget(pointCountLabel_, 3, 1);
    tracing->addWidget(orderCaption_, 4, 1);
    tracing->addWidget(orderBox_, 5, 1);
    deleteActiveButton_ = button("Command4", "Delete Active Fringe ", tracingGroup_);
    deleteAllButton_ = button("Command8", "Delete  All  Points", tracingGroup_);
    reverseButton_ = button("CmdReverse", "Reverse  Fringe Order", tracingGroup_);
    optimize_ = button("CmdOptimize", "Optimize Fringe Points", tracingGroup_);
    autoTracingBox_ = new QCheckBox(QStringLiteral("Fringe AutoTracing"), tracingGroup_);
    autoTracingBox_->setObjectName("CheckAutoTracing");
    performAutoTracing_ = button("CmdAutoTracing", "Perform  AUTOTRACING", tracingGroup_);
    int row = 6;
    for (QWidget* w : std::initializer_list<QWidget*>{sameOrder_, deleteActiveButton_,
                                                      deleteAllButton_, reverseButton_, optimize_,
                                                      autoTracingBox_, performAutoTracing_}) {
        tracing->addWidget(w, row++, 0, 1, 2);
    }
    column->addWidget(tracingGroup_);

    apertureGroup_ = new QGroupBox(QStringLiteral("Aperture"), this);
    apertureGroup_->setObjectName("FrameAperture");
    auto* aperture = new QHBoxLayout(apertureGroup_);
    apertureAddButton_ = button("Command5", "Add Circle", apertureGroup_);
    apertureClearButton_ = button("Command2", "Clear", apertureGroup_);
    aperture->addWidget(apertureAddButton_);
    aperture->addWidget(apertureClearButton_);
    column->addWidget(apertureGroup_);

    obstructionGroup_ = new QGroupBox(QStringLiteral("Obstruction"), this);
    obstructionGroup_->setObjectName("FrameObstruction");
    auto* obstruction = new QHBoxLayout(obstructionGroup_);
    obstructionAddButton_ = button("Command6", "Add Circle", obstructionGroup_);
    obstructionClearButton_ = button("Command7", "Clear", obstructionGroup_);
    obstruction->addWidget(obstructionAddButton_);
    obstruction->addWidget(obstructionClearButton_);
    column->addWidget(obstructionGroup_);
    wholeField_ = button("CmdWholeField", "Analyse Whole Field", this);
    wholeField_->setToolTip(QStringLiteral("Analyse the picture's tilt fringes by Fourier "
                                           "transform, without fringe points"));
    column->addWidget(wholeField_);
    column->addStretch(1);

    connect(fringeSelector_, &QScrollBar::valueChanged, this, &FringeToolsPanel::fringeSelected);
    connect(orderBox_, &QSpinBox::valueChanged, this,
            [this](int number) { emit orderChosen(number - 1); });
    sameOrder_->hide();
    connect(autoTracingBox_, &QCheckBox::toggled, performAutoTracing_, &QWidget::setEnabled);
    applyEnabling(GroupEnabling{});
}

std::vector<QAbstractButton*> FringeToolsPanel::editingButtons() const {
    return {sameOrder_,
            deleteActiveButton_,
            deleteAllButton_,
            reverseButton_,
            optimize_,
            autoTracingBox_,
            performAutoTracing_,
            apertureAddButton_,
            apertureClearButton_,
            obstructionAddButton_,
            obstructionClearButton_,
            wholeField_};
}

void FringeToolsPanel::setAutoTracing(bool on) {
    autoTracingBox_->setChecked(on);
}

void FringeToolsPanel::applyEnabling(const GroupEnabling& groups) {
    tracingGroup_->setEnabled(groups.fringeTracing);
    apertureGroup_->setEnabled(groups.apertureGroup);
    apertureAddButton_->setEnabled(groups.apertureAddCircle);
    obstructionGroup_->setEnabled(groups.obstructionGroup);
    obstructionAddButton_->setEnabled(groups.obstructionAddCircle);
    performAutoTracing_->setEnabled(autoTracingBox_->isChecked());
}

void FringeToolsPanel::showActiveFringe(int fringe) {
    const QSignalBlocker block(fringeSelector_);
    fringeSelector_->setValue(fringe);
    fringeIndexLabel_->setText(QString::number(fringe));
    fringeNumberLabel_->setText(QString::number(fringe + 1));
}

void FringeToolsPanel::showOrder(int order, bool seeding, bool canRepeat) {
    {
        const QSignalBlocker block(orderBox_);
        orderBox_->setValue(order + 1);
    }
    orderCaption_->setText(seeding ? QStringLiteral("Next Seed Order") : QStringLiteral("Order"));
    sameOrder_->setVisible(seeding);
    sameOrder_->setEnabled(canRepeat);
}

void FringeToolsPanel::showPointCount(int count) {
    pointCountLabel_->setText(QString::number(count));
}

} // namespace lumi
