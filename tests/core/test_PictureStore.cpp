#include "core/PictureStore.h"

#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "core/PictureCaption.h"
#include "core/SettingsStore.h"
#include "platform/Jpeg.h"
#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>
#include <memory>

using TestSupport::ReadAll;
using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

namespace {

struct Upload {
    QString local, remote;
    int camera;
};

class FakeUploads : public PictureUploadTarget {
public:
    bool busy = false, gallery = false, ftp = false, ftpBusy = false;
    FtpExportChoices choices;
    QStringList galleryPaths;
    QList<Upload> ftpUploads;

    bool TransferBusy() const override { return busy; }
    bool IsGalleryConnected() const override { return gallery; }
    void UploadPictureToGallery(const QString& path, const QString& note) override {
        galleryPaths << path;
        lastNote = note;
    }
    bool IsFtpConnected() const override { return ftp; }
    bool IsFtpBusy() const override { return ftpBusy; }
    FtpExportChoices ExportChoices() const override { return choices; }
    void FtpUploadCapturedImage(const QString& local, const QString& remote, int camera) override {
        ftpUploads.append({local, remote, camera});
    }
    QStringList RemoteNames() const {
        QStringList names;
        for (const Upload& u : ftpUploads)
            names << u.remote;
        return names;
    }
    QString lastNote;
};

QImage Frame(int width = 64, int height = 48) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) * 2));
    return image;
}

QStringList JpegsIn(const QString& folder) {
    return QDir(folder).entryList({"*.jpg"}, QDir::Files, QDir::Name);
}

// A station on a temporary program folder: camera folders, defaults, recorded messages.
class Station {
public:
    Station() : settings(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/nonexistent-desktop") {
        SetMessageBoxHandler([this](const QString& text) { messages << text; });
        settings.FirstRunInit();
        store = std::make_unique<PictureStore>(settings, [this](const QString&) {
            return freeBytes < 0 ? std::optional<DiskBytes>() : std::optional<DiskBytes>(DiskBytes{freeBytes, 1LL << 40});
        });
        store->SetPictureNamePrefix("OFFICEPC");
        store->Hooks().now = [] { return QDateTime(QDate(2026, 3, 4), QTime(12, 34, 56)); };
    }
    ~Station() { SetMessageBoxHandler({}); }

    QString Cam(int camera) const { return dir.path() + QString("cam%1/").arg(camera); }
    SettingsRecord& Record() { return settings.Record(); }

    TempProgramFolder dir;
    SettingsStore settings;
    std::unique_ptr<PictureStore> store;
    QStringList messages;
    qint64 freeBytes = 1LL << 40;
};

} // namespace

TEST(PictureStore, CounterFileNumbersPicturesOfBothCameras) {
    Station s;
    const QString counter = s.Cam(1) + "counter.txt";
    ASSERT_FALSE(QFileInfo::exists(counter));
    EXPECT_EQ(s.store->NextPictureFileName(), "000001OFFICE.jpg");
    EXPECT_EQ(ReadAll(counter), "000001\r\n");

    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 2));
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    EXPECT_EQ(JpegsIn(s.Cam(2)), QStringList({"000002OFFICE.jpg"}));
    EXPECT_EQ(JpegsIn(s.Cam(1)), QStringList({"000003OFFICE.jpg"}));
    EXPECT_EQ(ReadAll(counter), "000003\r\n");

    ASSERT_TRUE(WriteAll(counter, "abc\r\n"));
    EXPECT_EQ(s.store->NextPictureFileName(), "000001OFFICE.jpg");
    ASSERT_TRUE(WriteAll(counter, "999999"));
    EXPECT_EQ(s.store->NextPictureFileName(), "1000000OFFICE.jpg");
    EXPECT_EQ(ReadAll(counter), "1000000\r\n");

    s.store->SetPictureNamePrefix("");
    ASSERT_TRUE(QFile::remove(counter));
    EXPECT_EQ(s.store->NextPictureFileName(), "Image000001.jpg");
}

TEST(PictureStore, CounterFolderIsMadeAgainWhenMovedAway) {
    Station s;
    // The user pointed camera 1 elsewhere and the old cam1/ folder is gone.
    ASSERT_TRUE(QDir(s.dir.path()).mkdir("elsewhere"));
    s.Record().Cam1Folder = s.dir.path() + "elsewhere/";
    s.settings.SetCameraFolder(1, s.dir.path() + "elsewhere/");
    ASSERT_TRUE(QDir(s.Cam(1)).removeRecursively());

    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    EXPECT_EQ(ReadAll(s.Cam(1) + "counter.txt"), "000001\r\n");
    EXPECT_EQ(JpegsIn(s.dir.path() + "elsewhere/"), QStringList({"000001OFFICE.jpg"}));
    EXPECT_TRUE(s.messages.isEmpty());
}

TEST(PictureStore, LostCounterNeverOverwritesAPicture) {
    Station s;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), i == 1 ? 2 : 1));
    const QByteArray first = ReadAll(s.Cam(1) + "000001OFFICE.jpg");
    const QByteArray second = ReadAll(s.Cam(2) + "000002OFFICE.jpg");
    ASSERT_FALSE(first.isEmpty());

    ASSERT_TRUE(QFile::remove(s.Cam(1) + "counter.txt"));
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(32, 32), 1));
    EXPECT_EQ(JpegsIn(s.Cam(1)), QStringList({"000001OFFICE.jpg", "000003OFFICE.jpg", "000004OFFICE.jpg"}));
    EXPECT_EQ(ReadAll(s.Cam(1) + "counter.txt"), "000004\r\n");

    // Damaged counter, and a counter put back from an old copy: still nothing overwritten.
    ASSERT_TRUE(WriteAll(s.Cam(1) + "counter.txt", "\xff\xfe"));
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(32, 32), 2));
    ASSERT_TRUE(WriteAll(s.Cam(1) + "counter.txt", "000001\r\n"));
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(32, 32), 2));
    EXPECT_EQ(JpegsIn(s.Cam(2)), QStringList({"000002OFFICE.jpg", "000005OFFICE.jpg", "000006OFFICE.jpg"}));
    EXPECT_EQ(ReadAll(s.Cam(1) + "000001OFFICE.jpg"), first);
    EXPECT_EQ(ReadAll(s.Cam(2) + "000002OFFICE.jpg"), second);
}

TEST(PictureStore, SavedPictureDecodesWithItsCaptionAndNote) {
    Station s;
    s.Record().SiteLocation = QString::fromUtf8(" Caf\u00e9 ");
    s.Record().Cam1Name = "Front door";
    s.Record().DateFormatIndex = 2;
    s.Record().Cam2Name = "  ";
    QList<int> captioned;
    s.store->Hooks().drawPictureCaption = [&](platform::PictureCanvas& image, int camera) {
        captioned << camera;
        image.Image().fill(Qt::white);
    };

    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(640, 480), 1));
    QImage back;
    ASSERT_TRUE(platform::LoadJpeg(s.Cam(1) + "000001OFFICE.jpg", &back));
    EXPECT_EQ(back.size(), QSize(640, 480));
    EXPECT_GT(qGray(back.pixel(320, 240)), 250); // the caption hook drew on what was saved
    EXPECT_EQ(s.store->LastPicturePath(), s.Cam(1) + "000001OFFICE.jpg");

    // Windows-1252 text, CR LF lines, the time in the chosen date format.
    const QString when = FormatDateTime(DateFormatByIndex(2), s.store->Hooks().now());
    EXPECT_EQ(ReadAll(s.Cam(1) + "000001OFFICE.txt"),
              "N.o. 000001\r\nSite Location Caf\xe9\r\nCam Location Front door\r\n000001OFFICE.jpg Captured " +
                  when.toLatin1() + "\r\n");

    // Blank camera name and blank site leave their lines out; TV Out leaves the caption off.
    s.Record().SiteLocation = "";
    s.Record().TvOut = true;
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 2));
    const QStringList lines =
        QString::fromLatin1(ReadAll(s.Cam(2) + "000002OFFICE.txt")).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "N.o. 000002");
    EXPECT_TRUE(lines[1].startsWith("000002OFFICE.jpg Captured "));
    EXPECT_EQ(captioned, QList<int>({1}));

    EXPECT_EQ(s.store->PictureCount(1), 1);
    EXPECT_EQ(s.store->PictureCount(2), 1);
    s.store->ResetPictureCounts();
    EXPECT_EQ(s.store->PictureCount(2), 0);
}

TEST(PictureStore, CaptionIsStampedOnTheCallersPictureUnlessTvOut) {
    Station s;
    CaptionChoices choices;
    PictureCaptions captions(s.Record(), choices);
    BindPictureCaptions(*s.store, captions);
    s.Record().CaptionFontName = "Courier New";
    const QImage frame = Frame(320, 240);

    platform::PictureCanvas canvas(frame);
    ASSERT_TRUE(s.store->SaveMotionPicture(canvas, 1));
    EXPECT_NE(canvas.Image().copy(0, 0, 100, 30), frame.copy(0, 0, 100, 30));
    EXPECT_EQ(canvas.FontName(), "Courier New"); // the caption font stays on the canvas
    QImage saved;
    ASSERT_TRUE(platform::LoadJpeg(s.store->LastPicturePath(), &saved));
    EXPECT_EQ(saved.size(), frame.size());

    s.Record().TvOut = true;
    platform::PictureCanvas plain(frame);
    ASSERT_TRUE(s.store->SaveMotionPicture(plain, 1));
    EXPECT_EQ(plain.Image(), frame);
}

TEST(PictureStore, AlertQueueTakesOnlySavedPicturesNewestFirst) {
    Station s;
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    EXPECT_TRUE(s.store->EAlertBuffer().isEmpty());

    s.Record().NotifyActive = true;
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 2));
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 2));
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    EXPECT_EQ(s.store->EAlertBuffer(),
              QStringList({"1000004OFFICE.jpg", "2000003OFFICE.jpg", "2000002OFFICE.jpg"}));

    // A picture that never reached the disk is not queued.
    s.store->Hooks().drawPictureCaption = [&](platform::PictureCanvas&, int) { QDir(s.Cam(1)).removeRecursively(); };
    EXPECT_FALSE(s.store->SaveMotionPicture(Frame(), 1));
    EXPECT_EQ(s.store->EAlertBuffer().size(), 3);
}

TEST(PictureStore, FailedSaveIsSaidOnceLeavesNothingAndSurveillanceGoesOn) {
    Station s;
    s.Record().NotifyActive = true;
    QList<quint32> colours;
    s.store->Hooks().setGroupBoxColour = [&](quint32 c) { colours << c; };
    // The drive goes away while the picture is being made.
    s.store->Hooks().drawPictureCaption = [&](platform::PictureCanvas&, int) { QDir(s.Cam(2)).removeRecursively(); };
    EXPECT_FALSE(s.store->SaveMotionPicture(Frame(), 2));
    EXPECT_FALSE(s.store->SaveMotionPicture(Frame(), 2));
    ASSERT_EQ(s.messages.size(), 1);
    EXPECT_TRUE(s.messages[0].contains("could not be saved")) << s.messages[0].toStdString();
    EXPECT_TRUE(s.store->EAlertBuffer().isEmpty());
    EXPECT_EQ(s.store->PictureCount(2), 0);
    EXPECT_EQ(colours.last(), PictureStore::kBlack);
    EXPECT_TRUE(QDir(s.dir.path()).entryList({"*.part", ".*.part"}, QDir::Files | QDir::Hidden).isEmpty());

    // The next save works again; a later failure is reported anew.
    s.store->Hooks().drawPictureCaption = {};
    colours.clear();
    EXPECT_TRUE(s.store->SaveMotionPicture(Frame(), 2));
    EXPECT_EQ(colours, QList<quint32>({PictureStore::kRed, PictureStore::kGreen, PictureStore::kBlack}));
    EXPECT_EQ(JpegsIn(s.Cam(2)).size(), 1);
    s.store->Hooks().drawPictureCaption = [&](platform::PictureCanvas&, int) { QDir(s.Cam(2)).removeRecursively(); };
    EXPECT_FALSE(s.store->SaveMotionPicture(Frame(), 2));
    EXPECT_EQ(s.messages.size(), 2);

    // A compact camera view keeps the group box as it is.
    s.store->Hooks().drawPictureCaption = {};
    s.store->Hooks().cameraViewIs180High = [] { return true; };
    colours.clear();
    EXPECT_TRUE(s.store->SaveMotionPicture(Frame(), 2));
    EXPECT_TRUE(colours.isEmpty());
}

TEST(PictureStore, MissingCameraFolderFallsBackAndIsSaved) {
    Station s;
    // Loaded settings name a folder that no longer exists (blanked by loading).
    ASSERT_TRUE(QDir(s.Cam(2)).removeRecursively());
    s.Record().Cam2Folder = "";
    s.settings.SetCameraFolder(2, "");
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 2));
    EXPECT_EQ(JpegsIn(s.Cam(2)).size(), 1);
    EXPECT_EQ(s.Record().Cam2Folder, s.Cam(2));
    EXPECT_EQ(s.settings.CameraFolder(2), s.Cam(2));
    SettingsStore reread(platform::ProgramFolder(s.dir.path()), s.dir.file("torvek"), "/nonexistent-desktop");
    ASSERT_TRUE(reread.LoadSettings());
    EXPECT_EQ(reread.Record().Cam2Folder, s.Cam(2));

    // The folder in use went away but the record's folder is there: that one is used.
    ASSERT_TRUE(QDir(s.dir.path()).mkdir("mine"));
    s.Record().Cam1Folder = s.dir.path() + "mine/";
    s.settings.SetCameraFolder(1, s.dir.path() + "gone/");
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    EXPECT_EQ(JpegsIn(s.dir.path() + "mine/").size(), 1);

    // Nowhere to put it: said plainly, nothing saved.
    s.Record().Cam1Folder = "";
    s.settings.SetCameraFolder(1, "");
    ASSERT_TRUE(QDir(s.Cam(1)).removeRecursively());
    ASSERT_TRUE(WriteAll(s.dir.path() + "cam1", "a file where the folder should be"));
    EXPECT_FALSE(s.store->SaveMotionPicture(Frame(), 1));
    ASSERT_FALSE(s.messages.isEmpty());
    EXPECT_TRUE(s.messages.last().contains("cam1")) << s.messages.last().toStdString();
}

TEST(PictureStore, RecyclesTheOldestBelowTheThresholdNeverTheNewest) {
    Station s;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    s.Record().RecycleThresholdMB = 100;
    s.freeBytes = 101LL * 1048576;
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    EXPECT_EQ(JpegsIn(s.Cam(1)).size(), 4);

    s.freeBytes = 100LL * 1048576;
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    EXPECT_EQ(JpegsIn(s.Cam(1)),
              QStringList({"000002OFFICE.jpg", "000003OFFICE.jpg", "000004OFFICE.jpg", "000005OFFICE.jpg"}));
    EXPECT_FALSE(QFileInfo::exists(s.Cam(1) + "000001OFFICE.txt"));
    EXPECT_TRUE(QFileInfo::exists(s.Cam(1) + "000005OFFICE.txt"));

    // The log window shows, or the disk cannot be read: nothing goes.
    bool logShown = true;
    s.store->Hooks().logWindowVisible = [&] { return logShown; };
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    logShown = false;
    s.freeBytes = -1;
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    EXPECT_EQ(JpegsIn(s.Cam(1)).size(), 6);

    // Only the new picture in the folder: it stays.
    s.freeBytes = 0;
    ASSERT_TRUE(QDir(s.Cam(2)).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(s.Cam(2)));
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 2));
    EXPECT_EQ(JpegsIn(s.Cam(2)), QStringList({"000008OFFICE.jpg"}));
}

TEST(PictureStore, FtpUploadsUseTheRingAndExportNames) {
    Station s;
    FakeUploads up;
    s.store->SetUploadTarget(&up);
    up.ftp = true;
    up.choices.recycle = true;
    up.choices.maxImages = 3;
    up.choices.exportName1 = " netcam1 ";
    up.choices.exportName2 = "netcam2";
    for (int camera : {1, 2, 1, 1, 2})
        ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), camera));
    EXPECT_EQ(up.RemoteNames(), QStringList({"netcam100001.jpg", "netcam200002.jpg", "netcam100003.jpg",
                                             "netcam100001.jpg", "netcam200002.jpg"}));
    EXPECT_EQ(up.ftpUploads[1].local, s.Cam(2) + "000002OFFICE.jpg");
    EXPECT_EQ(up.ftpUploads[1].camera, 2);
    s.store->ResetFtpRing();
    EXPECT_EQ(s.store->FtpRing(), 0);

    auto exportAs = [&](const QString& exportName) {
        up.ftpUploads.clear();
        up.choices = FtpExportChoices{};
        up.choices.exportAs = true;
        up.choices.exportName1 = exportName;
        EXPECT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
        return up.RemoteNames();
    };
    EXPECT_EQ(exportAs("snap"), QStringList({"snap.jpg"}));
    EXPECT_EQ(exportAs("SNAP.JPG"), QStringList({"SNAP.JPG"}));
    EXPECT_EQ(exportAs("s"), QStringList());
    up.ftpBusy = true;
    EXPECT_EQ(exportAs("snap"), QStringList());
    up.ftpBusy = false;

    up.ftpUploads.clear();
    up.choices = FtpExportChoices{};
    up.choices.exportAll = true;
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    EXPECT_EQ(up.RemoteNames(), QStringList({"000010OFFICE.jpg"}));
}

TEST(PictureStore, OnlineServiceGoesFirstAndBusyTransfersSkip) {
    Station s;
    FakeUploads up;
    s.store->SetUploadTarget(&up);
    bool online = true;
    s.store->Hooks().internetConnected = [&] { return online; };
    up.gallery = up.ftp = true;
    up.choices.exportAll = true;

    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    EXPECT_EQ(up.galleryPaths, QStringList({s.Cam(1) + "000001OFFICE.jpg"}));
    EXPECT_TRUE(up.lastNote.startsWith("N.o. 000001\r\n"));
    EXPECT_TRUE(up.ftpUploads.isEmpty());

    online = false; // the service is not reachable: FTP takes the picture
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    EXPECT_EQ(up.galleryPaths.size(), 1);
    EXPECT_EQ(up.RemoteNames(), QStringList({"000002OFFICE.jpg"}));

    online = true;
    up.busy = true; // a transfer runs: nothing is handed over, the picture stays on disk
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    EXPECT_EQ(up.galleryPaths.size(), 1);
    EXPECT_EQ(up.ftpUploads.size(), 1);
    EXPECT_EQ(JpegsIn(s.Cam(1)).size(), 3);
}

TEST(PictureStore, JpegQualityFollowsTheFtpSettingWhileConnected) {
    Station s;
    FakeUploads up;
    s.store->SetUploadTarget(&up);
    s.Record().FtpJpegQuality = 0x0132; // only the low byte counts: 50
    const QImage frame = Frame(160, 120);
    QByteArray at50, at100;
    ASSERT_TRUE(platform::EncodeJpeg(frame, 50, &at50));
    ASSERT_TRUE(platform::EncodeJpeg(frame, 100, &at100));

    ASSERT_TRUE(s.store->SaveMotionPicture(frame, 1));
    EXPECT_EQ(ReadAll(s.Cam(1) + "000001OFFICE.jpg"), at100);
    up.ftp = true;
    ASSERT_TRUE(s.store->SaveMotionPicture(frame, 1));
    EXPECT_EQ(ReadAll(s.Cam(1) + "000002OFFICE.jpg"), at50);
}

TEST(PictureStore, LastImageCaptionCountsBothCameras) {
    Station s;
    int height = 200;
    s.store->Hooks().groupBoxHeight = [&] { return height; };
    s.Record().Cam2Name = " Yard ";
    EXPECT_EQ(s.store->FormatLastImageCaption(2), "000001");
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 1));
    ASSERT_TRUE(s.store->SaveMotionPicture(Frame(), 2));
    height = 201;
    const QString caption = s.store->FormatLastImageCaption(2);
    EXPECT_TRUE(caption.startsWith("000003 Last Image Yard ")) << caption.toStdString();
    EXPECT_TRUE(caption.endsWith(" 4,2026,12:34:56")) << caption.toStdString();
}
