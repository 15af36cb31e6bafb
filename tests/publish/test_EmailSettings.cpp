#include "core/EmailSettingsRecord.h"
#include "core/MessageBox.h"
#include "core/PasswordScrambler.h"
#include "core/SettingsStore.h"
#include "publish/EmailSettings.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(EmailSettings, PasswordIsStoredScrambledUnlessEmpty) {
    EmailSettingsRecord record;
    StoreSmtpEdits(record, {" mail.example.com ", " user ", "   ", " me@example.com "});
    EXPECT_EQ(record.SmtpHost, "mail.example.com");
    EXPECT_EQ(record.SmtpUser, "user");
    EXPECT_EQ(record.SmtpPassword, "");
    EXPECT_EQ(record.ReplyAddress, "me@example.com");

    StoreSmtpEdits(record, {"h", "u", "  secret  ", "r"});
    EXPECT_EQ(UnscramblePassword(record.SmtpPassword), "secret");

    // Cut to 100 before scrambling.
    StoreSmtpEdits(record, {"h", "u", QString(120, u'p'), "r"});
    EXPECT_EQ(UnscramblePassword(record.SmtpPassword), QString(100, u'p'));
}

TEST(EmailSettings, FirstSaveWritesTheOwnersFileOfTwoRecords) {
    TestSupport::TempProgramFolder folder;
    SettingsStore store(platform::ProgramFolder(folder.path()), folder.path() + "torvek", QString());
    StoreSmtpEdits(store.EmailRecord(), {"mail.example.com", "user", "pw", "me@example.com"});
    ASSERT_TRUE(store.SaveAlertSettingsFile());
    const QFileInfo info(store.EmailFilePath());
    EXPECT_EQ(info.size(), 2456);
    EXPECT_EQ(info.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    // A file that was readable by others is not after the next save.
    QFile::setPermissions(store.EmailFilePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ReadGroup | QFileDevice::ReadOther);
    ASSERT_TRUE(store.SaveAlertSettingsFile());
    EXPECT_FALSE(QFileInfo(store.EmailFilePath()).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther));

    SettingsStore reader(platform::ProgramFolder(folder.path()), folder.path() + "torvek", QString());
    ASSERT_TRUE(reader.LoadAlertSettingsFile());
    EXPECT_EQ(UnscramblePassword(reader.EmailRecord().SmtpPassword), "pw");
}
