#pragma once

#include "analysis/analysisresults.h"
#include "report/summarytexts.h"

#include <QWidget>

class QLabel;
class QTableWidget;

namespace lumi {

// The "Zernike" tab: the coefficient grid MSFlexGrid1 (grid rows 1..37 = terms
// 0..36, coefficients in fringes; row 0 is the header, which stays in view),
// the reference grid MSFlexGrid2 and the "P-to-V", "RMS" and "Strehl Ratio" fields.
class ZernikePage : public QWidget {
    Q_OBJECT
public:
    explicit ZernikePage(QWidget* parent = nullptr);

    QTableWidget* coefficientGrid() const { return grid1_; }
    QTableWidget* referenceGrid() const { return grid2_; }

    // Grid row r (0 = header, r = term + 1) column c as displayed.
    QString coefficientCell(int row, int column) const;

    // After a successful fit: terms 0..highestTerm get fitted / wavesPerFringe
    // with 6 decimals, the other rows are emptied; then the three fields from
    // the summary texts.
    void showFit(const AnalysisResults& results, int highestTerm, float wavesPerFringe,
                 const SummaryTexts& texts);
    // Every coefficient cell "0" in both grids and the three fields empty.
    void resetFields();

private:
    QTableWidget* grid1_;
    QTableWidget* grid2_;
    QLabel* pv_;
    QLabel* rms_;
    QLabel* strehl_;
};

} // namespace lumi
