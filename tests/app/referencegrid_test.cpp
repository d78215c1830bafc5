#include "analysis/contourpointgenerator.h"
#include "app/aberrationpage.h"
#include "app/referencegrideditor.h"
#include "app/settingspanel.h"
#include "app/zernikepage.h"
#include "common/numbertext.h"
#include "mainwindowfixture.h"

#include <QComboBox>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>

namespace lumi::testing {
namespace {

class ReferenceGrid : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        window->tabs()->setCurrentIndex(2);
        grid = window->zernikePage()->referenceGrid();
        box = window->zernikePage()->referenceEditor()->entryBox();
    }
    void digitiseAndApply() {
        showPicture();
        ZernikeCoefficients c{};
        c[3] = 1.0;
        c[4] = 0.2;
        c[6] = 0.1;
        generateContourPoints(c, 0.5, {300, 300, 200}, {}, store());
        window->tabs()->setCurrentIndex(2);
        QTest::mouseClick(window->settingsPanel()->applyButton(), Qt::LeftButton);
        ASSERT_TRUE(window->measurement().results.analysisDone);
    }
    // Clicks the cell of table row `row` (term `row`), column `column`.
    void clickCell(int row, int column) {
        grid->scrollToItem(grid->item(row, column));
        const QPoint at = grid->visualItemRect(grid->item(row, column)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    QString cell(int row) const { return grid->item(row, 1)->text(); }

    QTableWidget* grid = nullptr;
    QLineEdit* box = nullptr;
};

TEST_F(ReferenceGrid, TypedValueIsKeptKeyByKeyAndCommittedOnLeavingTheCell) {
    clickCell(5, 1);
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->selectedText(), "0");
    QTest::keyClicks(box, "-0.2x5");
    EXPECT_EQ(box->text(), "-0.25"); // the letter changed nothing
    EXPECT_EQ(cell(5), "-0.2");      // the cell follows one key behind
    clickCell(7, 1);
    EXPECT_EQ(cell(5), "-0.25");
    EXPECT_TRUE(box->isVisible());
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, "1/2");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(cell(7), "1/2"); // read leniently as 1
    EXPECT_EQ(window->zernikePage()->referenceFringes()[7], 1.0);
}

TEST_F(ReferenceGrid, ScrollingDropsTheEdit) {
    clickCell(3, 1);
    QTest::keyClicks(box, "0.5");
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->value() + 3);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(cell(3), "0.");
    grid->setFocus();
    EXPECT_EQ(cell(3), "0.");
}

struct CellCase {
    const char* name;
    int row;
    int column;
    bool opens;
};

class ReferenceGridCells : public ReferenceGrid, public ::testing::WithParamInterface<CellCase> {};

// Before the first APPLY terms 1..25 (grid rows 2..26) can be edited.
TEST_P(ReferenceGridCells, OpenTheBoxOnlyInTheEditableRange) {
    clickCell(GetParam().row, GetParam().column);
    EXPECT_EQ(box->isVisible(), GetParam().opens);
}

INSTANTIATE_TEST_SUITE_P(Cells, ReferenceGridCells,
                         ::testing::Values(CellCase{"piston", 0, 1, false},
                                           CellCase{"indexColumn", 4, 0, false},
                                           CellCase{"tiltX", 1, 1, true},
                                           CellCase{"term25", 25, 1, true},
                                           CellCase{"term26", 26, 1, false}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(ReferenceGrid, NineTermsLimitTheEditableRows) {
    window->settingsPanel()->zernikeNumber()->setCurrentText("9");
    digitiseAndApply();
    clickCell(10, 1);
    EXPECT_FALSE(box->isVisible());
    clickCell(9, 1);
    EXPECT_TRUE(box->isVisible());
}

TEST_F(ReferenceGrid, SubtractionWorksFromTheShownCoefficients) {
    digitiseAndApply();
    const Measurement& m = window->measurement();
    const AnalysisResults fit = m.results;
    const std::string astigBefore = window->workspace().shownSummary().astigmatism;
    clickCell(4, 1);
    QTest::keyClicks(box, "0.5"); // pending until the button commits it
    QTest::mouseClick(window->zernikePage()->subtractReferenceButton(), Qt::LeftButton);
    EXPECT_EQ(cell(4), "0.5");
    const ZernikePage* z = window->zernikePage();
    const double shown4 = parseLenient(z->coefficientCell(5, 1).toStdString());
    EXPECT_EQ(z->coefficientCell(5, 1).toStdString(),
              formatFixed(fit.fittedCoefficients[4] / 0.5, 6));
    EXPECT_DOUBLE_EQ(m.results.coefficients[4], 0.5 * shown4 - 0.25);
    EXPECT_NE(window->workspace().shownSummary().astigmatism, astigBefore);
    EXPECT_EQ(window->aberrationPage()->fieldText("LblAstig").toStdString(),
              window->workspace().shownSummary().astigmatism);

    // APPLY subtracts the same reference from the full-precision fit.
    QTest::mouseClick(window->settingsPanel()->applyButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(m.results.coefficients[4], m.results.fittedCoefficients[4] - 0.25);
}

TEST_F(ReferenceGrid, ClearAndANewPictureSetEveryValueToZero) {
    for (int row : {2, 3}) {
        clickCell(row, 1);
        QTest::keyClicks(box, "0.125");
        QTest::keyClick(box, Qt::Key_Return);
    }
    QTest::mouseClick(window->zernikePage()->clearReferenceButton(), Qt::LeftButton);
    EXPECT_EQ(cell(2), "0");
    EXPECT_EQ(cell(3), "0");
    clickCell(2, 1);
    QTest::keyClicks(box, "0.125");
    QTest::keyClick(box, Qt::Key_Return);
    showPicture();
    EXPECT_EQ(cell(2), "0");
    EXPECT_EQ(window->measurement().referenceFringes[2], 0.0);
}

} // namespace
} // namespace lumi::testing
