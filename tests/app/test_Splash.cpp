#include "app/Splash.h"
#include "support/TestSupport.h"

#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

TEST(Splash, ModalUntilItsTimerClosesItAndRefusesEarlyClosing) {
    TSplash splash(400);
    EXPECT_TRUE(splash.Timer1.Enabled());

    bool stillOpenAfterClose = false;
    bool stillOpenAfterEscape = false;
    QTimer::singleShot(0, &splash, [&] {
        splash.close();
        stillOpenAfterClose = splash.isVisible();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&splash, &escape);
        stillOpenAfterEscape = splash.isVisible();
    });
    EXPECT_EQ(splash.exec(), QDialog::Accepted);
    EXPECT_TRUE(stillOpenAfterClose);
    EXPECT_TRUE(stillOpenAfterEscape);
    EXPECT_FALSE(splash.Timer1.Enabled());
    EXPECT_FALSE(splash.isVisible());
}
