#pragma once

#include "analysis/analysisresults.h"
#include "analysis/fituncertainty.h"
#include "analysis/measurement.h"
#include "analysis/zernikeaverage.h"
#include "report/summarytexts.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace lumi {

class ReferenceGridEditor;

// The "Zernike" tab: the coefficient grid (grid rows 1..37 = terms
// 0..36, coefficients in fringes; row 0 is the header, which stays in view),
// the reference grid (reference coefficients in fringes, typed by
// the user) with "Update/Subtract Reference Zernike" and "CLEAR", and the
// "P-to-V", "RMS" and "Strehl Ratio" fields. After an averaging the coefficient
// grid also shows each term's standard deviation over the files.
class ZernikePage : public QWidget {
    Q_OBJECT
public:
    // The measurement's highest term decides which reference rows can be edited.
    explicit ZernikePage(const Measurement& m, QWidget* parent = nullptr);
    ~ZernikePage() override;

    QTableWidget* coefficientGrid() const { return coefficientGrid_; }
    QTableWidget* referenceGrid() const { return referenceGrid_; }

    // Grid row r (0 = header, r = term + 1) column c as displayed.
    QString coefficientCell(int row, int column) const;

    // After a successful fit: terms 0..highestTerm get fitted / wavesPerFringe
    // with 6 decimals, the other rows are emptied; then the three fields from
    // the summary texts.
    void showFit(const AnalysisResults& results, int highestTerm, float wavesPerFringe,
                 const SummaryTexts& texts);
    // The 1 sigma of each fitted term in fringes (6 decimals) in the column
    // beside the coefficients, shown when the fit has standard errors.
    void showStdErrors(const FitUncertainty& uncertainty, float wavesPerFringe);
    // After an averaging: terms 0..termCount show the mean (fringes, 6 decimals)
    // and its standard deviation, the other rows are emptied; then the fields.
    void showAverage(const ZernikeAverage& average, const SummaryTexts& texts);
    // The "P-to-V", "RMS" and "Strehl Ratio" fields.
    void showSummaryFields(const SummaryTexts& texts);
    // Every coefficient cell "0" in both grids and the three fields empty.
    void resetFields();

    // The coefficient grid's values as shown (fringes), terms 0..36; an empty
    // or non-numeric cell reads as 0.
    ZernikeCoefficients shownCoefficients() const;
    // The reference grid's values (fringes) after committing a pending edit.
    ZernikeCoefficients referenceFringes();
    ReferenceGridEditor* referenceEditor() const { return editor_; }
    QPushButton* subtractReferenceButton() const { return subtract_; }
    QPushButton* clearReferenceButton() const { return clear_; }

signals:
    // "Update/Subtract Reference Zernike" was pressed (the edit is committed).
    void subtractReferenceClicked();

private:
    QTableWidget* coefficientGrid_;
    QTableWidget* referenceGrid_;
    QLabel* pv_;
    QLabel* rms_;
    QLabel* strehl_;
    ReferenceGridEditor* editor_;
    QPushButton* subtract_;
    QPushButton* clear_;
};

} // namespace lumi
