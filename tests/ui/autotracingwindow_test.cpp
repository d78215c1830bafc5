#include "ui/autotracingwindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace lumi {
namespace {

TEST(AutoTracingWindow, ShowsItsTextsAndAnswersYesOrNo) {
    AutoTracingWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Fringe AutoTracing"));
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    for (const char* expected :
         {"Place the first point over the first fringe and the remaining points over the other "
          "fringes .The ideal straight  line connecting the  points should  be perpendicular to "
          "the fringes direction (see the sample below).",
          "Do you want to perform AutoTracing?      (All existing points over the fringes  will "
          "be erased)",
          "After placing the points click the  <AUTOTRACING> button for performing  fringe "
          "autotracing."})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(expected))) << expected;

    // Following the fringe direction is an option, off unless chosen.
    EXPECT_EQ(window.followFringeBox()->text(), QStringLiteral("Follow the fringe direction"));
    EXPECT_FALSE(window.followFringe());

    for (const bool yes : {true, false}) {
        QPushButton* button = yes ? window.yesButton() : window.noButton();
        EXPECT_EQ(button->text(), yes ? QStringLiteral("YES") : QStringLiteral("NO"));
        QTimer::singleShot(0, button, &QPushButton::click);
        EXPECT_EQ(window.exec(), yes ? QDialog::Accepted : QDialog::Rejected);
    }
}

} // namespace
} // namespace lumi
