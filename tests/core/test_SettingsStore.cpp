#include "core/MessageBox.h"
#include "core/PasswordScrambler.h"
#include "core/SettingsStore.h"
#include "platform/Ansi.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <gtest/gtest.h>

using TestSupport::ReadAll;
using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

namespace {

constexpr int kRecordAt = SettingsRecord::kSize; // record 1 of the settings file

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageBoxHandler([this](const QString& text) { messages << text; });
    }
    void TearDown() override { SetMessageBoxHandler({}); }

    SettingsStore MakeStore(const QString& exe = "/opt/torvek/torvek") {
        SettingsStore store(platform::ProgramFolder(dir.path()), exe, "/nonexistent/Desktop");
        store.SetMainWindowFont("Liberation Sans", 9);
        return store;
    }
    QString File(const QString& name) const { return dir.file(name); }

    TempProgramFolder dir;
    QStringList messages;
};

} // namespace

TEST_F(SettingsStoreTest, FirstRunWritesDefaultFilesAndFolders) {
    SettingsStore store = MakeStore();
    store.FirstRunInit();

    const QByteArray file = ReadAll(File("X290607.dat"));
    ASSERT_EQ(file.size(), 5408);
    EXPECT_EQ(file.left(kRecordAt), QByteArray(kRecordAt, '\0'));
    EXPECT_EQ(file.mid(3301, 6), "\x05" "Cam 1");
    EXPECT_EQ(file.mid(kRecordAt + 2068, 4).toHex(), "00000001");
    EXPECT_EQ(ReadAll(File("ETR0511.dat")).size(), 2456);
    EXPECT_TRUE(messages.isEmpty());
    // The atomic writes leave no temporary files behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              QStringList({"ETR0511.dat", "X290607.dat", "cam1", "cam2"}));

    SettingsStore reader = MakeStore();
    ASSERT_TRUE(reader.LoadSettings());
    EXPECT_EQ(reader.Record().Cam1Folder, dir.path() + "cam1/");
    EXPECT_EQ(reader.CameraFolder(2), dir.path() + "cam2/");
    // The caption starts in the main window's font.
    EXPECT_EQ(reader.Record().CaptionFontName, "Liberation Sans");
    EXPECT_EQ(reader.Record().CaptionFontSize, 9);
}

TEST_F(SettingsStoreTest, InstallerAndDesktopFoldersNeverWrite) {
    SettingsStore setup = MakeStore("/media/usb/TORVEK-SETUP");
    EXPECT_TRUE(setup.IsRunningAsSetup());
    setup.FirstRunInit();
    EXPECT_FALSE(QFileInfo::exists(File("cam1")));
    QDir(dir.path()).mkpath("Desktop");
    QDir(dir.path()).mkpath("Bureau");
    SettingsStore desktop(platform::ProgramFolder(dir.path() + "Desktop"), "/x/torvek", "");
    SettingsStore xdg(platform::ProgramFolder(dir.path() + "Bureau/"), "/x/torvek", dir.path() + "Bureau");
    for (SettingsStore* store : {&setup, &desktop, &xdg}) {
        ASSERT_TRUE(store->SetDefaultSettings());
        EXPECT_FALSE(store->SaveSettings());
        EXPECT_FALSE(store->WriteSettingsFile());
    }
    EXPECT_FALSE(SettingsStore(platform::ProgramFolder(), "/x/torvek", "").WriteSettingsFile());
    for (const char* name : {"X290607.dat", "ETR0511.dat", "Desktop/X290607.dat", "Bureau/X290607.dat"})
        EXPECT_FALSE(QFileInfo::exists(File(name))) << name;
}

TEST_F(SettingsStoreTest, NothingIsWrittenBeforeLoadOrDefaults) {
    const QByteArray existing(5408, 'k');
    ASSERT_TRUE(WriteAll(File("X290607.dat"), existing));
    SettingsStore store = MakeStore();
    EXPECT_FALSE(store.WriteSettingsFile());
    EXPECT_FALSE(store.SaveSettings());
    EXPECT_EQ(ReadAll(File("X290607.dat")), existing);
    EXPECT_FALSE(QFileInfo::exists(File("ETR0511.dat")));
    ASSERT_TRUE(store.LoadSettings());
    EXPECT_TRUE(store.SaveSettings());
}

TEST_F(SettingsStoreTest, PasswordsAreScrambledOnlyInTheFiles) {
    SettingsStore store = MakeStore();
    store.FirstRunInit();
    EXPECT_EQ(ReadAll(File("X290607.dat")).at(kRecordAt + 1345), 0) << "empty stays empty";
    store.Record().FtpPassword = "secret";
    store.EmailRecord().SmtpPassword = ScramblePassword("secret"); // kept scrambled in memory
    store.EmailRecord().ContactDay = 8;
    ASSERT_TRUE(store.SaveSettings());
    ASSERT_TRUE(store.SaveAlertSettingsFile());
    EXPECT_EQ(store.Record().FtpPassword, "secret");
    EXPECT_EQ(ReadAll(File("X290607.dat")).mid(kRecordAt + 1345, 7).toHex(' '), "06 e5 cb 50 3b 03 69");
    const QByteArray mail = ReadAll(File("ETR0511.dat"));
    ASSERT_EQ(mail.size(), 2456);
    EXPECT_EQ(mail.left(1228), QByteArray(1228, '\0'));
    EXPECT_EQ(mail.mid(1228 + 202, 7).toHex(' '), "06 e5 cb 50 3b 03 69");

    SettingsStore reader = MakeStore();
    ASSERT_TRUE(reader.LoadSettings());
    ASSERT_TRUE(reader.LoadAlertSettingsFile());
    EXPECT_EQ(reader.Record().FtpPassword, "secret");
    EXPECT_EQ(UnscramblePassword(reader.EmailRecord().SmtpPassword), "secret");
    EXPECT_EQ(reader.EmailRecord().ContactDay, 8);
}

TEST_F(SettingsStoreTest, FailedWriteKeepsPasswordPlainAndSaysSo) {
    SettingsStore store = MakeStore();
    store.FirstRunInit();
    // A folder in the settings file's place makes every write of it fail.
    ASSERT_TRUE(QFile::remove(File("X290607.dat")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("X290607.dat"));
    store.Record().FtpPassword = "secret";
    EXPECT_FALSE(store.WriteSettingsFile());
    EXPECT_EQ(store.Record().FtpPassword, "secret");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("X290607.dat"));
    EXPECT_FALSE(store.SaveSettings());
    EXPECT_EQ(messages.size(), 1) << "one message per run of failures";
}

TEST_F(SettingsStoreTest, ShortFilesAreKeptAsideToldOnceAndDefaultsApply) {
    const QByteArray damaged(3000, 'd');
    ASSERT_TRUE(WriteAll(File("X290607.dat"), damaged));
    ASSERT_TRUE(WriteAll(File("ETR0511.dat"), QByteArray(1228, 'e')));
    SettingsStore store = MakeStore();
    store.Record().Sensitivity1 = 0;
    store.EmailRecord().SmtpHost = "before";
    EXPECT_FALSE(store.LoadSettings());
    EXPECT_FALSE(store.LoadAlertSettingsFile());
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].contains("X290607.dat.bad") && messages[1].contains("ETR0511.dat.bad"));
    EXPECT_EQ(ReadAll(File("ETR0511.dat.bad")).size(), 1228);
    EXPECT_TRUE(store.EmailRecord().SmtpHost.isEmpty());
    EXPECT_EQ(store.Record().Sensitivity1, 3000);
    EXPECT_EQ(store.Record().Cam1Folder, dir.path() + "cam1/");

    ASSERT_TRUE(store.SaveSettings());
    EXPECT_EQ(ReadAll(File("X290607.dat")).size(), 5408);
    EXPECT_EQ(ReadAll(File("X290607.dat.bad")), damaged);
    EXPECT_TRUE(MakeStore().LoadSettings());
    EXPECT_EQ(messages.size(), 2) << "told once";
}

TEST_F(SettingsStoreTest, LoadSaveRoundTripKeepsReservedBytes) {
    SettingsRecord seeded;
    for (const auto& [first, last] : SettingsRecord::ReservedRanges())
        for (int i = first; i <= last; ++i)
            seeded.RecordImage[i] = static_cast<char>(0xA0 + (i % 50));
    QDir(dir.path()).mkpath("pictures");
    seeded.Cam1Folder = dir.path() + "pictures/";
    seeded.Cam2Folder = dir.path() + "gone/";
    seeded.SiteLocation = QString::fromUtf8("Entrée €");
    seeded.AlertMaxImages = 42;
    QByteArray file(kRecordAt, '\0');
    file.append(seeded.Encode());
    ASSERT_TRUE(WriteAll(File("X290607.dat"), file));

    SettingsStore store = MakeStore();
    ASSERT_TRUE(store.LoadSettings());
    EXPECT_EQ(store.Record().SiteLocation, QString::fromUtf8("Entrée €"));
    EXPECT_EQ(store.Record().AlertMaxImages, 42);
    EXPECT_EQ(store.CameraFolder(1), dir.path() + "pictures/");
    EXPECT_TRUE(store.Record().Cam2Folder.isEmpty()) << "missing folder blanked";
    store.Record().Cam2Folder = seeded.Cam2Folder;
    ASSERT_TRUE(store.SaveSettings());
    EXPECT_EQ(ReadAll(File("X290607.dat")), file);
}

TEST_F(SettingsStoreTest, DefaultsOnlyWithoutAFileAndClearMailContacts) {
    SettingsStore store = MakeStore();
    EmailSettingsRecord& mail = store.EmailRecord();
    mail.SmtpHost = "smtp.example.org";
    mail.SmtpPassword = ScramblePassword("pw");
    mail.ContactPhone1 = "123";
    ASSERT_TRUE(store.SetDefaultSettings());
    EXPECT_EQ(mail.SmtpHost, "smtp.example.org");
    EXPECT_TRUE(mail.SmtpPassword.isEmpty());
    EXPECT_TRUE(mail.ContactPhone1.isEmpty());
    // The folders were just made, so they exist: AVI making starts refused.
    EXPECT_FALSE(store.Record().AviReady1);
    ASSERT_TRUE(store.SaveSettings());

    store.Record().Sensitivity1 = 1500;
    mail.ContactPhone1 = "456";
    EXPECT_FALSE(store.SetDefaultSettings());
    EXPECT_EQ(store.Record().Sensitivity1, 1500);
    EXPECT_EQ(mail.ContactPhone1, "456");
}
