#include "app/aberrationpage.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStringList>
#include <algorithm>
#include <array>

namespace lumi {

namespace {

struct Row {
    const char* caption;
    const char* valueName;
    const char* nmName;    // nullptr: no nanometre column
    const char* sigmaName; // nullptr: no 1 sigma column
};

constexpr std::array<Row, 8> kRows{{
    {" PEAK to VALLEY", "LblPV", "LblPVnm", "LblPVsigma"},
    {" RMS", "LblRMS", "LblRMSnm", "LblRMSsigma"},
    {" STREHL   RATIO", "LblStrehl", nullptr, "LblStrehlSigma"},
    {" TILT", "LblTilt", "LblTiltnm", nullptr},
    {" DEFOCUS", "LblDefocus", "LblDefocusnm", nullptr},
    {" ASTIGMATISM  (low-order) ", "LblAstig", "LblAstignm", nullptr},
    {" COMA              (low-order)", "LblComa", "LblComanm", nullptr},
    {" SPHERICAL     (low-order)", "LblSpherical", "LblSphericalnm", nullptr},
}};

constexpr const char* kBaseWidth = "baseWidth";

// Sets the text and keeps the whole of it visible: the field never gets narrower
// than the text (the layout then squeezes the empty space instead).
void showText(QLabel* label, const QString& text) {
    label->setText(text);
    label->setMinimumWidth(0);
    label->setMinimumWidth(
        std::max(label->property(kBaseWidth).toInt(), label->sizeHint().width()));
}

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
    // The least width of the empty field; showText widens it for longer texts.
    label->setProperty(kBaseWidth, minWidth);
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

AberrationPage::AberrationPage(QWidget* parent)
    : QWidget(parent), fitWarnings_(new QLabel(this)),
      refit_(new QPushButton(QStringLiteral("Fit without flagged points"), this)) {
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8); // the 1 sigma column must fit beside at 1024 px
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
        grid->addWidget(makeField(r.valueName, this, 200), row, 1);
        if (r.nmName != nullptr) {
            grid->addWidget(makeField(r.nmName, this, 130), row, 2);
        }
        if (r.sigmaName != nullptr) {
            QLabel* sigma = makeField(r.sigmaName, this, 0); // as wide as its text
            sigma->setToolTip(QStringLiteral("1 sigma, propagated from the scatter of the points "
                                             "about the fit (waves; the Strehl ratio as a "
                                             "fraction)"));
            sigma->hide(); // until a fit with spare points gives one
            grid->addWidget(sigma, row, 3);
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

    // Why the fit may not be trusted, right under the fit error; dark red on a
    // pale background so that it is seen in light and dark themes alike.
    fitWarnings_->setObjectName(QStringLiteral("fitWarnings"));
    fitWarnings_->setTextFormat(Qt::PlainText);
    fitWarnings_->setWordWrap(true);
    fitWarnings_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fitWarnings_->setFrameShape(QFrame::StyledPanel);
    fitWarnings_->setMargin(6);
    fitWarnings_->setAutoFillBackground(true);
    QPalette warningColours = fitWarnings_->palette();
    warningColours.setColor(QPalette::Window, QColor(255, 243, 205));
    warningColours.setColor(QPalette::WindowText, QColor(140, 20, 0));
    fitWarnings_->setPalette(warningColours);
    fitWarnings_->hide();
    grid->addWidget(fitWarnings_, row++, 0, 1, 4);
    // Under the warning: refits without the outliers; the points stay in the store and the file.
    refit_->setObjectName(QStringLiteral("fitWithoutFlagged"));
    refit_->setToolTip(QStringLiteral("Fit again without the points named above, until no "
                                      "point is flagged; every point stays in the fringe data"));
    refit_->hide();
    connect(refit_, &QPushButton::clicked, this, &AberrationPage::fitWithoutFlaggedPointsClicked);
    grid->addWidget(refit_, row++, 0, Qt::AlignLeft);

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
    grid->setColumnStretch(4, 1);
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
        showText(field(name), QString::fromStdString(*text));
    }
    showText(field("LblPoints"), QString::fromStdString(t.pointCount));
}

void AberrationPage::showUncertainty(const SummarySigmaTexts& t) {
    for (const auto& [name, text] :
         {std::pair{"LblPVsigma", &t.peakToValley}, std::pair{"LblRMSsigma", &t.rms},
          std::pair{"LblStrehlSigma", &t.strehl}}) {
        QLabel* label = field(name);
        showText(label, QString::fromStdString(*text));
        label->setVisible(!text->empty());
    }
}

void AberrationPage::showFitWarnings(const std::vector<std::string>& texts, bool offerRefit) {
    QStringList lines;
    for (const std::string& text : texts)
        lines.append(QString::fromStdString(text));
    fitWarnings_->setText(lines.join(QLatin1Char('\n')));
    fitWarnings_->setVisible(!lines.isEmpty());
    refit_->setVisible(offerRefit && !lines.isEmpty());
}

QString AberrationPage::fitWarningsText() const {
    return fitWarnings_->text();
}

bool AberrationPage::fitWarningsShown() const {
    return !fitWarnings_->isHidden();
}

void AberrationPage::clearFields() {
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->objectName().startsWith(QLatin1String("Lbl"))) {
            showText(label, QString());
        }
    }
    showUncertainty({});
    showFitWarnings({});
}

} // namespace lumi
