#pragma once

#include "report/summarytexts.h"
#include "report/uncertaintytexts.h"

#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QPushButton;

namespace lumi {

// The "Aberration" tab: the summary of the last APPLY, one row per quantity
// with its waves field and its nanometre column, then the fit error and the
// fringe and point counts. Every text comes ready-made from SummaryTexts.
class AberrationPage : public QWidget {
    Q_OBJECT
public:
    explicit AberrationPage(QWidget* parent = nullptr);

    // Shows every summary text (also after a failed APPLY: the texts then hold
    // what was computed before the fault).
    void showResults(const SummaryTexts& texts);
    // Empties every field (after the fringe data are reset).
    void clearFields();
    // Shows the 1 sigma of P-V, RMS and the Strehl ratio beside them; an
    // empty text hides its field.
    void showUncertainty(const SummarySigmaTexts& texts);

    // Shows the fit warnings, one per line, in the box under the fields; an
    // empty list hides the box. offerRefit shows "Fit without flagged points"
    // beside it (when points were flagged as outliers).
    void showFitWarnings(const std::vector<std::string>& texts, bool offerRefit = false);
    QPushButton* fitWithoutFlaggedButton() const { return refit_; }
    // The warning box's text ("" when hidden) and whether it is shown.
    QString fitWarningsText() const;
    bool fitWarningsShown() const;

    // Field by object name: "LblPV", "LblPVnm", ..., "LblFitError", "LblFringes",
    // "LblPoints", and the sigmas "LblPVsigma", "LblRMSsigma", "LblStrehlSigma".
    QString fieldText(const char* objectName) const;

signals:
    void fitWithoutFlaggedPointsClicked();

private:
    QLabel* field(const char* objectName) const;

    QLabel* fitWarnings_;
    QPushButton* refit_;
};

} // namespace lumi
