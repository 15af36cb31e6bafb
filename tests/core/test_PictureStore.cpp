#include "core/PictureStore.h"

#include "core/AlarmSound.h"
#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "core/PictureNames.h"
#include "core/PictureRecycler.h"
#include "core/SettingsStore.h"
#include "platform/Jpeg.h"
#include "support/SmallDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

using TestSupport::ReadAll;
using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

namespace {

struct FakeUploads : PictureUploadTarget {
    bool busy = false, gallery = false, ftp = false, ftpBusy = false;
    FtpExportChoices choices;
    QStringList gallerySent, ftpSent; // paths; remote names
    QString lastNote;

    bool TransferBusy() const override { return busy; }
    bool IsGalleryConnected() const override { return gallery; }
    void UploadPictureToGallery(const QString& path, const QString& note) override { gallerySent << path, lastNote = note; }
    bool IsFtpConnected() const override { return ftp; }
    bool IsFtpBusy() const override { return ftpBusy; }
    FtpExportChoices ExportChoices() const override { return choices; }
    void FtpUploadCapturedImage(const QString&, const QString& remote, int) override { ftpSent << remote; }
};

QImage Frame(int width = 64, int height = 48) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) * 2));
    return image;
}

QStringList FilesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

DiskSpaceProbe FixedDisk(qint64 freeBytes, qint64 totalBytes) {
    return [=](const QString&) { return std::optional<DiskBytes>(DiskBytes{freeBytes, totalBytes}); };
}

QStringList JpegsIn(const QString& folder) { return QDir(folder).entryList({"*.jpg"}, QDir::Files, QDir::Name); }

// A station on a temporary program folder with its camera folders, defaults and a fixed clock.
struct Station {
    Station() : settings(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop") {
        settings.FirstRunInit();
        store = std::make_unique<PictureStore>(settings, [this](const QString&) {
            return freeMB < 0 ? std::optional<DiskBytes>() : DiskBytes{freeMB * 1048576, 1LL << 40};
        });
        store->SetPictureNamePrefix("OFFICEPC");
        store->SetUploadTarget(&up);
        store->Hooks().now = [] { return QDateTime(QDate(2026, 3, 4), QTime(12, 34, 56)); };
    }

    QString Cam(int camera) const { return dir.path() + QString("cam%1/").arg(camera); }
    SettingsRecord& Record() { return settings.Record(); }
    // Failures are told once the save has returned.
    bool Save(int camera) {
        const bool saved = store->SaveMotionPicture(Frame(), camera);
        QCoreApplication::sendPostedEvents();
        return saved;
    }
    // The drive goes away while the picture is being made.
    void LoseFolderWhileSaving(int camera) {
        store->Hooks().drawPictureCaption = [this, camera](platform::PictureCanvas&, int) {
            QDir(Cam(camera)).removeRecursively();
        };
    }

    TempProgramFolder dir;
    SettingsStore settings;
    std::unique_ptr<PictureStore> store;
    FakeUploads up;
    TestSupport::MessageLog messages;
    qint64 freeMB = 1 << 20;
};

} // namespace

TEST(PictureStore, CounterFileNumbersPicturesOfBothCameras) {
    Station s;
    const QString counter = s.Cam(1) + "counter.txt";
    EXPECT_EQ(s.store->NextPictureFileName(), "000001OFFICE.jpg");
    EXPECT_EQ(ReadAll(counter), "000001\r\n");
    ASSERT_TRUE(s.Save(2));
    ASSERT_TRUE(s.Save(1));
    EXPECT_EQ(JpegsIn(s.Cam(2)), QStringList({"000002OFFICE.jpg"}));
    EXPECT_EQ(JpegsIn(s.Cam(1)), QStringList({"000003OFFICE.jpg"}));

    ASSERT_TRUE(WriteAll(counter, "abc\r\n"));
    EXPECT_EQ(s.store->NextPictureFileName(), "000001OFFICE.jpg");
    ASSERT_TRUE(WriteAll(counter, "999999"));
    EXPECT_EQ(s.store->NextPictureFileName(), "1000000OFFICE.jpg");
    EXPECT_EQ(ReadAll(counter), "1000000\r\n");
    s.store->SetPictureNamePrefix("");
    ASSERT_TRUE(QFile::remove(counter));
    EXPECT_EQ(s.store->NextPictureFileName(), "Image000001.jpg");

    // Camera 1 was pointed elsewhere and cam1/ removed: the counter's folder comes back.
    ASSERT_TRUE(QDir(s.dir.path()).mkdir("elsewhere"));
    s.settings.SetCameraFolder(1, s.dir.path() + "elsewhere/");
    ASSERT_TRUE(QDir(s.Cam(1)).removeRecursively());
    ASSERT_TRUE(s.Save(1));
    EXPECT_EQ(ReadAll(counter), "000001\r\n");
    EXPECT_EQ(JpegsIn(s.dir.path() + "elsewhere/"), QStringList({"Image000001.jpg"}));
    EXPECT_TRUE(s.messages.isEmpty());
}

TEST(PictureStore, LostOrOldCounterNeverOverwritesAPicture) {
    Station s;
    for (int camera : {1, 2, 1})
        ASSERT_TRUE(s.Save(camera));
    const QByteArray first = ReadAll(s.Cam(1) + "000001OFFICE.jpg");
    ASSERT_TRUE(QFile::remove(s.Cam(1) + "counter.txt"));
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(32, 32), 1));
    ASSERT_TRUE(WriteAll(s.Cam(1) + "counter.txt", "000001\r\n")); // put back from an old copy
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(32, 32), 2));
    EXPECT_EQ(JpegsIn(s.Cam(1)), QStringList({"000001OFFICE.jpg", "000003OFFICE.jpg", "000004OFFICE.jpg"}));
    EXPECT_EQ(JpegsIn(s.Cam(2)), QStringList({"000002OFFICE.jpg", "000005OFFICE.jpg"}));
    EXPECT_EQ(ReadAll(s.Cam(1) + "000001OFFICE.jpg"), first);
    EXPECT_EQ(ReadAll(s.Cam(1) + "counter.txt"), "000005\r\n");
}

TEST(PictureStore, PictureDecodesToTheFrameSizeWithItsNote) {
    Station s;
    s.Record().SiteLocation = QString::fromUtf8(" Caf\u00e9 ");
    s.Record().Cam1Name = "Front door";
    s.Record().Cam2Name = "  ";
    s.Record().DateFormatIndex = 2;
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(640, 480), 1));
    QImage back;
    ASSERT_TRUE(platform::LoadJpeg(s.Cam(1) + "000001OFFICE.jpg", &back));
    EXPECT_EQ(back.size(), QSize(640, 480));
    // Windows-1252 text, CR LF lines, the time in the chosen date format.
    const QByteArray when = FormatDateTime(DateFormatByIndex(2), s.store->Hooks().now()).toLatin1();
    EXPECT_EQ(ReadAll(s.Cam(1) + "000001OFFICE.txt"), "N.o. 000001\r\nSite Location Caf\xe9\r\n"
                                                      "Cam Location Front door\r\n000001OFFICE.jpg Captured " +
                                                          when + "\r\n");
    // A blank camera name and a blank site leave their lines out.
    s.Record().SiteLocation = "";
    ASSERT_TRUE(s.Save(2));
    EXPECT_EQ(ReadAll(s.Cam(2) + "000002OFFICE.txt"), "N.o. 000002\r\n000002OFFICE.jpg Captured " + when + "\r\n");
    // A damaged format index still notes when the picture was taken, as the caption shows it.
    s.Record().DateFormatIndex = 42;
    ASSERT_TRUE(s.Save(2));
    const QByteArray usual = FormatDateTime(DateFormatByIndex(6), s.store->Hooks().now()).toLatin1();
    EXPECT_TRUE(ReadAll(s.Cam(2) + "000003OFFICE.txt").endsWith(" Captured " + usual + "\r\n"));
}

TEST(PictureStore, AlertQueueTakesOnlySavedPicturesNewestFirst) {
    Station s;
    ASSERT_TRUE(s.Save(1));
    EXPECT_TRUE(s.store->EAlertBuffer().isEmpty());
    s.Record().NotifyActive = true;
    for (int camera : {2, 2, 1})
        ASSERT_TRUE(s.Save(camera));
    const QStringList queued({"1000004OFFICE.jpg", "2000003OFFICE.jpg", "2000002OFFICE.jpg"});
    EXPECT_EQ(s.store->EAlertBuffer(), queued);
    s.LoseFolderWhileSaving(1);
    EXPECT_FALSE(s.Save(1));
    EXPECT_EQ(s.store->EAlertBuffer(), queued);
}

TEST(PictureStore, FailedSaveIsSaidOnceLeavesNothingAndSurveillanceGoesOn) {
    Station s;
    s.LoseFolderWhileSaving(2);
    EXPECT_FALSE(s.Save(2));
    EXPECT_FALSE(s.Save(2));
    ASSERT_EQ(s.messages.size(), 1);
    EXPECT_TRUE(s.messages[0].contains("could not be saved")) << s.messages[0].toStdString();
    EXPECT_EQ(s.store->PictureCount(2), 0);
    EXPECT_TRUE(QDir(s.dir.path()).entryList({"*.part"}, QDir::Files | QDir::Hidden).isEmpty());

    s.store->Hooks().drawPictureCaption = {};
    EXPECT_TRUE(s.Save(2));
    s.LoseFolderWhileSaving(2);
    EXPECT_FALSE(s.Save(2));
    EXPECT_EQ(s.messages.size(), 2); // a new failure after a good save is said again
}

TEST(PictureStore, MissingCameraFolderFallsBackAndIsSaved) {
    Station s;
    // Loading blanked a folder that no longer exists.
    ASSERT_TRUE(QDir(s.Cam(2)).removeRecursively());
    s.Record().Cam2Folder = "";
    s.settings.SetCameraFolder(2, "");
    ASSERT_TRUE(s.Save(2));
    EXPECT_EQ(JpegsIn(s.Cam(2)).size(), 1);
    SettingsStore reread(platform::ProgramFolder(s.dir.path()), s.dir.file("torvek"), "/no-desktop");
    ASSERT_TRUE(reread.LoadSettings());
    EXPECT_EQ(reread.Record().Cam2Folder, s.Cam(2));

    // The folder in use went away but the record's folder is there.
    ASSERT_TRUE(QDir(s.dir.path()).mkdir("mine"));
    s.Record().Cam1Folder = s.dir.path() + "mine/";
    s.settings.SetCameraFolder(1, s.dir.path() + "gone/");
    ASSERT_TRUE(s.Save(1));
    EXPECT_EQ(JpegsIn(s.dir.path() + "mine/").size(), 1);

    // Nowhere to put it: said plainly, nothing saved.
    s.Record().Cam1Folder = "";
    s.settings.SetCameraFolder(1, "");
    ASSERT_TRUE(QDir(s.Cam(1)).removeRecursively());
    ASSERT_TRUE(WriteAll(s.dir.path() + "cam1", "a file where the folder should be"));
    EXPECT_FALSE(s.Save(1));
    ASSERT_FALSE(s.messages.isEmpty());
    EXPECT_TRUE(s.messages.last().contains("cam1")) << s.messages.last().toStdString();
}

TEST(PictureStore, RecyclesTheOldestAtTheThresholdNeverTheNewest) {
    Station s;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(s.Save(1));
    s.Record().RecycleThresholdMB = 100;
    s.freeMB = 101;
    ASSERT_TRUE(s.Save(1));
    EXPECT_EQ(JpegsIn(s.Cam(1)).size(), 4);
    s.freeMB = 100;
    ASSERT_TRUE(s.Save(1));
    EXPECT_EQ(JpegsIn(s.Cam(1)),
              QStringList({"000002OFFICE.jpg", "000003OFFICE.jpg", "000004OFFICE.jpg", "000005OFFICE.jpg"}));
    EXPECT_FALSE(QFileInfo::exists(s.Cam(1) + "000001OFFICE.txt"));

    // The log window shows, or the disk cannot be read: nothing goes.
    s.store->Hooks().logWindowVisible = [] { return true; };
    ASSERT_TRUE(s.Save(1));
    s.store->Hooks().logWindowVisible = {};
    s.freeMB = -1;
    ASSERT_TRUE(s.Save(1));
    EXPECT_EQ(JpegsIn(s.Cam(1)).size(), 6);
    // The new picture alone in its folder stays.
    s.freeMB = 0;
    ASSERT_TRUE(s.Save(2));
    EXPECT_EQ(JpegsIn(s.Cam(2)), QStringList({"000008OFFICE.jpg"}));
}

TEST(PictureStore, UploadsGoOnlineFirstThenByFtpRingOrExportName) {
    Station s;
    FakeUploads& up = s.up;
    up.ftp = true;
    up.choices = {true, false, false, " netcam1 ", "netcam2", 3};
    for (int camera : {1, 2, 1, 1, 2})
        ASSERT_TRUE(s.Save(camera));
    EXPECT_EQ(up.ftpSent, QStringList({"netcam100001.jpg", "netcam200002.jpg", "netcam100003.jpg",
                                       "netcam100001.jpg", "netcam200002.jpg"}));
    s.store->ResetFtpRing(); // as a new connection does
    ASSERT_TRUE(s.Save(1));
    EXPECT_EQ(up.ftpSent.last(), "netcam100001.jpg");

    auto uploadedAs = [&](const QString& exportName) {
        up.ftpSent.clear();
        up.choices = {false, false, true, exportName, "", 20};
        EXPECT_TRUE(s.Save(1));
        return up.ftpSent;
    };
    EXPECT_EQ(uploadedAs("snap"), QStringList({"snap.jpg"}));
    EXPECT_EQ(uploadedAs("SNAP.JPG"), QStringList({"SNAP.JPG"}));
    EXPECT_EQ(uploadedAs("s"), QStringList());
    up.ftpBusy = true;
    EXPECT_EQ(uploadedAs("snap"), QStringList());

    // The online service goes first while the internet is there; any transfer running skips both.
    bool online = true;
    s.store->Hooks().internetConnected = [&] { return online; };
    up.ftpSent.clear();
    up.choices = {false, true, false, "", "", 20}; // export all under their own names
    up.gallery = true;
    up.ftpBusy = false;
    ASSERT_TRUE(s.Save(1));
    EXPECT_EQ(up.gallerySent, QStringList({s.Cam(1) + "000011OFFICE.jpg"}));
    EXPECT_TRUE(up.lastNote.startsWith("N.o. 000011\r\n"));
    online = false;
    ASSERT_TRUE(s.Save(1));
    EXPECT_EQ(up.ftpSent, QStringList({"000012OFFICE.jpg"}));
    online = up.busy = true;
    ASSERT_TRUE(s.Save(1));
    EXPECT_EQ(up.gallerySent.size() + up.ftpSent.size(), 2);
}

TEST(PictureStore, JpegQualityIsTheFtpSettingsLowByteWhileConnected) {
    Station s;
    s.Record().FtpJpegQuality = 0x0132;
    const QImage frame = Frame(160, 120);
    QByteArray at50, at100;
    ASSERT_TRUE(platform::EncodeJpeg(frame, 50, &at50) && platform::EncodeJpeg(frame, 100, &at100));
    ASSERT_TRUE(s.store->SaveMotionPicture(frame, 1));
    s.up.ftp = true;
    ASSERT_TRUE(s.store->SaveMotionPicture(frame, 1));
    EXPECT_EQ(ReadAll(s.Cam(1) + "000001OFFICE.jpg"), at100);
    EXPECT_EQ(ReadAll(s.Cam(1) + "000002OFFICE.jpg"), at50);
}

TEST(PictureRecycler, DeletesTheLowestNumberWithItsNoteNeverTheKeptOrLastOne) {
    TempProgramFolder dir;
    const QString cam = dir.path();
    // Directory order and text order both disagree with the numbers.
    for (const char* base : {"000010PC", "000002PC", "000100PC", "Image000001"}) {
        ASSERT_TRUE(WriteAll(cam + base + ".jpg", "j"));
        ASSERT_TRUE(WriteAll(cam + base + ".txt", "n"));
    }
    ASSERT_TRUE(WriteAll(cam + "holiday.JPG", "j"));
    bool logShown = false;
    PictureRecycler recycler([&](int) { return cam; }, {}, FixedDisk(0, 0));
    recycler.SetLogWindowVisibleHook([&] { return logShown; });

    // The just-saved picture carries the lowest number (the counter restarted): it stays.
    EXPECT_TRUE(recycler.DeleteOldestPicture(1, "Image000001.jpg"));
    EXPECT_FALSE(QFileInfo::exists(cam + "000002PC.jpg") || QFileInfo::exists(cam + "000002PC.txt"));
    logShown = true;
    EXPECT_FALSE(recycler.DeleteOldestPicture(1));
    logShown = false;
    EXPECT_TRUE(recycler.DeleteOldestPicture(1));
    EXPECT_FALSE(QFileInfo::exists(cam + "Image000001.jpg"));
    // A user's photo never goes and does not count: the last station picture stays.
    EXPECT_TRUE(recycler.DeleteOldestPicture(1, "holiday.JPG"));
    EXPECT_FALSE(recycler.DeleteOldestPicture(1));
    EXPECT_FALSE(recycler.DeleteOldestPicture(1, "000100PC.jpg"));
    EXPECT_EQ(FilesIn(cam), QStringList({"000100PC.jpg", "000100PC.txt", "holiday.JPG"}));
}

TEST(PictureRecycler, OnlyStationNamesAreRecycledAndOnlyTheyCountAsTheLast) {
    TempProgramFolder dir;
    const QString cam = dir.path();
    for (const char* name : {"holiday.jpg", "IMG_0001.JPG", "12345.jpg", "000001TOOLONGNAME.jpg"})
        ASSERT_TRUE(WriteAll(cam + name, "j"));
    ASSERT_TRUE(WriteAll(cam + "000007PC.JPG", "j"));
    ASSERT_TRUE(WriteAll(cam + "000007PC.txt", "n"));
    PictureRecycler recycler([&](int) { return cam; }, {}, FixedDisk(0, 0));
    // One station picture among four of the user's: nothing goes.
    EXPECT_FALSE(recycler.DeleteOldestPicture(1));
    ASSERT_TRUE(WriteAll(cam + "image000009.jpg", "j"));
    EXPECT_TRUE(recycler.DeleteOldestPicture(1));
    EXPECT_EQ(FilesIn(cam), QStringList({"000001TOOLONGNAME.jpg", "12345.jpg", "IMG_0001.JPG", "holiday.jpg",
                                         "image000009.jpg"}));

    // Station names are six digits and a short name, or Image and digits.
    for (const char* name : {"000042OFFICE.jpg", "000042.JPG", "1234567PC.Jpg", "Image000001.jpg",
                             "IMAGE1234567.jpg", "000042A1B2C3.jpg"})
        EXPECT_TRUE(IsStationPictureName(name)) << name;
    for (const char* name : {"holiday.jpg", "00042PC.jpg", "000042SEVENCH.jpg", "Image00001.jpg",
                             "000042OFFICE.txt", "000042OFFICE.jpg.bak", "Image000001x.jpg", "x000042.jpg"})
        EXPECT_FALSE(IsStationPictureName(name)) << name;
}

TEST(AlarmSound, ChoosesCameraWavThenTheBellAndPlaysToItsEndOnlyWhileTheBoxIsTicked) {
    TempProgramFolder dir;
    AlarmSound alarm{platform::ProgramFolder(dir.path())};
    alarm.SetFallbackSounds({dir.file("bell.oga"), dir.file("complete.oga")});
    EXPECT_EQ(alarm.AlarmSoundFile(), "");
    ASSERT_TRUE(WriteAll(dir.file("bell.oga"), "x"));
    EXPECT_EQ(alarm.AlarmSoundFile(), dir.file("bell.oga"));
    ASSERT_TRUE(WriteAll(dir.file("camera.wav"), TestSupport::ToneWav(250)));
    EXPECT_EQ(alarm.AlarmSoundFile(), dir.file("camera.wav"));

    // Played without a sound card.
    alarm.Player().SetAudioSinkFactory("fakesink");
    bool ticked = false;
    alarm.SetAlarmTickedHook([&] { return ticked; });
    EXPECT_FALSE(alarm.PlayAlarmSound());
    EXPECT_FALSE(alarm.Player().IsPlaying());

    ticked = true;
    QSignalSpy finished(&alarm.Player(), &platform::SoundPlayer::Finished);
    // The call comes back while the sound plays; its end arrives later through the event loop.
    ASSERT_TRUE(alarm.PlayAlarmSound());
    EXPECT_TRUE(alarm.Player().IsPlaying() && finished.isEmpty());
    ASSERT_TRUE(TestSupport::WaitFor([&] { return finished.count() > 0; }));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
}

// A computer name that begins with a digit must not lend it to the picture's number.
TEST(PictureStore, DigitFirstNamePartKeepsTheCounterNumber) {
    Station s;
    s.store->SetPictureNamePrefix("1host");
    ASSERT_TRUE(s.Save(1));
    EXPECT_TRUE(ReadAll(s.Cam(1) + "0000011host.txt").startsWith("N.o. 000001\r\n"));
    EXPECT_EQ(PictureNumberOf("0000011host.jpg", "1host"), 1);
    EXPECT_EQ(PictureNumberOf("10000001host.txt", "1host"), 1000000);
    EXPECT_EQ(PictureNumberOf("000007OFFICE.jpg", "1host"), 7) << "other names by their leading digits";

    // The counter is lost: the next number comes after the highest on disk, not after 11.
    ASSERT_TRUE(QFile::remove(s.Cam(1) + "counter.txt"));
    qint64 number = 0;
    EXPECT_EQ(s.store->NextPictureFileName(&number), "0000021host.jpg");
    EXPECT_EQ(number, 2);

    // The recycler reads the same numbers: 000009 goes before 000010.
    for (const char* name : {"0000091host.jpg", "0000101host.jpg"})
        ASSERT_TRUE(WriteAll(s.Cam(2) + name, "j"));
    ASSERT_TRUE(s.store->Recycler().DeleteOldestPicture(2));
    EXPECT_EQ(JpegsIn(s.Cam(2)), QStringList({"0000101host.jpg"}));
}

TEST(PictureStore, StartRemovesOnlyItsOwnStrayFiles) {
    Station s;
    ASSERT_TRUE(s.Save(1));
    ASSERT_TRUE(QDir(s.dir.path()).mkdir("elsewhere"));
    const QString elsewhere = s.dir.path() + "elsewhere/";
    s.settings.SetCameraFolder(2, elsewhere);
    const QString dead = ".999999999.4.part";
    const QStringList stray{s.dir.file("X290607.dat.aB3xY9"), s.dir.file("ETR0511.dat.000000"),
                            s.dir.file("CAM1.DAT.Qq1Zz0"), s.dir.file(".X290607.dat" + dead),
                            s.Cam(1) + ".000002OFFICE.jpg" + dead, s.Cam(2) + ".000003OFFICE.txt" + dead,
                            elsewhere + ".000004OFFICE.jpg" + dead, s.Cam(1) + "000005OFFICE.txt",
                            elsewhere + "Image000006.txt"};
    const QStringList kept{s.dir.file("X290607.dat.bad"), s.dir.file("X290607.dat.a"), s.dir.file("notes.txt"),
                           s.Cam(1) + "000001OFFICE.jpg", s.Cam(1) + "000001OFFICE.txt",
                           s.Cam(1) + "counter.txt", s.Cam(1) + "2024 trip.txt", s.Cam(1) + "000007OFFICE.txt",
                           elsewhere + "000008OFFICE.TXT", elsewhere + "X290607.dat.aB3xY9"};
    for (const QString& path : stray + kept) {
        if (!QFileInfo::exists(path)) {
            ASSERT_TRUE(WriteAll(path, path.endsWith(".txt") ? "N.o. 000005\r\n" : "x"));
        }
    }
    ASSERT_TRUE(WriteAll(s.Cam(1) + "000007OFFICE.txt", "my own notes")); // not a station note

    QStringList removed = s.store->RemoveStrayFiles();
    removed.sort();
    QStringList expected = stray;
    expected.sort();
    EXPECT_EQ(removed, expected);
    for (const QString& path : kept)
        EXPECT_TRUE(QFileInfo::exists(path)) << qPrintable(path);
    EXPECT_TRUE(s.store->RemoveStrayFiles().isEmpty());
}

TEST(PictureStore, FullDiskSavesNoHalfPairAndSaysSoOnce) {
    TestSupport::SmallDisk disk(512);
    if (!disk.IsMounted())
        GTEST_SKIP() << disk.WhyNot().toStdString();
    TestSupport::MessageLog messages;
    SettingsStore settings(platform::ProgramFolder(disk.path()), disk.file("torvek"), "/no-desktop");
    settings.FirstRunInit();
    PictureStore store(settings);
    store.SetPictureNamePrefix("PC");
    auto save = [&](int camera) {
        const bool saved = store.SaveMotionPicture(Frame(320, 240), camera);
        QCoreApplication::sendPostedEvents();
        return saved;
    };
    ASSERT_TRUE(save(1));
    ASSERT_TRUE(disk.Fill());
    EXPECT_FALSE(save(1));
    EXPECT_FALSE(save(2));
    ASSERT_EQ(messages.size(), 1) << "said once";
    EXPECT_TRUE(messages[0].contains("could not be saved"));
    // The counter's in-place write still works on the full disk, so it never falls behind.
    EXPECT_EQ(ReadAll(disk.file("cam1/counter.txt")), "000003\r\n");
    EXPECT_EQ(QDir(disk.file("cam1")).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"000001PC.jpg", "000001PC.txt", "counter.txt"}));
    EXPECT_TRUE(QDir(disk.file("cam2")).entryList(QDir::Files | QDir::Hidden).isEmpty());

    // A counter that cannot be made at all is said too, once.
    ASSERT_TRUE(QFile::remove(disk.file("cam1/counter.txt")));
    ASSERT_TRUE(disk.Fill());
    store.NextPictureFileName();
    store.NextPictureFileName();
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].contains("counter")) << messages[1].toStdString();
}
