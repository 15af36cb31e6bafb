// The installer window as a user meets it: its failure message stands above it, its menu
// can be read, the uninstall shows its progress while the folder moves, and its desktop
// entries start programs whatever their paths hold.
#include "tests/app/ScratchInstall.h"
#include "app/InstallerWindow.h"
#include "tests/app/RealMessageBox.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QWindow>
#include <atomic>
#include <gtest/gtest.h>

namespace {

struct InstallerWindowRig : Scratch {
    InstallerWindowRig() {
        system.answerYes = true;
        form = std::make_unique<InstallerWindow>(system, dir.path() + "media/", Program(), [] {});
        system.SetQuestionParent(form.get());
    }
    std::unique_ptr<InstallerWindow> form;
};

} // namespace

TEST(InstallerWindow, AFailedInstallIsToldAboveTheInstallerWindow) {
    RealMessageBox realBox;
    InstallerWindowRig w;
    // A file stands where the install folder must go.
    TestSupport::WriteAll(w.Home("torvek"), "not a folder");
    w.form->ShowInstaller();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.form.get()));
    ASSERT_TRUE(w.form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    bool asked = false;
    WhenTheBoxShows([&](MessageWindow* box) {
        asked = true;
        EXPECT_TRUE(box->Message().startsWith("INSTALL FAILED.\n")) << box->Message().toStdString();
        EXPECT_EQ(box->parentWidget(), w.form.get());
        EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint) && box->isModal());
        EXPECT_EQ(box->windowHandle() ? box->windowHandle()->transientParent() : nullptr, w.form->windowHandle());
    });
    w.form->installButton->click();
    EXPECT_TRUE(asked);
    // Afterwards the box belongs to no window: it outlives the installer.
    EXPECT_EQ(MessageWindow::Instance()->parentWidget(), nullptr);
    EXPECT_TRUE(w.form->isVisible());
}

// Run as setup, the station's own full-screen window is behind the installer; when a message
// closes, the window manager may hand it the focus, and it would cover the installer.
TEST(InstallerWindow, AfterEachMessageTheInstallerHasTheFocusAgain) {
    RealMessageBox realBox;
    InstallerWindowRig w;
    QWidget station(nullptr, Qt::Window | Qt::FramelessWindowHint);
    station.showFullScreen();
    w.form->ShowInstaller();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.form.get()));
    QObject::connect(MessageWindow::Instance(), &QDialog::finished, &station, [&station] { station.activateWindow(); });
    // Uninstall with nothing installed, then Install with no payload: one message each.
    QFile::remove(w.dir.path() + "media/bin/torvek");
    for (QPushButton* command : {w.form->uninstallButton, w.form->installButton}) {
        SCOPED_TRACE(command->objectName().toStdString());
        bool told = false;
        WhenTheBoxShows([&](MessageWindow*) { told = true; });
        command->click();
        EXPECT_TRUE(told);
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.form.get()));
        EXPECT_EQ(QApplication::activeWindow(), w.form.get());
    }
    QObject::disconnect(MessageWindow::Instance(), &QDialog::finished, &station, nullptr);
}

TEST(InstallerWindow, MenuIsReadableAndAMissingPayloadIsShown) {
    InstallerWindowRig w;
    w.form->ShowInstaller();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.form.get()));
    EXPECT_TRUE(w.form->payloadNoteLabel->isHidden());

    // The menu's texts differ from its background: some pixels stand far from the rest.
    auto* menu = w.form->findChild<QMenuBar*>();
    ASSERT_TRUE(menu);
    const QImage shot = menu->grab().toImage();
    const int background = qGray(shot.pixel(shot.width() - 2, shot.height() / 2));
    int far = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            far += qAbs(qGray(shot.pixel(x, y)) - background) > 100;
    EXPECT_GT(far, 20);

    QFile::remove(w.dir.path() + "media/bin/torvek");
    w.form->FormActivate();
    EXPECT_TRUE(w.form->payloadNoteLabel->isVisible());
    EXPECT_TRUE(w.form->payloadNoteLabel->text().contains(w.dir.path() + "media/bin/torvek"));
}

TEST(InstallerWindow, UninstallShowsItsProgressWhileTheFolderMoves) {
    SetMessageBoxHandler([](const QString&) {});
    InstallerWindowRig w;
    QDir().mkpath(w.Home("torvek"));
    TestSupport::WriteAll(w.Home("torvek/torvek"), "installed");
    w.form->ShowInstaller();
    // The move waits until the window has ticked its dots twice: a move that held the
    // window's loop would never see them.
    std::atomic<int> ticks = 0;
    QString headingDuringMove, statusDuringMove;
    QObject::connect(&w.form->dotsTimer, &platform::WinTimer::Timeout, w.form.get(), [&] {
        headingDuringMove = w.form->headingLabel->text();
        statusDuringMove = w.form->targetDriveLabel->text();
        ++ticks;
    });
    bool sawTicks = false;
    w.system.whileMoving = [&] {
        for (int i = 0; i < 600 && ticks < 2; ++i)
            QThread::msleep(50);
        sawTicks = ticks >= 2;
    };
    w.form->uninstallButton->click();
    SetMessageBoxHandler({});
    EXPECT_TRUE(sawTicks);
    EXPECT_EQ(headingDuringMove, "Uninstall in Progress PLEASE WAIT!");
    EXPECT_TRUE(statusDuringMove.startsWith("Please Wait.")) << statusDuringMove.toStdString();
    EXPECT_FALSE(QFile::exists(w.Home("torvek")));
    EXPECT_TRUE(w.form->targetDriveLabel->text().isEmpty());
}

TEST(InstallerWindow, DesktopEntriesEscapeTheProgramPath) {
    const struct {
        const char* path;
        const char* exec;
    } cases[] = {
        {"/home/a b/torvek", "Exec=\"/home/a b/torvek\""},
        {"/home/100%/torvek", "Exec=\"/home/100%%/torvek\""},
        {"/home/say\"hi\"/torvek", "Exec=\"/home/say\\\\\"hi\\\\\"/torvek\""},
        {"/home/a\\b/torvek", "Exec=\"/home/a\\\\\\\\b/torvek\""},
        {"/home/$HOME`x`/torvek", "Exec=\"/home/\\\\$HOME\\\\`x\\\\`/torvek\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const QStringList lines = DesktopEntryText("TORVEK", c.path, "/home/a\\b").split('\n');
        EXPECT_TRUE(lines.contains(QString::fromUtf8(c.exec))) << lines.join(" | ").toStdString();
        EXPECT_TRUE(lines.contains("Path=/home/a\\\\b"));
    }
}
