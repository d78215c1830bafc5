#include "app/zernikepage.h"

#include "analysis/zernike.h"
#include "analysis/zernikecoefficients.h"
#include "app/referencegrideditor.h"
#include "common/numbertext.h"
#include "report/aberrationtexts.h"
#include "report/uncertaintytexts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace lumi {

namespace {

// Layout units of the grids are twips; 15 twips make one pixel at 96 dpi.
constexpr int kTwipsPerPixel = 15;
// The standard deviation column of the coefficient grid, shown after averaging.
constexpr int kStdDevColumn = 3;
// The fit's standard error column, shown after a fit, placed beside the coefficients.
constexpr int kStdErrorColumn = 4;

QString fixed6(double v) {
    return QString::fromStdString(fringeCellText(v));
}

QByteArray columnWidthProperty(int column) {
    return "lumiMinWidth" + QByteArray::number(column);
}

// The grids' widths were laid out for small fonts: a column grows to fit its
// texts but never becomes narrower than its stated width.
void fitColumns(QTableWidget* grid) {
    for (int c = 0; c < grid->columnCount(); ++c) {
        const int minimum = grid->property(columnWidthProperty(c)).toInt();
        grid->resizeColumnToContents(c);
        grid->setColumnWidth(c, std::max(minimum, grid->columnWidth(c) + 8));
    }
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// A grid whose header row stays in view while the 37 term rows scroll. Grid
// row r (1..37) is table row r - 1; the header is the flex grid's row 0.
QTableWidget* makeGrid(const char* name, const QStringList& header, const std::vector<int>& twips,
                       QWidget* parent) {
    auto* grid = new QTableWidget(kZernikeTermCount, static_cast<int>(header.size()), parent);
    grid->setObjectName(name);
    grid->verticalHeader()->hide();
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < header.size(); ++c) {
        grid->setHorizontalHeaderItem(c, new QTableWidgetItem(header[c]));
        grid->setColumnWidth(c, twips[static_cast<std::size_t>(c)] / kTwipsPerPixel);
        grid->setProperty(columnWidthProperty(c), grid->columnWidth(c));
    }
    for (int term = 0; term < kZernikeTermCount; ++term) {
        grid->setItem(term, 0, cell(QString::number(term)));
        grid->setItem(term, 1, cell(QStringLiteral("0")));
        grid->setRowHeight(term, 20);
    }
    return grid;
}

QLabel* makeField(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(90);
    return label;
}

// The values column of a grid, read the lenient way the fields are typed in.
ZernikeCoefficients valuesIn(const QTableWidget& grid) {
    ZernikeCoefficients values{};
    for (int term = 0; term < kZernikeTermCount; ++term) {
        values[static_cast<std::size_t>(term)] =
            parseLenient(grid.item(term, 1)->text().toStdString());
    }
    return values;
}

} // namespace

ZernikePage::ZernikePage(const Measurement& m, QWidget* parent) : QWidget(parent) {
    coefficientGrid_ = makeGrid(
        "MSFlexGrid1",
        {"Zernike", "    Coefficient", "    Description", "    Std. Dev.", "  +/- 1 sigma"},
        {700, 900, 2000, 900, 900}, this);
    for (int term = 0; term < kZernikeTermCount; ++term) {
        const std::string_view description = zernikeDescription(term);
        coefficientGrid_->setItem(
            term, 2,
            cell(
                QString::fromUtf8(description.data(), static_cast<qsizetype>(description.size()))));
        coefficientGrid_->setItem(term, kStdDevColumn, cell(QString()));
        coefficientGrid_->setItem(term, kStdErrorColumn, cell(QString()));
    }
    coefficientGrid_->setColumnHidden(kStdDevColumn, true);
    coefficientGrid_->setColumnHidden(kStdErrorColumn, true);
    // The spreads stand beside their coefficients, before the long descriptions
    // (a fit's standard errors and an average's deviations are never shown together).
    QHeaderView* header = coefficientGrid_->horizontalHeader();
    header->moveSection(header->visualIndex(kStdDevColumn), 2);
    header->moveSection(header->visualIndex(kStdErrorColumn), 2);
    coefficientGrid_->horizontalHeader()->setStretchLastSection(true);
    fitColumns(coefficientGrid_);
    referenceGrid_ = makeGrid("MSFlexGrid2", {"Zernike", "    Coefficient"}, {700, 1200}, this);
    fitColumns(referenceGrid_);
    editor_ = new ReferenceGridEditor(referenceGrid_, [&m] { return m.settings.highestTerm; });
    subtract_ = new QPushButton(QStringLiteral("Update/Subtract Reference Zernike"), this);
    subtract_->setObjectName("subtractReferenceButton");
    clear_ = new QPushButton(QStringLiteral("CLEAR"), this);
    clear_->setObjectName("clearReferenceButton");
    connect(subtract_, &QPushButton::clicked, this, [this] {
        editor_->commit();
        emit subtractReferenceClicked();
    });
    // Nothing is recomputed: the values count at the next APPLY or subtraction.
    connect(clear_, &QPushButton::clicked, this, [this] {
        editor_->drop();
        for (int term = 0; term < kZernikeTermCount; ++term) {
            referenceGrid_->item(term, 1)->setText(QStringLiteral("0"));
        }
    });

    pv_ = makeField("LblPtoV", this);
    rms_ = makeField("LblRmsZ", this);
    strehl_ = makeField("LblStrehlZ", this);

    // The summary fields in a row above the grids; the reference column beside
    // the coefficient grid, which takes the rest of the width and scrolls its
    // columns when the page is narrow. Nothing overlaps at any width the page
    // allows.
    auto* fields = new QHBoxLayout;
    const std::pair<const char*, QLabel*> summary[] = {
        {"P-to-V", pv_}, {"RMS", rms_}, {"Strehl Ratio", strehl_}};
    for (const auto& [caption, field] : summary) {
        fields->addWidget(new QLabel(QString::fromLatin1(caption), this));
        fields->addWidget(field, 1);
        fields->addSpacing(8);
    }
    auto* reference = new QVBoxLayout;
    reference->addWidget(new QLabel(QStringLiteral("Reference Zernike"), this));
    reference->addWidget(referenceGrid_, 1);
    reference->addWidget(subtract_);
    reference->addWidget(clear_);
    auto* grids = new QHBoxLayout;
    grids->addWidget(coefficientGrid_, 1);
    grids->addLayout(reference);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(grids, 1);
    coefficientGrid_->setMinimumWidth(240);
    referenceGrid_->setMinimumWidth(200);
    referenceGrid_->setMaximumWidth(240);
}

ZernikePage::~ZernikePage() = default;

QString ZernikePage::coefficientCell(int row, int column) const {
    const QTableWidgetItem* item = row == 0 ? coefficientGrid_->horizontalHeaderItem(column)
                                            : coefficientGrid_->item(row - 1, column);
    return item != nullptr ? item->text() : QString();
}

void ZernikePage::showFit(const AnalysisResults& results, int highestTerm, float wavesPerFringe,
                          const SummaryTexts& texts) {
    for (int term = 0; term < kZernikeTermCount; ++term) {
        QString text;
        if (term <= highestTerm) {
            text = QString::fromStdString(coefficientCellText(
                results.fittedCoefficients[static_cast<std::size_t>(term)], wavesPerFringe));
        }
        coefficientGrid_->item(term, 1)->setText(text);
    }
    coefficientGrid_->setColumnHidden(kStdDevColumn, true);
    fitColumns(coefficientGrid_);
    showSummaryFields(texts);
}

void ZernikePage::showAverage(const ZernikeAverage& average, const SummaryTexts& texts) {
    for (int term = 0; term < kZernikeTermCount; ++term) {
        const auto t = static_cast<std::size_t>(term);
        const bool used = term <= average.termCount;
        coefficientGrid_->item(term, 1)->setText(used ? fixed6(average.meanFringes[t]) : QString());
        coefficientGrid_->item(term, kStdDevColumn)
            ->setText(used ? fixed6(average.stdDevFringes[t]) : QString());
    }
    coefficientGrid_->setColumnHidden(kStdDevColumn, false);
    coefficientGrid_->setColumnHidden(kStdErrorColumn, true); // not of a fit
    fitColumns(coefficientGrid_);
    showSummaryFields(texts);
}

void ZernikePage::showStdErrors(const FitUncertainty& u, float wavesPerFringe) {
    for (int term = 0; term < kZernikeTermCount; ++term)
        coefficientGrid_->item(term, kStdErrorColumn)
            ->setText(QString::fromStdString(stdErrorCellText(u, term, wavesPerFringe)));
    coefficientGrid_->setColumnHidden(kStdErrorColumn, !u.available());
    fitColumns(coefficientGrid_);
}

void ZernikePage::showSummaryFields(const SummaryTexts& texts) {
    pv_->setText(QString::fromStdString(texts.peakToValleyShort));
    rms_->setText(QString::fromStdString(texts.rmsShort));
    strehl_->setText(QString::fromStdString(texts.strehl));
}

ZernikeCoefficients ZernikePage::shownCoefficients() const {
    return valuesIn(*coefficientGrid_);
}

ZernikeCoefficients ZernikePage::referenceFringes() {
    editor_->commit();
    return valuesIn(*referenceGrid_);
}

void ZernikePage::resetFields() {
    editor_->drop();
    coefficientGrid_->setColumnHidden(kStdDevColumn, true);
    coefficientGrid_->setColumnHidden(kStdErrorColumn, true);
    for (int term = 0; term < kZernikeTermCount; ++term) {
        coefficientGrid_->item(term, 1)->setText(QStringLiteral("0"));
        referenceGrid_->item(term, 1)->setText(QStringLiteral("0"));
    }
    pv_->clear();
    rms_->clear();
    strehl_->clear();
}

} // namespace lumi
