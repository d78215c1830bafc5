#include "mainwindowfixture.h"

#include "analysis/zernikeaverage.h"
#include "app/plotcanvas.h"
#include "app/zernikepage.h"
#include "report/summarytexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>

namespace lumi::testing {
namespace {

// A 1024 x 768 screen less a title bar and a panel.
constexpr QSize kSmallScreen(1024, 700);

// Whether `w` can be seen or scrolled into view inside `top`.
bool reachable(const QWidget* w, const QWidget* top) {
    const QRect inTop(w->mapTo(top, QPoint(0, 0)), w->size());
    if (top->rect().contains(inTop)) {
        return true;
    }
    for (const QWidget* p = w->parentWidget(); p != nullptr && p != top; p = p->parentWidget()) {
        if (const auto* area = qobject_cast<const QScrollArea*>(p)) {
            const QRect viewport(area->viewport()->mapTo(top, QPoint(0, 0)),
                                 area->viewport()->size());
            return top->rect().contains(viewport);
        }
    }
    return false;
}

TEST_F(MainWindowFixture, EveryControlFitsA1024By768Screen) {
    showPicture();
    EXPECT_LE(container->minimumSizeHint().width(), kSmallScreen.width());
    EXPECT_LE(container->minimumSizeHint().height(), kSmallScreen.height());
    EXPECT_LE(container->minimumWidth(), kSmallScreen.width());
    EXPECT_LE(container->minimumHeight(), kSmallScreen.height());
    container->resize(kSmallScreen);
    QApplication::processEvents();
    ASSERT_EQ(container->size(), kSmallScreen);
    for (int tab = 0; tab < window->tabs()->count(); ++tab) {
        window->tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        for (const QWidget* control : container->findChildren<QWidget*>()) {
            const bool isControl = qobject_cast<const QAbstractButton*>(control) ||
                                   qobject_cast<const QLineEdit*>(control) ||
                                   qobject_cast<const QComboBox*>(control) ||
                                   qobject_cast<const QScrollBar*>(control);
            if (!isControl || !control->isVisibleTo(container.get()) || !control->isVisible()) {
                continue;
            }
            EXPECT_TRUE(reachable(control, container.get()))
                << "tab " << tab << ": " << control->metaObject()->className() << " "
                << control->objectName().toStdString();
        }
    }
}

struct Screen {
    const char* name;
    QSize window; // the screen less a title bar and a panel
};

class SmallScreens : public MainWindowFixture, public ::testing::WithParamInterface<Screen> {
protected:
    // The controls a user reads or presses, shown on the current tab or beside it.
    std::vector<const QWidget*> shownControls() const {
        std::vector<const QWidget*> out;
        for (const QWidget* w : container->findChildren<QWidget*>()) {
            const bool control =
                qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
                qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
                qobject_cast<const QLabel*>(w) || qobject_cast<const PlotCanvas*>(w);
            if (control && w->isVisible() && !w->rect().isEmpty()) {
                out.push_back(w);
            }
        }
        return out;
    }
    QRect inWindow(const QWidget* w) const {
        return {w->mapTo(container.get(), QPoint(0, 0)), w->size()};
    }
    // The part of `w` in view: inside its scroll area's viewport, if any.
    QRect shown(const QWidget* w) const {
        QRect r = inWindow(w);
        for (const QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget()) {
            if (const auto* area = qobject_cast<const QScrollArea*>(p)) {
                r &= inWindow(area->viewport());
            }
        }
        return r;
    }
};

// Every button, box, grid and plot lies within the window's width and, on a
// scrolling page, within the page's visible width: nothing needs sideways
// scrolling, only downwards. No control lies over another.
TEST_P(SmallScreens, NothingNeedsSidewaysScrollingOrOverlaps) {
    showPicture();
    // After averaging the grid has its standard-deviation column.
    ZernikeAverage average;
    average.termCount = 9;
    average.fileCount = 2;
    window->zernikePage()->showAverage(average, SummaryTexts{});
    container->resize(GetParam().window);
    QApplication::processEvents();
    ASSERT_EQ(container->size(), GetParam().window);
    for (int tab = 0; tab < window->tabs()->count(); ++tab) {
        window->tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        const std::vector<const QWidget*> controls = shownControls();
        for (const QWidget* control : controls) {
            const QRect r = inWindow(control);
            const std::string what = "tab " + std::to_string(tab) + ": " +
                                     control->metaObject()->className() + " " +
                                     control->objectName().toStdString();
            EXPECT_GE(r.left(), 0) << what;
            EXPECT_LE(r.right(), container->width() - 1) << what;
            for (const QWidget* p = control->parentWidget(); p != nullptr; p = p->parentWidget()) {
                if (const auto* area = qobject_cast<const QScrollArea*>(p)) {
                    const QRect viewport = inWindow(area->viewport());
                    EXPECT_GE(r.left(), viewport.left()) << what;
                    EXPECT_LE(r.right(), viewport.right()) << what;
                    break;
                }
            }
        }
        for (std::size_t i = 0; i < controls.size(); ++i) {
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                const QWidget* a = controls[i];
                const QWidget* b = controls[j];
                if (a->isAncestorOf(b) || b->isAncestorOf(a)) {
                    continue;
                }
                EXPECT_FALSE(shown(a).intersects(shown(b)))
                    << "tab " << tab << ": " << a->metaObject()->className() << " "
                    << a->objectName().toStdString() << " over " << b->metaObject()->className()
                    << " " << b->objectName().toStdString();
            }
        }
    }
    // The standard deviations can be read without scrolling the grid sideways.
    window->tabs()->setCurrentIndex(window->pageIndex(window->zernikePage()));
    QApplication::processEvents();
    const auto* grid = window->zernikePage()->findChild<QTableWidget*>("MSFlexGrid1");
    ASSERT_NE(grid, nullptr);
    const QHeaderView* header = grid->horizontalHeader();
    for (int c = 0; c < grid->columnCount(); ++c) {
        if (!grid->isColumnHidden(c) && header->sectionSize(c) > 0 &&
            header->model()->headerData(c, Qt::Horizontal).toString().contains("Std")) {
            EXPECT_LE(header->sectionViewportPosition(c) + header->sectionSize(c),
                      grid->viewport()->width())
                << "column " << c;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, SmallScreens,
                         ::testing::Values(Screen{"Screen1024x768", {1024, 700}},
                                           Screen{"Screen960x540", {960, 480}}),
                         [](const ::testing::TestParamInfo<Screen>& p) { return p.param.name; });

} // namespace
} // namespace lumi::testing
