#include "app/aberrationpage.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <array>

namespace lumi {

namespace {

struct Row {
    const char* caption;
    const char* valueName;
    const char* nmName; // nullptr: no nanometre column
};

constexpr std::array<Row, 8> kRows{{
    {" PEAK to VALLEY", "LblPV", "LblPVnm"},
    {" RMS", "LblRMS", "LblRMSnm"},
    {" STREHL   RATIO", "LblStrehl", nullptr},
    {" TILT", "LblTilt", "LblTiltnm"},
    {" DEFOCUS", "LblDefocus", "LblDefocusnm"},
    {" ASTIGMATISM  (low-order) ", "LblAstig", "LblAstignm"},
    {" COMA              (low-order)", "LblComa", "LblComanm"},
    {" SPHERICAL     (low-order)", "LblSpherical", "LblSphericalnm"},
}};

QLabel* makeLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* makeField(const char* name, QWidget* parent, int minWidth) {
    auto* label = makeLabel("", parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(minWidth);
    label->setMinimumHeight(24);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    label->setPalette(pal);
    return label;
}

} // namespace

AberrationPage::AberrationPage(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    int row = 0;
    for (const Row& r : kRows) {
        QLabel* cap = makeLabel(r.caption, this);
        cap->setFont(mono);
        QFont bold = cap->font();
        bold.setBold(true);
        cap->setFont(bold);
        grid->addWidget(cap, row, 0);
        grid->addWidget(makeField(r.valueName, this, 300), row, 1);
        if (r.nmName != nullptr) {
            grid->addWidget(makeField(r.nmName, this, 130), row, 2);
        }
        ++row;
    }
    grid->setRowMinimumHeight(row++, 12);
    for (const auto& [text, name] : {std::pair{" Rms Fit Error (quality of Fit)", "LblFitError"},
                                     std::pair{"Number of fringes", "LblFringes"},
                                     std::pair{" Total  Points on Fringes", "LblPoints"}}) {
        QLabel* cap = makeLabel(text, this);
        cap->setFont(mono);
        grid->addWidget(cap, row, 0);
        grid->addWidget(makeField(name, this, 120), row++, 1, Qt::AlignLeft);
    }

    // What the best-fit conic constant of an aspheric analysis means.
    grid->setRowMinimumHeight(row++, 12);
    QLabel* conicTitle = makeLabel("Conic Constant ( K)  range ", this);
    QFont bold = conicTitle->font();
    bold.setBold(true);
    conicTitle->setFont(bold);
    grid->addWidget(conicTitle, row++, 0);
    for (const char* range :
         {" K > 0    Oblate Ellipsoid", " K =  0   Sphere", " -1 < K < 0    Prolate Ellipsoid",
          " K = -1    Parabola", " K < -1    Hyperbola"}) {
        grid->addWidget(makeLabel(range, this), row++, 0);
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(3, 1);
}

QLabel* AberrationPage::field(const char* objectName) const {
    return findChild<QLabel*>(QString::fromUtf8(objectName));
}

QString AberrationPage::fieldText(const char* objectName) const {
    const QLabel* label = field(objectName);
    return label != nullptr ? label->text() : QString();
}

void AberrationPage::showResults(const SummaryTexts& t) {
    const std::array<std::pair<const char*, const std::string*>, 17> texts{{
        {"LblPV", &t.peakToValley},
        {"LblPVnm", &t.peakToValleyNm},
        {"LblRMS", &t.rms},
        {"LblRMSnm", &t.rmsNm},
        {"LblStrehl", &t.strehl},
        {"LblTilt", &t.tilt},
        {"LblTiltnm", &t.tiltNm},
        {"LblDefocus", &t.defocus},
        {"LblDefocusnm", &t.defocusNm},
        {"LblAstig", &t.astigmatism},
        {"LblAstignm", &t.astigmatismNm},
        {"LblComa", &t.coma},
        {"LblComanm", &t.comaNm},
        {"LblSpherical", &t.spherical},
        {"LblSphericalnm", &t.sphericalNm},
        {"LblFitError", &t.fitRmsError},
        {"LblFringes", &t.fringeCount},
    }};
    for (const auto& [name, text] : texts) {
        field(name)->setText(QString::fromStdString(*text));
    }
    field("LblPoints")->setText(QString::fromStdString(t.pointCount));
}

void AberrationPage::clearFields() {
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->objectName().startsWith(QLatin1String("Lbl"))) {
            label->clear();
        }
    }
}

} // namespace lumi
