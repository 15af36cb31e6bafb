// The access lock: the password rule, the prompt's keys and flag, the stored password, and
// the gate the guarded commands ask.
#include "app/TpasswordBox.h"
#include "core/SettingsStore.h"
#include "tests/support/TestSupport.h"
#include "tests/app/TzonesFixture.h"

#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using TestSupport::TempProgramFolder;

namespace {

struct Lock {
    Lock() : store(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop"), prompt(store) {
        store.FirstRunInit();
    }
    TempProgramFolder dir;
    SettingsStore store;
    TpasswordBox prompt;
    TestSupport::MessageLog messages;
};

} // namespace

TEST(AccessLock, PasswordRule) {
    EXPECT_TRUE(CheckLockPassword("abc", "abc "));
    EXPECT_FALSE(CheckLockPassword("abc ", "abc "));
    EXPECT_FALSE(CheckLockPassword("ABC", "abc"));
    EXPECT_TRUE(CheckLockPassword("", ""));
    EXPECT_FALSE(CheckLockPassword("x", ""));
}

TEST(AccessLock, PromptAcceptsByEnterOrOkAndRefusesByEscapeOrClosing) {
    Lock l;
    l.store.Record().LockPassword = "abc";
    const std::vector<std::function<void(TpasswordBox&)>> ways{
        [](TpasswordBox& p) { QTest::keyClicks(p.Edit1, "abc"); QTest::keyClick(p.Edit1, Qt::Key_Return); },
        [](TpasswordBox& p) { p.Edit1->setText("abc"); p.OkButton->click(); },
    };
    for (const auto& way : ways) {
        l.prompt.SetModalRunner(way);
        EXPECT_TRUE(l.prompt.RunPrompt());
    }
    // Closed without OK after an earlier good entry: refused all the same.
    for (const auto& way : std::vector<std::function<void(TpasswordBox&)>>{
             [](TpasswordBox& p) { p.Edit1->setText("abc"); QTest::keyClick(&p, Qt::Key_Escape); },
             [](TpasswordBox& p) { p.close(); },
             [](TpasswordBox& p) { p.Edit1->setText("abd"); p.OkButton->click(); }}) {
        l.prompt.SetModalRunner(way);
        EXPECT_FALSE(l.prompt.RunPrompt());
        EXPECT_FALSE(l.prompt.Accepted());
    }
    // Every open starts from an empty entry with the password panel.
    l.prompt.SetModalRunner([](TpasswordBox& p) {
        EXPECT_TRUE(p.Edit1->text().isEmpty());
        EXPECT_TRUE(p.PasswordPanel->isVisible());
        EXPECT_FALSE(p.NewPasswordPanel->isVisible());
        EXPECT_EQ(p.Edit1->echoMode(), QLineEdit::Password);
    });
    l.prompt.RunPrompt();
}

TEST(AccessLock, NewPasswordIsStoredPlainTrimmedAndCut) {
    Lock l;
    StationAccessLock gate(l.prompt, [] { return true; });
    l.prompt.SetModalRunner([](TpasswordBox& p) {
        EXPECT_TRUE(p.NewPasswordPanel->isVisible());
        QTest::keyClicks(p.Edit3, " abc ");
        QTest::keyClick(p.Edit3, Qt::Key_Return);
    });
    ASSERT_TRUE(gate.ChangePassword(""));
    EXPECT_EQ(l.store.Record().LockPassword, "abc");
    const QByteArray file = TestSupport::ReadAll(l.store.SettingsFilePath());
    ASSERT_GE(file.size(), 2704 * 2);
    // Record 1 follows record 0; the password is length 3 then "abc" at offset 315.
    EXPECT_EQ(quint8(file[2704 + 315]), 3);
    EXPECT_EQ(file.mid(2704 + 316, 3), "abc");

    // A restart opens with abc.
    SettingsStore reread(platform::ProgramFolder(l.dir.path()), l.dir.file("torvek"), "/no-desktop");
    ASSERT_TRUE(reread.LoadSettings());
    TpasswordBox again(reread);
    again.SetModalRunner([](TpasswordBox& p) { p.Edit1->setText("abc"); p.OkButton->click(); });
    EXPECT_TRUE(again.RunPrompt());

    // Changing it asks for the stored one first; a wrong one changes nothing.
    l.prompt.SetModalRunner([](TpasswordBox& p) { p.Edit1->setText("wrong"); p.OkButton->click(); });
    EXPECT_FALSE(gate.ChangePassword("abc"));
    EXPECT_EQ(l.store.Record().LockPassword, "abc");

    // A long one keeps 25 characters; an empty one is written as length 0.
    l.prompt.SetModalRunner([](TpasswordBox& p) { p.Edit3->setText(QString(30, 'x')); p.NewOkButton->click(); });
    gate.ChangePassword("");
    EXPECT_EQ(l.store.Record().LockPassword, QString(25, 'x'));
    l.prompt.SetModalRunner([](TpasswordBox& p) { p.Edit3->setText("  "); p.NewOkButton->click(); });
    gate.ChangePassword("");
    EXPECT_EQ(quint8(TestSupport::ReadAll(l.store.SettingsFilePath())[2704 + 315]), 0);
}

// The lock on the real main window: the lock box, the guarded commands and the option
// controls, with a real test camera watching.
class LockStationFixture : public CameraStationFixture {
protected:
    std::unique_ptr<TpasswordBox> prompt;
    std::unique_ptr<StationAccessLock> lock;
    QString entry;
    int prompts = 0;

    void SetUp() override {
        CameraStationFixture::SetUp();
        prompt = std::make_unique<TpasswordBox>(*store);
        prompt->SetModalRunner([this](TpasswordBox& p) {
            ++prompts;
            p.Edit1->setText(entry);
            p.OkButton->click();
        });
        lock = std::make_unique<StationAccessLock>(*prompt, [this] { return zones->CheckBox1->isChecked(); });
        links.accessLock = lock.get();
    }
    void TearDown() override {
        CameraStationFixture::TearDown();
        lock.reset();
        prompt.reset();
    }
};

TEST_F(LockStationFixture, LockingNeedsThePasswordAndGuardsSurveillanceAndExit) {
    InstallCameras(1);
    StartStation();
    store->Record().LockPassword = "abc";
    zones->Panel2->click();
    ASSERT_TRUE(zones->CameraPreviews(1));
    zones->Showw->setChecked(false);
    zones->LogAllowed->setChecked(false);
    zones->Panel4->click();
    ASSERT_TRUE(zones->MotionTime.Enabled());

    // A wrong password: "Invalid Password" and the box unticked.
    entry = "abd";
    zones->CheckBox1->setChecked(true);
    EXPECT_FALSE(zones->CheckBox1->isChecked());
    EXPECT_EQ(messages.last(), "Invalid Password");
    EXPECT_TRUE(zones->hot1->isEnabled());

    // The right one locks: the options are disabled and the box stays ticked.
    entry = "abc";
    zones->CheckBox1->setChecked(true);
    EXPECT_TRUE(zones->CheckBox1->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{zones->CheckBox1, zones->hot1, zones->Hot2, zones->Showw,
                                                     zones->LogAllowed, zones->Button9, zones->Button6, zones->Button10})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();

    // Locked with a wrong password: surveillance stays on, Exit and Close do nothing.
    entry = "nope";
    zones->Panel4->click();
    EXPECT_TRUE(zones->MotionTime.Enabled());
    zones->Exit1Click();
    zones->Button28Click();
    zones->Close1Click();
    EXPECT_EQ(terminated, 0);
    EXPECT_EQ(messages.count("Invalid Password"), 5);

    // With the password surveillance stops and the lock opens.
    entry = "abc";
    zones->Panel4->click();
    EXPECT_FALSE(zones->MotionTime.Enabled());
    EXPECT_FALSE(zones->CheckBox1->isChecked());
    EXPECT_TRUE(zones->hot1->isEnabled());

    // Unlocked, nothing asks.
    const int asked = prompts;
    zones->Button28Click();
    EXPECT_EQ(prompts, asked);
    EXPECT_EQ(terminated, 1);
}
