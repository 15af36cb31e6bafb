#include "core/MessageBox.h"
#include "core/OKBox.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>

TEST(OKBox, ShowsModallyOnceAndOkCloses) {
    SetMessageBoxHandler({});
    bool checked = false;
    QTimer::singleShot(0, [&] {
        TOKBox* box = TOKBox::Instance();
        EXPECT_TRUE(box->isVisible() && box->isModal());
        auto* label = box->findChild<QLabel*>("TheMessage");
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), "Invalid Password");

        // Already shown: the text changes, no second window or nested loop.
        ShowMessageBox("Start logging to use password Locking.");
        EXPECT_EQ(label->text(), "Start logging to use password Locking.");

        auto* ok = box->findChild<QPushButton*>("OKButton");
        ASSERT_NE(ok, nullptr);
        checked = true;
        ok->click();
    });
    ShowMessageBox("Invalid Password");
    EXPECT_TRUE(checked);
    EXPECT_FALSE(TOKBox::Instance()->isVisible());
}

TEST(OKBox, QuietFlagSilencesTheHandlerAndTheWindow) {
    QStringList shown;
    SetMessageBoxHandler([&](const QString& text) { shown << text; });
    ShowMessageBox("first");
    SetMessageBoxQuiet(true);
    EXPECT_TRUE(MessageBoxQuiet());
    ShowMessageBox("suppressed");
    SetMessageBoxHandler({});
    ShowMessageBox("never shown"); // would block in a modal loop if shown
    SetMessageBoxQuiet(false);
    EXPECT_EQ(shown, QStringList({"first"}));
    EXPECT_NE(TOKBox::Instance()->Message(), "never shown");
    EXPECT_FALSE(TOKBox::Instance()->isVisible());
}

TEST(OKBox, ANoticeIsShownWithoutWaitingAndALaterOneReplacesIt) {
    SetMessageBoxHandler({});
    ShowNoticeBox("The camera 1 is lost."); // returns at once: no nested loop to end
    ShowNoticeBox("The camera 1 is back.");
    QList<TOKBox*> notices;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "NoticeBox" && w->isVisible())
            notices << qobject_cast<TOKBox*>(w);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_FALSE(notices[0]->isModal());
    EXPECT_EQ(notices[0]->Message(), "The camera 1 is back.");
    notices[0]->findChild<QPushButton*>("OKButton")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == "NoticeBox" && w->isVisible());
}
