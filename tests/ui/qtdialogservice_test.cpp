#include "ui/qtdialogservice.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace lumi {
namespace {

// A short text must not leave the box too narrow for its title, which the
// window frame would cut ("L...").
TEST(QtDialogService, AShortMessageLeavesRoomForItsTitle) {
    QtDialogService dialogs;
    const QString title = QStringLiteral("Lumivorexan - a title of some length");
    int boxWidth = 0;
    int titleWidth = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        boxWidth = box->width();
        titleWidth = box->fontMetrics().horizontalAdvance(title);
        box->accept();
    });
    dialogs.showMessage(title, QStringLiteral("Hi"), DialogService::Icon::None);
    EXPECT_GT(titleWidth, 0);
    EXPECT_GT(boxWidth, titleWidth);
}

} // namespace
} // namespace lumi
