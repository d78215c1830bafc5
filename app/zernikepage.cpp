#include "app/zernikepage.h"

#include "analysis/zernike.h"
#include "analysis/zernikecoefficients.h"
#include "common/numbertext.h"

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

// A grid whose row 0 is the fixed header row, as the flex grid has it.
QTableWidget* makeGrid(const char* name, const QStringList& header, const std::vector<int>& twips,
                       QWidget* parent) {
    auto* grid = new QTableWidget(kZernikeTermCount + 1, static_cast<int>(header.size()), parent);
    grid->setObjectName(name);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int c = 0; c < header.size(); ++c) {
        auto* h = cell(header[c]);
        QFont bold = h->font();
        bold.setBold(true);
        h->setFont(bold);
        h->setBackground(grid->palette().color(QPalette::Button));
        grid->setItem(0, c, h);
        grid->setColumnWidth(c, twips[static_cast<std::size_t>(c)] / kTwipsPerPixel);
        grid->setProperty(columnWidthProperty(c), grid->columnWidth(c));
    }
    grid->setRowHeight(0, 300 / kTwipsPerPixel);
    for (int r = 1; r <= kZernikeTermCount; ++r) {
        grid->setItem(r, 0, cell(QString::number(r - 1)));
        grid->setItem(r, 1, cell(QStringLiteral("0")));
        grid->setRowHeight(r, 20);
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
    for (int r = 1; r <= kZernikeTermCount; ++r) {
        grid1_->setItem(
            r, 2,
            cell(QString::fromUtf8(zernikeDescription(r - 1).data(),
                                   static_cast<qsizetype>(zernikeDescription(r - 1).size()))));
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
    const QTableWidgetItem* item = grid1_->item(row, column);
    return item != nullptr ? item->text() : QString();
}

void ZernikePage::showFit(const AnalysisResults& results, int highestTerm, float wavesPerFringe) {
    const double wpf = static_cast<double>(wavesPerFringe);
    for (int r = 1; r <= kZernikeTermCount; ++r) {
        const int term = r - 1;
        QString text;
        if (term <= highestTerm && wpf != 0.0) {
            text = QString::fromStdString(
                formatFixed(results.fittedCoefficients[static_cast<std::size_t>(term)] / wpf, 6));
        }
        grid1_->item(r, 1)->setText(text);
    }
    fitColumns(grid1_);
    pv_->setText(QString::fromStdString(results.texts.peakToValleyShort));
    rms_->setText(QString::fromStdString(results.texts.rmsShort));
    strehl_->setText(QString::fromStdString(results.texts.strehl));
}

void ZernikePage::resetFields() {
    for (int r = 1; r <= kZernikeTermCount; ++r) {
        grid1_->item(r, 1)->setText(QStringLiteral("0"));
        grid2_->item(r, 1)->setText(QStringLiteral("0"));
    }
    pv_->clear();
    rms_->clear();
    strehl_->clear();
}

} // namespace lumi
