#include "core/PasswordScrambler.h"
#include "core/SettingsStore.h"
#include "platform/Ansi.h"
#include "support/SmallDisk.h"
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
    SettingsStore MakeStore(const QString& exe = "/opt/torvek/torvek") {
        SettingsStore store(platform::ProgramFolder(dir.path()), exe, "/nonexistent/Desktop");
        store.SetMainWindowFont("Liberation Sans", 9);
        return store;
    }
    QString File(const QString& name) const { return dir.file(name); }

    TempProgramFolder dir;
    TestSupport::MessageLog messages;
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
    // The folders were just made and hold no picture: AVI making is ready.
    EXPECT_TRUE(store.Record().AviReady1 && store.Record().AviReady2);
    ASSERT_TRUE(store.SaveSettings());

    store.Record().Sensitivity1 = 1500;
    mail.ContactPhone1 = "456";
    EXPECT_FALSE(store.SetDefaultSettings());
    EXPECT_EQ(store.Record().Sensitivity1, 1500);
    EXPECT_EQ(mail.ContactPhone1, "456");
}

// An old camera folder full of pictures may hold pictures of another size: its AVI making
// starts refused until it is purged.
TEST_F(SettingsStoreTest, DefaultsRefuseAnAviOnlyForACameraFolderHoldingPictures) {
    ASSERT_TRUE(QDir().mkpath(File("cam1")) && QDir().mkpath(File("cam2")));
    ASSERT_TRUE(WriteAll(File("cam2/000001OLD.JPG"), "j"));
    ASSERT_TRUE(WriteAll(File("cam1/notes.txt"), "n"));
    SettingsStore store = MakeStore();
    ASSERT_TRUE(store.SetDefaultSettings());
    EXPECT_TRUE(store.Record().AviReady1);
    EXPECT_FALSE(store.Record().AviReady2);
}

// A full disk at a save (at shutdown or at start-up) must not cost the settings: the old
// files stay byte for byte, the save says so once, and the next start has them all.
TEST_F(SettingsStoreTest, FullDiskKeepsTheOldFilesAndTheNextStartLoadsThem) {
    TestSupport::SmallDisk disk(256);
    if (!disk.IsMounted())
        GTEST_SKIP() << disk.WhyNot().toStdString();
    auto storeOn = [&] {
        SettingsStore store(platform::ProgramFolder(disk.path()), "/opt/torvek/torvek", "/nonexistent/Desktop");
        store.SetMainWindowFont("Liberation Sans", 9);
        return store;
    };
    SettingsStore store = storeOn();
    store.FirstRunInit();
    store.Record().AutoStart1 = true;
    store.Record().StartMotionAtStart = true;
    store.EmailRecord().SmtpHost = "mail.example.org";
    ASSERT_TRUE(store.SaveSettings());
    const QByteArray settings = ReadAll(disk.file("X290607.dat"));
    const QByteArray mail = ReadAll(disk.file("ETR0511.dat"));

    for (qint64 leave : {qint64(0), qint64(4096)}) {
        SCOPED_TRACE(leave);
        ASSERT_TRUE(disk.Fill(leave));
        store.Record().AutoStart1 = false;
        // One page left is room for the mail file but not for the settings file.
        store.EmailRecord().SmtpHost = leave == 0 ? "lost.example.org" : "mail.example.org";
        EXPECT_FALSE(store.SaveSettings());
        EXPECT_EQ(store.SaveAlertSettingsFile(), leave > 0);
        EXPECT_EQ(ReadAll(disk.file("X290607.dat")), settings);
        EXPECT_EQ(ReadAll(disk.file("ETR0511.dat")), mail);
        EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).filter(".part"), QStringList());
        disk.Unfill();
    }
    ASSERT_EQ(messages.size(), 1) << "said once";
    EXPECT_TRUE(messages[0].contains("could not be saved"));

    SettingsStore next = storeOn();
    ASSERT_TRUE(next.LoadAlertSettingsFile());
    ASSERT_TRUE(next.LoadSettings());
    EXPECT_TRUE(next.Record().AutoStart1);
    EXPECT_TRUE(next.Record().StartMotionAtStart);
    EXPECT_EQ(next.EmailRecord().SmtpHost, "mail.example.org");

    // Space again: the next save goes through and a later failure is said again.
    ASSERT_TRUE(store.SaveSettings());
    ASSERT_TRUE(disk.Fill());
    EXPECT_FALSE(store.SaveSettings());
    EXPECT_EQ(messages.size(), 2);
}

TEST_F(SettingsStoreTest, FtpPasswordIsCutTo25InMemoryAndOddPasswordsRoundTrip) {
    SettingsStore store = MakeStore();
    store.FirstRunInit();
    const QString longPassword = "abcdefghijklmnopqrstuvwxyz"; // 26
    store.Record().FtpPassword = longPassword;
    ASSERT_TRUE(store.SaveSettings());
    EXPECT_EQ(store.Record().FtpPassword, longPassword.left(25)) << "what FTP uses is what the next start has";
    SettingsStore reader = MakeStore();
    ASSERT_TRUE(reader.LoadSettings());
    EXPECT_EQ(reader.Record().FtpPassword, longPassword.left(25));

    // "€" scrambles to one control byte, " " to a blank-free byte; both come back.
    for (const QString& password : {QString::fromUtf8("€"), QString(" "), QString::fromUtf8("€ x ")}) {
        SCOPED_TRACE(password.toStdString());
        store.Record().FtpPassword = password;
        ASSERT_TRUE(store.SaveSettings());
        EXPECT_NE(ReadAll(File("X290607.dat")).at(kRecordAt + 1346), platform::ToAnsi(password).at(0));
        SettingsStore again = MakeStore();
        ASSERT_TRUE(again.LoadSettings());
        EXPECT_EQ(again.Record().FtpPassword, password);
    }
}

// The settings file exists but the mail file does not (deleted, or from an older station):
// a fresh mail record holds 0 in its contact times, as a record never filled does.
TEST_F(SettingsStoreTest, FreshMailFileHoldsZeroContactTimes) {
    SettingsStore store = MakeStore();
    store.FirstRunInit();
    ASSERT_TRUE(QFile::remove(File("ETR0511.dat")));
    SettingsStore next = MakeStore();
    ASSERT_TRUE(next.LoadAlertSettingsFile());
    ASSERT_TRUE(next.LoadSettings());
    next.FirstRunInit();
    ASSERT_TRUE(next.SaveSettings());
    const QByteArray mail = ReadAll(File("ETR0511.dat"));
    ASSERT_EQ(mail.size(), 2456);
    EXPECT_EQ(mail.mid(1228 + 1212, 16), QByteArray(16, '\0'));
}

// The same where no file system can be mounted: a file size limit cuts the writes short.
TEST_F(SettingsStoreTest, WritesCutShortKeepTheOldFiles) {
    SettingsStore store = MakeStore();
    store.FirstRunInit();
    store.Record().AutoStart2 = true;
    ASSERT_TRUE(store.SaveSettings());
    const QByteArray settings = ReadAll(File("X290607.dat"));
    const QByteArray mail = ReadAll(File("ETR0511.dat"));
    store.Record().AutoStart2 = false;
    store.EmailRecord().SmtpUser = "lost";
    {
        TestSupport::FileSizeLimit limit(1024);
        EXPECT_FALSE(store.SaveSettings());
        EXPECT_FALSE(store.WriteSettingsFile());
    }
    EXPECT_EQ(ReadAll(File("X290607.dat")), settings);
    EXPECT_EQ(ReadAll(File("ETR0511.dat")), mail);
    EXPECT_EQ(messages.size(), 1);
    SettingsStore next = MakeStore();
    ASSERT_TRUE(next.LoadSettings());
    EXPECT_TRUE(next.Record().AutoStart2);
}
