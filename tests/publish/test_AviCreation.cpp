#include "core/MessageBox.h"
#include "platform/Jpeg.h"
#include "publish/AviPanelLogic.h"
#include "support/AviReadback.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace TestSupport;
using platform::AviCodec;

namespace {

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// A program folder with a camera folder of numbered pictures and a panel logic whose
// questions are answered by the test.
class AviCreationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(dir.path()).mkdir("cam2"));
        SetMessageBoxHandler([this](const QString& text) { messages << text; });
        logic = std::make_unique<AviPanelLogic>(Hooks());
        QObject::connect(logic.get(), &AviPanelLogic::StatusChanged,
                         [this](const QString& text) { statuses << text; });
    }
    void TearDown() override {
        logic.reset();
        SetMessageBoxHandler([](const QString& text) {
            std::fprintf(stderr, "[message box] %s\n", qPrintable(text));
        });
    }

    QString Folder() const { return dir.path() + "cam2/"; }

    void AddPictures(int count, int width = 64, int height = 48) {
        for (int i = 0; i < count; ++i) {
            const QString name = QStringLiteral("%1.jpg").arg(rows.size() + 1, 6, 10, QLatin1Char('0'));
            ASSERT_TRUE(WritePatternJpeg(Folder() + name, width, height, int(rows.size())));
            rows << name;
        }
    }

    AviPanelHooks Hooks() {
        AviPanelHooks h;
        h.Rows = [this] { return rows; };
        h.SelectedRows = [this] { return selected; };
        h.Folder = [this] { return Folder(); };
        h.AskYesNo = [this](const QString& q) {
            questions << q;
            return answerYes;
        };
        h.AskSaveFileName = [this] { return saveName; };
        h.AskOpenFileName = [this] { return openName; };
        h.UseCompression = [this] { return useCompression; };
        h.AskCompression = [this] { return compression; };
        h.PlayFile = [this](const QString& path) { played << path; };
        h.HideSettingsPanel = [this] { ++settingsHidden; };
        h.FocusList = [this] { ++listFocused; };
        h.AviReady = [this] { return aviReady; };
        return h;
    }

    // Runs "&Create" to its end.
    bool Create() {
        logic->CreateAviFromPictures();
        return WaitFor([this] { return !logic->IsCreating(); }, 60000);
    }

    TempProgramFolder dir;
    std::unique_ptr<AviPanelLogic> logic;
    QStringList rows;
    QList<int> selected;
    bool answerYes = true;
    QString saveName;
    QString openName;
    bool useCompression = false;
    std::optional<AviCompressionChoice> compression;
    bool aviReady = true;
    QStringList questions, messages, statuses, played;
    int settingsHidden = 0;
    int listFocused = 0;
};

} // namespace

TEST_F(AviCreationTest, TwoSelectedOfFiftyGiveTwoFramesAndNothingElseIsWrittenOrDeleted) {
    AddPictures(50);
    ASSERT_TRUE(WriteAll(Folder() + "000007.BMP", "an old bitmap left by a rotation"));
    const QStringList before = FilesIn(Folder());
    selected = {30, 4};
    saveName = dir.file("clip");
    ASSERT_TRUE(Create());

    EXPECT_TRUE(questions.isEmpty());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(logic->StatusText(), "Loaded File:" + dir.file("clip.avi"));
    EXPECT_EQ(logic->CurrentAvi(), dir.file("clip.avi"));
    EXPECT_EQ(FilesIn(Folder()), before);
    EXPECT_EQ(ReadAll(Folder() + "000007.BMP"), "an old bitmap left by a rotation");
    EXPECT_EQ(FilesIn(dir.path()), QStringList{"clip.avi"});

    // Frames in list order: row 4, then row 30.
    QList<QImage> frames;
    QString why;
    ASSERT_TRUE(DecodeFrames(dir.file("clip.avi"), &frames, &why)) << why.toStdString();
    ASSERT_EQ(frames.size(), 2);
    for (int i = 0; i < 2; ++i) {
        QImage picture;
        ASSERT_TRUE(platform::LoadJpeg(Folder() + rows[i == 0 ? 4 : 30], &picture));
        EXPECT_EQ(frames[i], picture) << i;
    }
}

TEST_F(AviCreationTest, FewerThanTwoSelectedAsksAndTakesAllRows) {
    AddPictures(30);
    selected = {3};
    saveName = dir.file("CLIP.AVI");
    ASSERT_TRUE(Create());
    EXPECT_EQ(questions,
              QStringList{"Do you really want to create an AVI file from all the captured images?"});
    EXPECT_EQ(logic->CurrentAvi(), dir.file("CLIP.AVI"));

    // The stages report in order, then the file is named.
    const auto at = [this](const QString& text) { return statuses.indexOf(text); };
    EXPECT_LT(at("Preparing JPEGS please wait... 100% "), at("Making AVI file please wait... 0% "));
    EXPECT_LT(at("Making AVI file please wait... 100% "), at("Final stage please wait...  0%          "));
    EXPECT_EQ(statuses.last(), "Loaded File:" + dir.file("CLIP.AVI"));

    // Answering No, or fewer than two rows, does nothing.
    statuses.clear();
    answerYes = false;
    saveName = dir.file("other");
    ASSERT_TRUE(Create());
    rows = rows.mid(0, 1);
    answerYes = true;
    ASSERT_TRUE(Create());
    EXPECT_TRUE(statuses.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.file("other.avi")));
}

TEST_F(AviCreationTest, PicturesOfAnotherSizeOrUnreadableAreLeftOutAndOneFrameIsAHundredPercent) {
    AddPictures(1, 64, 48);
    AddPictures(1, 80, 48);
    ASSERT_TRUE(WriteAll(Folder() + "000003.jpg", "not a picture"));
    rows << "000003.jpg   "; // rows may carry trailing blanks
    saveName = dir.file("one");
    ASSERT_TRUE(Create());
    EXPECT_EQ(logic->StatusText(), "Loaded File:" + dir.file("one.avi") +
                                       "  1 picture of another size was left out, "
                                       "1 picture could not be read");
    QList<QImage> frames;
    QString why;
    ASSERT_TRUE(DecodeFrames(dir.file("one.avi"), &frames, &why)) << why.toStdString();
    EXPECT_EQ(frames.size(), 1);

    // Only one picture left for the frame loop: it is at 100 % at once.
    statuses.clear();
    rows = QStringList{rows[0], "000009.jpg"};
    saveName = dir.file("single");
    ASSERT_TRUE(Create());
    EXPECT_TRUE(statuses.contains("Making AVI file please wait... 100% "));
    EXPECT_FALSE(statuses.contains("Making AVI file please wait... 0% "));
    EXPECT_EQ(statuses.last(), "Loaded File:" + dir.file("single.avi"));
    EXPECT_EQ(AviCreation::Percent(0, 0), 100);
}

TEST_F(AviCreationTest, SizeLimitEndsWithAValidFileOfTheFramesSoFarAndSaysSo) {
    AddPictures(10, 16, 16);
    saveName = dir.file("full.avi");
    // Header, three frames of 776 bytes with their index entries, and some room to spare.
    logic->SetSizeLimit(224 + 3 * 776 + 8 + 3 * 16 + 100);
    ASSERT_TRUE(Create());
    EXPECT_EQ(messages,
              QStringList{"The AVI file reached its 2 GB limit: 3 of 10 pictures were written."});
    EXPECT_EQ(logic->CurrentAvi(), dir.file("full.avi"));
}

TEST_F(AviCreationTest, FailedCreationSaysSoKeepsTheOlderFileAndTheCurrentAvi) {
    AddPictures(2);
    saveName = dir.file("first.avi");
    ASSERT_TRUE(Create());
    ASSERT_EQ(logic->CurrentAvi(), dir.file("first.avi"));

    // No picture can be read any more: nothing to write.
    ASSERT_TRUE(WriteAll(dir.file("keep.avi"), "an older film"));
    for (const QString& row : rows)
        ASSERT_TRUE(WriteAll(Folder() + row, "damaged"));
    saveName = dir.file("keep.avi");
    ASSERT_TRUE(Create());
    EXPECT_EQ(messages, QStringList{"Error during Write AVI File"});
    EXPECT_EQ(logic->StatusText(), "Error during Write AVI File  2 pictures could not be read");
    EXPECT_EQ(logic->CurrentAvi(), dir.file("first.avi"));
    EXPECT_FALSE(logic->PanelVisible());
    EXPECT_EQ(ReadAll(dir.file("keep.avi")), "an older film");

    // The target's folder is missing.
    AddPictures(2);
    messages.clear();
    saveName = dir.file("gone/x.avi");
    ASSERT_TRUE(Create());
    EXPECT_EQ(messages, QStringList{"Error during Write AVI File"});
    EXPECT_EQ(logic->CurrentAvi(), dir.file("first.avi"));
    EXPECT_EQ(FilesIn(dir.path()), (QStringList{"first.avi", "keep.avi"}));
}

TEST_F(AviCreationTest, CompressionChoiceGivesMotionJpegAndCancelWritesNothing) {
    AddPictures(3);
    useCompression = true;
    saveName = dir.file("cancelled");
    compression.reset();
    logic->CreateAviFromPictures();
    EXPECT_FALSE(logic->IsCreating());
    EXPECT_EQ(logic->StatusText(), "New AVI");
    EXPECT_TRUE(FilesIn(dir.path()).isEmpty());

    // "Full frames" from the dialog, and the box unticked, both give DIB.
    const struct {
        bool ticked;
        AviCodec codec;
        const char* fourcc;
    } cases[] = {{true, AviCodec::MotionJpeg, "MJPG"}, {true, AviCodec::Dib, "DIB "}, {false, AviCodec::Dib, "DIB "}};
    for (const auto& c : cases) {
        useCompression = c.ticked;
        compression = AviCompressionChoice{c.codec, 75};
        saveName = dir.file("made");
        ASSERT_TRUE(Create());
        const QByteArray bytes = ReadAll(dir.file("made.avi"));
        RiffChunk root;
        QString why;
        ASSERT_TRUE(ParseRiff(bytes, &root, &why)) << why.toStdString();
        ASSERT_TRUE(root.Find("strh"));
        EXPECT_EQ(bytes.mid(root.Find("strh")->DataOffset() + 4, 4), c.fourcc);
    }
}

TEST_F(AviCreationTest, PanelOpenPlayAndClose) {
    EXPECT_EQ(AviPanelLogic::SaveNameWithExtension("clip"), "clip.avi");
    EXPECT_EQ(AviPanelLogic::SaveNameWithExtension("CLIP.AVI"), "CLIP.AVI");
    EXPECT_EQ(AviPanelLogic::SaveNameWithExtension("clip.avi.bak"), "clip.avi.bak.avi");
    EXPECT_EQ(AviPanelLogic::OpenNameWithExtension("clip"), "clip.avi");
    EXPECT_EQ(AviPanelLogic::OpenNameWithExtension("my.avi.old"), "my.avi.old");
    EXPECT_EQ(AviPanelLogic::OpenNameWithExtension("CLIP.AVI"), "CLIP.AVI.avi");

    logic->OpenAviPanel();
    EXPECT_EQ(settingsHidden, 1);
    EXPECT_TRUE(logic->PanelVisible());

    // Open: ".avi" is added; an existing file is played and becomes current.
    ASSERT_TRUE(WriteAll(dir.file("film.avi"), "x"));
    openName = dir.file("film");
    logic->OpenClicked();
    EXPECT_EQ(played, QStringList{dir.file("film.avi")});
    EXPECT_EQ(logic->CurrentAvi(), dir.file("film.avi"));
    logic->PlayClicked();
    EXPECT_EQ(played, (QStringList{dir.file("film.avi"), dir.file("film.avi")}));
    EXPECT_TRUE(logic->PanelVisible());

    // A name that does not exist becomes current but is not played; an empty answer changes nothing.
    openName = dir.file("missing.avi");
    logic->OpenClicked();
    EXPECT_EQ(logic->CurrentAvi(), dir.file("missing.avi"));
    logic->PlayClicked();
    EXPECT_EQ(played.size(), 2);
    openName.clear();
    logic->OpenClicked();
    EXPECT_EQ(logic->CurrentAvi(), dir.file("missing.avi"));

    logic->CloseClicked();
    EXPECT_FALSE(logic->PanelVisible());
    EXPECT_EQ(listFocused, 1);
}

TEST_F(AviCreationTest, TheMenuRefusesAfterAPictureSizeChange) {
    AddPictures(2);
    aviReady = false;
    saveName = dir.file("refused");
    logic->CreateAviFromMenu();
    EXPECT_EQ(messages,
              QStringList{"You changed image size in settings. Purge and start again to make an AVI."});
    EXPECT_FALSE(logic->PanelVisible());
    aviReady = true;
    logic->CreateAviFromMenu();
    EXPECT_TRUE(logic->PanelVisible());
    ASSERT_TRUE(WaitFor([this] { return !logic->IsCreating(); }, 60000));
    EXPECT_EQ(logic->CurrentAvi(), dir.file("refused.avi"));
}

TEST_F(AviCreationTest, ClosingWhileAFileIsMadeStopsTheWorkerAndKeepsTheOlderFile) {
    AddPictures(120, 320, 240); // far more work than the two steps below take
    ASSERT_TRUE(WriteAll(dir.file("busy.avi"), "an older film"));
    saveName = dir.file("busy.avi");
    logic->CreateAviFromPictures();
    EXPECT_TRUE(logic->IsCreating());
    logic->CreateAviFromPictures(); // a second one is not started meanwhile
    logic.reset();                  // the window goes: the worker stops and is joined
    EXPECT_EQ(ReadAll(dir.file("busy.avi")), "an older film");
    EXPECT_EQ(FilesIn(dir.path()), (QStringList{"busy.avi"}));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}
