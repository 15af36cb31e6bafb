#include "core/MessageBox.h"
#include "core/MessageWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(MessageWindow, ShowsModallyOnceAndEveryMessageWaitsItsTurn) {
    SetMessageBoxHandler({});
    QStringList seen;
    bool checked = false;
    QTimer::singleShot(0, [&] {
        MessageWindow* box = MessageWindow::Instance();
        EXPECT_TRUE(box->isVisible() && box->isModal());
        auto* label = box->findChild<QLabel*>("messageLabel");
        auto* ok = box->findChild<QPushButton*>("OKButton");
        ASSERT_TRUE(label && ok);
        // Already shown: these return at once (no second window, no nested loop) and wait;
        // the same text again is one message.
        ShowMessageBox("Start Error maybe the camera is not plugged in");
        PostMessageBox("Start logging to use password Locking.");
        ShowMessageBox("Invalid Password");
        ShowMessageBox("Start Error maybe the camera is not plugged in");
        QCoreApplication::sendPostedEvents();
        for (int presses = 0; presses < 3 && box->isVisible(); ++presses) {
            seen << label->text();
            if (presses == 1)
                box->reject(); // Escape brings the next one too
            else
                ok->click();
        }
        checked = true;
    });
    ShowMessageBox("Invalid Password");
    EXPECT_TRUE(checked);
    EXPECT_EQ(seen, QStringList({"Invalid Password", "Start Error maybe the camera is not plugged in",
                                 "Start logging to use password Locking."}));
    EXPECT_FALSE(MessageWindow::Instance()->isVisible());
}

TEST(MessageWindow, MessagesStillWaitingWhenTheStationEndsGoToStderr) {
    SetMessageBoxHandler({});
    QString written;
    QTimer::singleShot(0, [&] {
        ShowMessageBox("second");
        ShowNoticeBox("notice one");
        ShowNoticeBox("notice two");
        testing::internal::CaptureStderr();
        SetMessageBoxShuttingDown(true);
        written = QString::fromStdString(testing::internal::GetCapturedStderr());
        SetMessageBoxShuttingDown(false);
        MessageWindow::Instance()->accept();
    });
    ShowMessageBox("first");
    EXPECT_EQ(written, "second\nnotice two\n");
    EXPECT_FALSE(MessageWindow::Instance()->isVisible());
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "NoticeBox")
            qobject_cast<MessageWindow*>(w)->accept();
}

TEST(MessageWindow, QuietFlagSilencesTheHandlerAndTheWindow) {
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
    EXPECT_NE(MessageWindow::Instance()->Message(), "never shown");
    EXPECT_FALSE(MessageWindow::Instance()->isVisible());
}

TEST(MessageWindow, ANoticeIsShownWithoutWaitingAndOnStderrAndALaterOneWaitsItsTurn) {
    SetMessageBoxHandler({});
    const auto shownNotices = [] {
        QList<MessageWindow*> notices;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "NoticeBox" && w->isVisible())
                notices << qobject_cast<MessageWindow*>(w);
        return notices;
    };
    testing::internal::CaptureStderr();
    ShowNoticeBox("The camera 1 is lost."); // returns at once: no nested loop to end
    ShowNoticeBox("The camera 1 is back.");
    const std::string written = testing::internal::GetCapturedStderr(); // with the platform's notes
    EXPECT_LT(written.find("The camera 1 is lost.\n"), written.find("The camera 1 is back.\n"));
    EXPECT_NE(written.find("The camera 1 is back.\n"), std::string::npos);
    QList<MessageWindow*> notices = shownNotices();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_FALSE(notices[0]->isModal());
    EXPECT_EQ(notices[0]->Message(), "The camera 1 is lost.");
    notices[0]->findChild<QPushButton*>("OKButton")->click();
    EXPECT_EQ(shownNotices(), notices);
    EXPECT_EQ(notices[0]->Message(), "The camera 1 is back.");
    notices[0]->findChild<QPushButton*>("OKButton")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(shownNotices().isEmpty());
}

TEST(MessageWindow, ANoticeToldBeforeAnyWindowWasActiveGoesAboveTheFirstOneActivated) {
    SetMessageBoxHandler({});
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    ShowNoticeBox("The e-mail settings file was damaged.");
    MessageWindow* notice = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "NoticeBox" && w->isVisible())
            notice = qobject_cast<MessageWindow*>(w);
    ASSERT_NE(notice, nullptr);
    QWidget station;
    station.show();
    station.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&station));
    ASSERT_TRUE(QTest::qWaitFor([&] { return notice->windowHandle()->transientParent() == station.windowHandle(); }));
    EXPECT_TRUE(notice->isVisible());
    notice->accept();
}
