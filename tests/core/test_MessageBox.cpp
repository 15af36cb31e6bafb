#include "core/MessageBox.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(MessageBox, HandlerReceivesTextsAndQuietFlagSilencesThem) {
    QStringList shown;
    SetMessageBoxHandler([&](const QString& text) { shown << text; });
    ShowMessageBox("first");
    SetMessageBoxQuiet(true);
    EXPECT_TRUE(MessageBoxQuiet());
    ShowMessageBox("suppressed");
    SetMessageBoxQuiet(false);
    ShowMessageBox("second");
    SetMessageBoxHandler({});
    EXPECT_EQ(shown, QStringList({"first", "second"}));
}
