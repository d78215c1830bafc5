#include "mainwindowfixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QScrollArea>
#include <QTabWidget>

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

} // namespace
} // namespace lumi::testing
