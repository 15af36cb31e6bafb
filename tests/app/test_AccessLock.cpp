// The access lock: the password rule, the prompt's keys and flag, the stored password, and
// the gate the guarded commands ask.
#include "app/PasswordPrompt.h"
#include "core/SettingsStore.h"
#include "tests/support/TestSupport.h"

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
    PasswordPrompt prompt;
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
    const std::vector<std::function<void(PasswordPrompt&)>> ways{
        [](PasswordPrompt& p) { QTest::keyClicks(p.passwordEdit, "abc"); QTest::keyClick(p.passwordEdit, Qt::Key_Return); },
        [](PasswordPrompt& p) { p.passwordEdit->setText("abc"); p.okButton->click(); },
    };
    for (const auto& way : ways) {
        l.prompt.SetModalRunner(way);
        EXPECT_TRUE(l.prompt.RunPrompt());
    }
    // Closed without OK after an earlier good entry: refused all the same.
    for (const auto& way : std::vector<std::function<void(PasswordPrompt&)>>{
             [](PasswordPrompt& p) { p.passwordEdit->setText("abc"); QTest::keyClick(&p, Qt::Key_Escape); },
             [](PasswordPrompt& p) { p.close(); },
             [](PasswordPrompt& p) { p.passwordEdit->setText("abd"); p.okButton->click(); }}) {
        l.prompt.SetModalRunner(way);
        EXPECT_FALSE(l.prompt.RunPrompt());
        EXPECT_FALSE(l.prompt.Accepted());
    }
    // Every open starts from an empty entry with the password panel.
    l.prompt.SetModalRunner([](PasswordPrompt& p) {
        EXPECT_TRUE(p.passwordEdit->text().isEmpty());
        EXPECT_TRUE(p.passwordPanel->isVisible());
        EXPECT_FALSE(p.newPasswordPanel->isVisible());
        EXPECT_EQ(p.passwordEdit->echoMode(), QLineEdit::Password);
    });
    l.prompt.RunPrompt();
}

TEST(AccessLock, NewPasswordIsStoredPlainTrimmedAndCut) {
    Lock l;
    StationAccessLock gate(l.prompt, [] { return true; });
    l.prompt.SetModalRunner([](PasswordPrompt& p) {
        EXPECT_TRUE(p.newPasswordPanel->isVisible());
        QTest::keyClicks(p.newPasswordEdit, " abc ");
        QTest::keyClick(p.newPasswordEdit, Qt::Key_Return);
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
    PasswordPrompt again(reread);
    again.SetModalRunner([](PasswordPrompt& p) { p.passwordEdit->setText("abc"); p.okButton->click(); });
    EXPECT_TRUE(again.RunPrompt());

    // Changing it asks for the stored one first; a wrong one changes nothing.
    l.prompt.SetModalRunner([](PasswordPrompt& p) { p.passwordEdit->setText("wrong"); p.okButton->click(); });
    EXPECT_FALSE(gate.ChangePassword("abc"));
    EXPECT_EQ(l.store.Record().LockPassword, "abc");

    // A long one keeps 25 characters; an empty one is written as length 0.
    l.prompt.SetModalRunner([](PasswordPrompt& p) { p.newPasswordEdit->setText(QString(30, 'x')); p.newPasswordOkButton->click(); });
    gate.ChangePassword("");
    EXPECT_EQ(l.store.Record().LockPassword, QString(25, 'x'));
    l.prompt.SetModalRunner([](PasswordPrompt& p) { p.newPasswordEdit->setText("  "); p.newPasswordOkButton->click(); });
    gate.ChangePassword("");
    EXPECT_EQ(quint8(TestSupport::ReadAll(l.store.SettingsFilePath())[2704 + 315]), 0);
}

TEST(AccessLock, CharactersTheSettingsCannotStoreAreRefused) {
    Lock l;
    StationAccessLock gate(l.prompt, [] { return true; });
    struct Case {
        QString typed;
        bool storable;
    };
    // Windows-1252 has the accented letters and the euro sign, not Greek, CJK or emoji.
    const Case cases[] = {{QString::fromUtf8("pässwörd€"), true},
                          {QString::fromUtf8("pass\u03a9"), false},
                          {QString::fromUtf8("\u5bc6\u7801"), false},
                          {QString::fromUtf8("key\U0001F511"), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        l.store.Record().LockPassword.clear();
        l.messages.clear();
        bool stillOpen = false;
        l.prompt.SetModalRunner([&](PasswordPrompt& p) {
            p.newPasswordEdit->setText(c.typed);
            p.newPasswordOkButton->click();
            stillOpen = p.isVisible();
        });
        EXPECT_EQ(gate.ChangePassword(""), c.storable);
        if (!c.storable) {
            // The prompt stays for another try and nothing was stored.
            EXPECT_TRUE(stillOpen);
            EXPECT_EQ(l.messages, QStringList{PasswordPrompt::kPasswordNotStorableText});
            EXPECT_TRUE(l.store.Record().LockPassword.isEmpty());
            continue;
        }
        EXPECT_TRUE(l.messages.isEmpty());
        // What was set is what a restart asks for.
        SettingsStore reread(platform::ProgramFolder(l.dir.path()), l.dir.file("torvek"), "/no-desktop");
        ASSERT_TRUE(reread.LoadSettings());
        EXPECT_EQ(reread.Record().LockPassword, c.typed);
        EXPECT_TRUE(CheckLockPassword(c.typed, reread.Record().LockPassword));
    }
}
