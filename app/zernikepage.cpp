#include "app/zernikepage.h"

#include "analysis/zernike.h"
#include "analysis/zernikecoefficients.h"
#include "report/aberrationtexts.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <algorithm>

namespace lumi {

namespace {

// Layout units of the grids are twips; 15 twips make one pixel at 96 dpi.
constexpr int kTwipsPerPixel = 15;

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
    label->setMinimumWidth(170);
    return label;
}

} // namespace

ZernikePage::ZernikePage(QWidget* parent) : QWidget(parent) {
    grid1_ = makeGrid("MSFlexGrid1", {"Zernike", "    Coefficient", "    Description"},
                      {700, 900, 2000}, this);
    for (int term = 0; term < kZernikeTermCount; ++term) {
        const std::string_view description = zernikeDescription(term);
        grid1_->setItem(term, 2,
                        cell(QString::fromUtf8(description.data(),
                                               static_cast<qsizetype>(description.size()))));
    }
    grid1_->horizontalHeader()->setStretchLastSection(true);
    fitColumns(grid1_);
    grid2_ = makeGrid("MSFlexGrid2", {"Zernike", "    Coefficient"}, {700, 900}, this);
    // Typing reference values belongs to the reference subtraction command.
    grid2_->setEnabled(false);
    fitColumns(grid2_);

    pv_ = makeField("LblPtoV", this);
    rms_ = makeField("LblRmsZ", this);
    strehl_ = makeField("LblStrehlZ", this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(grid1_, 0, 0, 4, 1);
    layout->addWidget(grid2_, 0, 1, 4, 1);
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("P-to-V"), this), 0, 0);
    fields->addWidget(pv_, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("RMS"), this), 1, 0);
    fields->addWidget(rms_, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Strehl Ratio"), this), 2, 0);
    fields->addWidget(strehl_, 2, 1);
    layout->addLayout(fields, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 1);
    grid1_->setMinimumWidth(360);
    grid2_->setMinimumWidth(210);
    grid2_->setMaximumWidth(240);
}

QString ZernikePage::coefficientCell(int row, int column) const {
    const QTableWidgetItem* item =
        row == 0 ? grid1_->horizontalHeaderItem(column) : grid1_->item(row - 1, column);
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
        grid1_->item(term, 1)->setText(text);
    }
    fitColumns(grid1_);
    pv_->setText(QString::fromStdString(texts.peakToValleyShort));
    rms_->setText(QString::fromStdString(texts.rmsShort));
    strehl_->setText(QString::fromStdString(texts.strehl));
}

void ZernikePage::resetFields() {
    for (int term = 0; term < kZernikeTermCount; ++term) {
        grid1_->item(term, 1)->setText(QStringLiteral("0"));
        grid2_->item(term, 1)->setText(QStringLiteral("0"));
    }
    pv_->clear();
    rms_->clear();
    strehl_->clear();
}

} // namespace lumi
