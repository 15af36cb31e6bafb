// Snapshots of the magnifier frames: the history folder, the shared counter, quality 90, and
// no earlier picture ever replaced.
#include "core/HistorySnapshot.h"

#include "core/PictureStore.h"
#include "core/SettingsStore.h"
#include "platform/Jpeg.h"
#include "support/SmallDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using TestSupport::ReadAll;
using TestSupport::WriteAll;

namespace {

QImage Frame(int width = 160, int height = 120) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 3 % 256, y * 5 % 256, (x + y) % 256));
    return image;
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

class HistorySnapshotTest : public ::testing::Test {
protected:
    TestSupport::TempProgramFolder dir;
    SettingsStore settings{platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop"};
    std::unique_ptr<PictureStore> pictures;
    QString history = dir.path() + "history/";
    HistorySnapshots snapshots{[this] { return history; }, [this] { return pictures->NextPictureFileName(); }};
    TestSupport::MessageLog messages;

    void SetUp() override {
        settings.FirstRunInit();
        pictures = std::make_unique<PictureStore>(settings);
        pictures->SetPictureNamePrefix("OFFICEPC");
    }

    QByteArray Counter() const { return ReadAll(dir.file("cam1/counter.txt")); }
};

} // namespace

TEST_F(HistorySnapshotTest, MissingHistoryFolderIsMadeAndTheNextCounterNameSavedAtQuality90) {
    ASSERT_TRUE(WriteAll(dir.file("cam1/counter.txt"), "000041\r\n"));
    ASSERT_FALSE(QDir(history).exists());
    const QImage frame = Frame();

    EXPECT_TRUE(snapshots.Take(frame));
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
    EXPECT_EQ(FilesIn(history), QStringList{"000042OFFICE.jpg"});
    EXPECT_EQ(Counter(), "000042\r\n");
    // Nothing in the camera folders: no note, no picture there.
    EXPECT_EQ(FilesIn(dir.file("cam1")), QStringList{"counter.txt"});

    QImage decoded;
    ASSERT_TRUE(platform::LoadJpeg(history + "000042OFFICE.jpg", &decoded));
    EXPECT_EQ(decoded.size(), frame.size());
    QByteArray at90;
    ASSERT_TRUE(platform::EncodeJpeg(frame, 90, &at90));
    EXPECT_EQ(ReadAll(history + "000042OFFICE.jpg"), at90);

    // The next one takes the next number.
    EXPECT_TRUE(snapshots.Take(frame));
    EXPECT_EQ(FilesIn(history), (QStringList{"000042OFFICE.jpg", "000043OFFICE.jpg"}));
}

TEST_F(HistorySnapshotTest, AnEarlierSnapshotIsNeverReplacedAfterTheCounterWasLost) {
    ASSERT_TRUE(QDir().mkpath(history));
    for (const char* name : {"000001OFFICE.jpg", "000002OFFICE.jpg", "000004OFFICE.jpg"})
        ASSERT_TRUE(WriteAll(history + name, QByteArray("earlier ") + name));
    QFile::remove(dir.file("cam1/counter.txt"));

    ASSERT_TRUE(snapshots.Take(Frame()));
    EXPECT_EQ(FilesIn(history),
              (QStringList{"000001OFFICE.jpg", "000002OFFICE.jpg", "000003OFFICE.jpg", "000004OFFICE.jpg"}));
    EXPECT_EQ(ReadAll(history + "000001OFFICE.jpg"), "earlier 000001OFFICE.jpg");
    EXPECT_EQ(ReadAll(history + "000002OFFICE.jpg"), "earlier 000002OFFICE.jpg");
    EXPECT_EQ(Counter(), "000003\r\n");
    ASSERT_TRUE(snapshots.Take(Frame()));
    EXPECT_EQ(ReadAll(history + "000004OFFICE.jpg"), "earlier 000004OFFICE.jpg");
    EXPECT_TRUE(QFile::exists(history + "000005OFFICE.jpg"));
    EXPECT_EQ(Counter(), "000005\r\n");
}

TEST_F(HistorySnapshotTest, FailuresAreSaidOnceAndLeaveNothingBehind) {
    // No picture: nothing counted.
    ASSERT_TRUE(WriteAll(dir.file("cam1/counter.txt"), "000007\r\n"));
    EXPECT_FALSE(snapshots.Take(QImage()));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("no picture")) << messages[0].toStdString();
    EXPECT_EQ(Counter(), "000007\r\n");

    // The folder cannot be made: a file holds its name.
    messages.clear();
    ASSERT_TRUE(WriteAll(dir.file("history"), "not a folder"));
    history = dir.file("history/");
    EXPECT_FALSE(snapshots.Take(Frame()));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("history")) << messages[0].toStdString();
    EXPECT_EQ(Counter(), "000007\r\n");

    // A full disk: the picture does not fit; no part of it is left.
    messages.clear();
    history = dir.path() + "history2/";
    {
        TestSupport::FileSizeLimit limit(2000);
        EXPECT_FALSE(snapshots.Take(Frame(640, 480)));
    }
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(FilesIn(history), QStringList());

    // A counter that cannot move (its file is a folder) and a name already taken: the walk
    // stops with a message instead of running on.
    messages.clear();
    ASSERT_TRUE(QFile::remove(dir.file("cam1/counter.txt")));
    ASSERT_TRUE(QDir().mkpath(dir.file("cam1/counter.txt")));
    ASSERT_TRUE(WriteAll(history + "000001OFFICE.jpg", "earlier"));
    EXPECT_FALSE(snapshots.Take(Frame()));
    QCoreApplication::sendPostedEvents(); // the counter's own report comes posted
    EXPECT_EQ(ReadAll(history + "000001OFFICE.jpg"), "earlier");
    EXPECT_EQ(FilesIn(history), QStringList{"000001OFFICE.jpg"});
    EXPECT_TRUE(messages.filter("history folder").size() == 1) << messages.join("; ").toStdString();
}
