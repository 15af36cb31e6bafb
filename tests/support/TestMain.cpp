// Shared main for every test executable: one QApplication on the offscreen platform,
// so window and timer tests run headless; GoogleTest drives the cases.
#include "core/MessageBox.h"

#include <QApplication>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// A case that shut a station down leaves the message box as it found it for the next one.
class MessageBoxReset : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { SetMessageBoxShuttingDown(false); }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // A modal message box would block a headless test until its timeout: by default
    // messages are printed; tests that check them install their own handler.
    SetMessageBoxHandler([](const QString& text) {
        std::fprintf(stderr, "[message box] %s\n", qPrintable(text));
    });
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new MessageBoxReset);
    return RUN_ALL_TESTS();
}
