#include "core/SettingsStore.h"
#include "platform/Jpeg.h"
#include "publish/PictureLogFiles.h"
#include "publish/PictureLogLogic.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <memory>

using namespace TestSupport;

namespace {

QImage Pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 20 % 256, y * 30 % 256, (x * 7 + y * 11) % 256));
    return image;
}

QByteArray Jpeg(int width = 32, int height = 24) {
    QByteArray data;
    platform::EncodeJpeg(Pattern(width, height), 90, &data);
    return data;
}

QStringList FilesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

// A log on a temporary station: camera folders cam1/ cam2/, history/, recorded questions,
// messages and hand-offs.
struct Log {
    Log() : settings(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop") {
        settings.FirstRunInit();
        QDir(dir.path()).mkpath("history");
        logic = std::make_unique<PictureLogLogic>(settings);
        PictureLogHooks& h = logic->Hooks();
        h.AskYesNo = [this](const QString& q) { return questions << q, answer; };
        h.CameraFolder = [this](int camera) {
            return camera == 3 ? dir.path() + "history/" : settings.CameraFolder(camera);
        };
        h.CameraPreviews = [this](int camera) { return previewing == camera; };
        h.DiskSpace = [this]() -> std::optional<DiskSpaceMB> {
            if (freeMB < 0)
                return std::nullopt;
            return DiskSpaceMB{freeMB, 100000, 100000 - freeMB};
        };
        h.ResetPictureCounts = [this] { ++countsReset; };
        h.SetMainCaption = [](const QString&) {};
        h.FtpUploadFile = [this](const QString& path, const QString& remote) { uploads << path + ">" + remote; };
        h.OpenSendImagePage = [this](bool single, int position, const QStringList& pictures, const QString& name,
                                     int camera) {
            mailed = {single ? "single" : "list", QString::number(position), pictures.join(","), name,
                      QString::number(camera)};
        };
        QObject::connect(logic.get(), &PictureLogLogic::ProgressChanged, [this] {
            if (logic->PleaseWaitVisible())
                progress << logic->PleaseWaitText();
        });
    }

    QString Cam(int camera) const { return dir.path() + QString("cam%1/").arg(camera); }
    // Pictures with notes in a camera's folder: name -> a real picture and a note.
    void AddPictures(int camera, const QStringList& names, bool notes = true) {
        for (const QString& name : names) {
            ASSERT_TRUE(WriteAll(Cam(camera) + name, Jpeg()));
            if (notes) {
                ASSERT_TRUE(WriteAll(Cam(camera) + name.left(name.size() - 4) + ".txt",
                                     "N.o. " + name.toLatin1() + "\r\nline 2\r\n"));
            }
        }
    }
    void Open(int camera) {
        logic->SetCamera(camera, QString());
        logic->Activate();
    }
    // Runs the slideshow tick by tick; the rows shown, until it stops.
    QList<int> RunShow() {
        QList<int> shown;
        for (int i = 0; i < 100 && logic->SlideshowRunning(); ++i) {
            logic->SlideshowTick();
            if (logic->SlideshowRunning())
                shown << logic->CurrentRow();
        }
        return shown;
    }

    TempProgramFolder dir;
    SettingsStore settings;
    std::unique_ptr<PictureLogLogic> logic;
    QStringList questions, progress, uploads, mailed;
    MessageLog messages;
    bool answer = true;
    int previewing = 0;
    qint64 freeMB = 1000;
    int countsReset = 0;
};

} // namespace

TEST(PictureLog, EmptyFolderCaptionAndTheShowStopsAtOnce) {
    Log log;
    log.Open(1);
    EXPECT_TRUE(log.logic->Rows().isEmpty());
    log.logic->SlideForward();
    EXPECT_EQ(log.RunShow(), QList<int>());
    EXPECT_FALSE(log.logic->SlideshowRunning());

    // A camera whose folder is gone shows nothing, not the list it showed before.
    log.AddPictures(1, {"000001PC.jpg"});
    log.Open(1);
    EXPECT_EQ(log.logic->Rows().size(), 1);
    log.logic->SetCamera(3, QString());
    QDir(log.dir.path() + "history").removeRecursively();
    log.logic->Activate();
    EXPECT_TRUE(log.logic->Rows().isEmpty());
    EXPECT_TRUE(log.logic->Picture().isNull());
    EXPECT_EQ(log.logic->Caption(), "Cam 3 000000 of 000000");
}

TEST(PictureLog, ListsJpgInAnyCaseInNameOrderAndShowsOnlyPicturesOf101BytesOrMore) {
    Log log;
    log.AddPictures(1, {"000003PC.JPG", "000001PC.jpg", "holiday.Jpg"});
    ASSERT_TRUE(WriteAll(log.Cam(1) + "000002PC.jpeg", Jpeg()));
    ASSERT_TRUE(WriteAll(log.Cam(1) + "000004PC.jpg", QByteArray(100, 'x')));
    // A plain portable bitmap under a .jpg name, exactly 101 bytes long.
    QByteArray pbm = "P1\n1 1\n0\n";
    pbm.insert(3, "#" + QByteArray(101 - pbm.size() - 2, 'c') + "\n");
    ASSERT_EQ(pbm.size(), 101);
    ASSERT_TRUE(WriteAll(log.Cam(1) + "000005PC.jpg", pbm));
    ASSERT_TRUE(QDir(log.Cam(1)).mkdir("folder.jpg"));

    log.Open(1);
    EXPECT_EQ(log.logic->Rows(),
              QStringList({"000001PC.jpg", "000003PC.JPG", "000004PC.jpg", "000005PC.jpg", "holiday.Jpg"}));
    // Activation selects and shows the last row.
    EXPECT_EQ(log.logic->Caption(), "Cam 1 000005 of 000005");
    EXPECT_EQ(log.logic->Picture().size(), QSize(32, 24));
    EXPECT_TRUE(log.logic->NoteText().startsWith("N.o. holiday.Jpg\nline 2"));

    log.logic->SelectRow(2);
    log.logic->ShowSelectedImage();
    EXPECT_TRUE(log.logic->Picture().isNull());
    log.logic->SelectRow(3);
    log.logic->ShowSelectedImage();
    EXPECT_EQ(log.logic->Picture().size(), QSize(1, 1));
    EXPECT_TRUE(log.messages.isEmpty());
}

TEST(PictureLog, SlideshowRunsBackFromTheLastRowOrForwardToTheEndAndStops) {
    Log log;
    log.AddPictures(1, {"000001PC.jpg", "000002PC.jpg", "000003PC.jpg"});
    log.Open(1);
    log.logic->SlideBackward();
    EXPECT_EQ(log.RunShow(), QList<int>({2, 1, 0}));

    log.logic->SlideForward();
    EXPECT_EQ(log.RunShow(), QList<int>({0, 1, 2}));
    // ">>" again while it runs forward stops it; clicking a row stops it too.
    log.Open(1);
    log.logic->SlideForward();
    log.logic->SlideshowTick();
    EXPECT_EQ(log.logic->CurrentRow(), 0);
    log.logic->SlideForward();
    EXPECT_FALSE(log.logic->SlideshowRunning());
    log.logic->SlideBackward();
    log.logic->ShowSelectedImage();
    EXPECT_FALSE(log.logic->SlideshowRunning());

    // A picture deleted during the show is skipped; note view follows the show.
    log.Open(1);
    ASSERT_TRUE(QFile::remove(log.Cam(1) + "000002PC.jpg"));
    ASSERT_TRUE(QFile::remove(log.Cam(1) + "000001PC.txt"));
    log.logic->ToggleNotes();
    ASSERT_TRUE(log.logic->NoteView());
    log.logic->SlideBackward();
    EXPECT_EQ(log.RunShow(), QList<int>({2, 2, 0}));
    EXPECT_EQ(log.logic->NoteText(), "Log File Not found for\n" + log.Cam(1) + "000001PC.jpg");
}

TEST(PictureLog, NotesToggleSaveBackAndSayWhenThereIsNone) {
    Log log;
    log.AddPictures(1, {"000001PC.jpg"}, false);
    log.AddPictures(1, {"000002PC.jpg"});
    log.Open(1);
    log.logic->ToggleNotes();
    ASSERT_TRUE(log.logic->NoteView());
    log.logic->SetNoteText("edited\nsecond");
    log.logic->SaveClicked();
    EXPECT_EQ(ReadAll(log.Cam(1) + "000002PC.txt"), "edited\r\nsecond");
    log.logic->ToggleNotes();
    EXPECT_FALSE(log.logic->NoteView());

    log.logic->SelectRow(0);
    log.logic->ShowSelectedImage();
    log.logic->ToggleNotes();
    EXPECT_FALSE(log.logic->NoteView());
    EXPECT_EQ(log.messages, QStringList({"No Note File Found"}));
}

TEST(PictureLog, SaveWritesTheSelectedPictureUnderAJpgName) {
    Log log;
    log.AddPictures(1, {"000001PC.jpg"});
    log.Open(1);
    QString answer = log.dir.path() + "copy.png";
    log.logic->Hooks().AskSaveFileName = [&](const QString&, const QString&, const QString&) { return answer; };
    log.logic->SaveClicked();
    EXPECT_EQ(ReadAll(log.dir.path() + "copy.jpg"), ReadAll(log.Cam(1) + "000001PC.jpg"));
    EXPECT_FALSE(QFileInfo::exists(log.dir.path() + "copy.png"));
    answer = log.dir.path() + "missing/folder/x.jpg";
    log.logic->SaveClicked();
    ASSERT_EQ(log.messages.size(), 1);
    EXPECT_TRUE(log.messages.at(0).startsWith("The picture could not be saved as")) << log.messages.at(0).toStdString();
}

TEST(PictureLog, DeleteAsksFirstThenRemovesPicturesWithTheirNotesAndCountsFromOne) {
    Log log;
    log.AddPictures(1, {"000001PC.jpg", "000002PC.jpg", "000003PC.jpg"});
    log.Open(1);
    log.logic->SetSelection({0, 2}, 2);
    log.answer = false;
    log.logic->DeleteSelected();
    EXPECT_EQ(log.questions, QStringList({"Do you really want to Delete 2 files? "}));
    EXPECT_EQ(FilesIn(log.Cam(1)).size(), 6);

    log.answer = true;
    log.logic->DeleteSelected();
    EXPECT_EQ(log.progress, QStringList({"Please Wait", "Please Wait... 1 of 2", "Please Wait... 2 of 2"}));
    EXPECT_FALSE(log.logic->PleaseWaitVisible());
    EXPECT_EQ(FilesIn(log.Cam(1)), QStringList({"000002PC.jpg", "000002PC.txt"}));
    EXPECT_EQ(log.logic->Rows(), QStringList({"000002PC.jpg"}));

    // One row: the singular question; nothing selected: nothing asked.
    log.questions.clear();
    log.logic->DeleteSelected();
    EXPECT_EQ(log.questions, QStringList({"Do you really want to Delete this files? "}));
    EXPECT_TRUE(log.logic->Rows().isEmpty());
    log.logic->DeleteSelected();
    EXPECT_EQ(log.questions.size(), 1);

    // While an AVI is made nothing is deleted.
    log.AddPictures(1, {"000004PC.jpg"});
    log.Open(1);
    log.logic->Hooks().AviCreating = [] { return true; };
    log.logic->DeleteSelected();
    EXPECT_TRUE(QFileInfo::exists(log.Cam(1) + "000004PC.jpg"));
    EXPECT_EQ(log.messages.size(), 1);
}

TEST(PictureLog, PurgeTakesOnlyStationPicturesSetsAviReadyAndZeroesCounts) {
    Log log;
    log.settings.Record().AviReady2 = false;
    log.AddPictures(2, {"000001PC.jpg", "Image000002.JPG"});
    log.AddPictures(2, {"holiday.jpg"});
    log.Open(2);
    log.logic->Purge();
    EXPECT_EQ(log.questions, QStringList({"Do you really want to delete 2 files? "}));
    EXPECT_EQ(FilesIn(log.Cam(2)), QStringList({"holiday.jpg", "holiday.txt"}));
    EXPECT_EQ(log.logic->Rows(), QStringList({"holiday.jpg"}));
    EXPECT_EQ(log.countsReset, 1);
    EXPECT_TRUE(log.settings.Record().AviReady2);

    // Stored: a fresh store reads it back.
    SettingsStore again(platform::ProgramFolder(log.dir.path()), log.dir.file("torvek"), "/no-desktop");
    ASSERT_TRUE(again.LoadSettings());
    EXPECT_TRUE(again.Record().AviReady2);

    // Nothing of the station's left: no question, nothing changes.
    log.logic->Purge();
    EXPECT_EQ(log.questions.size(), 1);
    EXPECT_EQ(log.countsReset, 1);
}

TEST(PictureLog, EmailHandsAllRowsForOnePictureTheSelectionForUpToTenAndRefusesEleven) {
    Log log;
    QStringList names;
    for (int i = 1; i <= 12; ++i)
        names << QString("%1PC.jpg").arg(i, 6, 10, QChar('0'));
    // An empty log hands a text-only report.
    log.Open(1);
    log.logic->EmailSelected();
    EXPECT_EQ(log.mailed, QStringList({"single", "-1", "", "", "1"}));

    log.AddPictures(1, names, false);
    log.Open(1);
    log.logic->SetSelection({3}, 3);
    log.logic->EmailSelected();
    EXPECT_EQ(log.mailed, QStringList({"single", "3", names.join(","), "000004PC.jpg", "1"}));

    log.logic->SetSelection({1, 5, 7}, 5);
    log.logic->EmailSelected();
    EXPECT_EQ(log.mailed, QStringList({"list", "1", "000002PC.jpg,000006PC.jpg,000008PC.jpg", "000006PC.jpg", "1"}));

    log.mailed.clear();
    log.logic->SetSelection({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0);
    log.logic->EmailSelected();
    EXPECT_TRUE(log.mailed.isEmpty());
    EXPECT_EQ(log.messages, QStringList({"Too many images. You are only allowed to email 10 or less"}));
}

TEST(PictureLog, UploadAsksThenHandsEachExistingSelectedPicture) {
    Log log;
    log.AddPictures(1, {"000001PC.jpg", "000002PC.jpg", "000003PC.jpg", "000004PC.jpg"});
    log.Open(1);
    log.logic->SetSelection({0, 1, 3}, 0);
    ASSERT_TRUE(QFile::remove(log.Cam(1) + "000002PC.jpg"));
    log.logic->UploadSelected();
    EXPECT_EQ(log.questions, QStringList({"Do you really want to Upload 3 files? "}));
    EXPECT_EQ(log.uploads, QStringList({log.Cam(1) + "000001PC.jpg>000001PC.jpg", log.Cam(1) + "000004PC.jpg>000004PC.jpg"}));
    log.uploads.clear();
    log.answer = false;
    log.logic->SetSelection({2}, 2);
    log.logic->UploadSelected();
    EXPECT_EQ(log.questions.last(), "Do you really want to Ipload this files? ");
    EXPECT_TRUE(log.uploads.isEmpty());
}

TEST(PictureLog, RotateBitmap90TurnsAQuarterClockwise) {
    QImage old(3, 2, QImage::Format_RGB888);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            old.setPixel(x, y, qRgb(x * 50, y * 100, 7));
    const QImage turned = RotateBitmap90(old);
    ASSERT_EQ(turned.size(), QSize(2, 3));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(turned.pixel(2 - 1 - y, x), old.pixel(x, y)) << x << "," << y;
    EXPECT_TRUE(RotateBitmap90(QImage()).isNull());
}

TEST(PictureLog, RotateRewritesTheSamePictureAndLeavesNothingBeside) {
    Log log;
    log.AddPictures(1, {"000001PC.jpg", "000002PC.jpg"});
    ASSERT_TRUE(WriteAll(log.Cam(1) + "000003PC.jpg", QByteArray(300, 'x')));
    const QStringList before = FilesIn(log.Cam(1));
    log.Open(1);
    log.logic->SetSelection({1, 2}, 1);
    log.logic->RotateSelected();
    EXPECT_EQ(log.questions, QStringList({"Do you really want to Rotate 2 files? "}));
    EXPECT_EQ(FilesIn(log.Cam(1)), before);
    QImage turned;
    ASSERT_TRUE(platform::LoadJpeg(log.Cam(1) + "000002PC.jpg", &turned));
    EXPECT_EQ(turned.size(), QSize(24, 32));
    ASSERT_TRUE(platform::LoadJpeg(log.Cam(1) + "000001PC.jpg", &turned));
    EXPECT_EQ(turned.size(), QSize(32, 24));
    // The damaged picture is told and left as it was.
    EXPECT_EQ(ReadAll(log.Cam(1) + "000003PC.jpg"), QByteArray(300, 'x'));
    ASSERT_EQ(log.messages.size(), 1);
    EXPECT_TRUE(log.messages.at(0).contains("000003PC.jpg")) << log.messages.at(0).toStdString();
    EXPECT_EQ(log.logic->Picture().size(), QSize(24, 32));
}

TEST(PictureLog, SettingsSliderStopsAtFreeSpaceAnd32767AndSaveStoresFolderAndThreshold) {
    Log log;
    log.settings.Record().RecycleThresholdMB = 500;
    log.freeMB = 40000;
    log.Open(1);
    log.logic->OpenSettings();
    EXPECT_EQ(log.logic->TrackMax(), 32767);
    EXPECT_EQ(log.logic->TrackPosition(), 500);
    log.logic->SetTrackPosition(40000);
    EXPECT_EQ(log.logic->TrackPosition(), 32767);
    // Cancel keeps what was stored.
    log.logic->SettingsCancel();
    EXPECT_EQ(log.settings.Record().RecycleThresholdMB, 500);

    // Less free than the threshold: the slider shows what will be stored.
    log.freeMB = 300;
    log.logic->OpenSettings();
    EXPECT_EQ(log.logic->TrackMax(), 300);
    EXPECT_EQ(log.logic->TrackPosition(), 300);
    log.logic->SetTrackPosition(120);
    const QString other = log.dir.path() + "elsewhere";
    ASSERT_TRUE(QDir().mkpath(other));
    ASSERT_TRUE(WriteAll(other + "/000009PC.jpg", Jpeg()));
    log.logic->SettingsSave(other);
    EXPECT_EQ(log.settings.CameraFolder(1), other + "/");
    EXPECT_EQ(log.settings.Record().RecycleThresholdMB, 120);
    EXPECT_EQ(log.logic->Rows(), QStringList({"000009PC.jpg"}));
    SettingsStore again(platform::ProgramFolder(log.dir.path()), log.dir.file("torvek"), "/no-desktop");
    ASSERT_TRUE(again.LoadSettings());
    EXPECT_EQ(again.Record().RecycleThresholdMB, 120);
    EXPECT_EQ(again.Record().Cam1Folder, other + "/");

    // A folder the settings file cannot hold is refused and nothing changes.
    const QString unstorable = log.dir.path() + QString::fromUtf8("\u0444\u043e\u0442\u043e");
    ASSERT_TRUE(QDir().mkpath(unstorable));
    log.logic->OpenSettings();
    log.logic->SettingsSave(unstorable);
    EXPECT_TRUE(log.logic->SettingsVisible());
    EXPECT_EQ(log.settings.Record().Cam1Folder, other + "/");
    EXPECT_EQ(log.messages.size(), 1);

    // The history log stores no folder.
    log.Open(3);
    log.logic->OpenSettings();
    log.logic->SettingsSave(other);
    EXPECT_EQ(log.settings.Record().Cam2Folder, log.Cam(2));
}
