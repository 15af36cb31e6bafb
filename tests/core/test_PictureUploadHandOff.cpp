// The picture store hands a saved picture over for upload only once the save has returned,
// so a server that is slow to answer never holds up the saving of the next pictures; each
// camera keeps one picture waiting, so both cameras' pictures of one turn are sent.
#include "core/PictureStore.h"
#include "core/SettingsStore.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

// An FTP side whose upload runs a nested event loop, as the real one does while its
// transfer is in flight, and runs `whileSending` inside it.
struct SlowFtp : PictureUploadTarget {
    bool busy = false;
    QStringList sent;
    std::function<void()> whileSending;

    bool TransferBusy() const override { return busy; }
    bool IsGalleryConnected() const override { return false; }
    void UploadPictureToGallery(const QString&, const QString&) override {}
    bool IsFtpConnected() const override { return true; }
    bool IsFtpBusy() const override { return busy; }
    FtpExportChoices ExportChoices() const override { return {false, true, false, "", "", 20}; }
    void FtpUploadCapturedImage(const QString&, const QString& remote, int) override {
        sent << remote;
        busy = true;
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&] {
            if (whileSending)
                whileSending();
            loop.quit();
        });
        loop.exec();
        busy = false;
    }
};

QImage Frame() {
    QImage image(64, 48, QImage::Format_RGB888);
    image.fill(Qt::darkGreen);
    return image;
}

} // namespace

TEST(PictureUploadHandOff, SavesReturnFirstThenEachCameraPostsItsWaitingPictureInTurn) {
    TestSupport::MessageLog messages;
    TestSupport::TempProgramFolder dir;
    SettingsStore settings(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop");
    settings.FirstRunInit();
    SlowFtp ftp;
    {
        PictureStore store(settings);
        store.SetPictureNamePrefix("OFFICEPC");
        store.SetUploadTarget(&ftp);

        // One turn saves camera 1 twice and camera 2 once. Nothing is sent before the saves
        // return; then each camera's waiting picture, in the order saved. Camera 1's second
        // picture came while its own upload still waited.
        ASSERT_TRUE(store.SaveMotionPicture(Frame(), 1));
        ASSERT_TRUE(store.SaveMotionPicture(Frame(), 1));
        ASSERT_TRUE(store.SaveMotionPicture(Frame(), 2));
        EXPECT_TRUE(ftp.sent.isEmpty());
        // While an upload is in flight the station saves on; those pictures are skipped.
        int savedDuring = 0;
        ftp.whileSending = [&] {
            for (int i = 0; i < 3; ++i)
                savedDuring += store.SaveMotionPicture(Frame(), 2);
            QCoreApplication::sendPostedEvents();
        };
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(savedDuring, 6);
        EXPECT_EQ(ftp.sent, QStringList({"000001OFFICE.jpg", "000003OFFICE.jpg"}));
        EXPECT_EQ(store.PictureCount(2), 7);

        // The next save after the uploads have ended is sent again.
        ftp.whileSending = {};
        ASSERT_TRUE(store.SaveMotionPicture(Frame(), 1));
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(ftp.sent.last(), "000010OFFICE.jpg");

        // Hand-offs still waiting when the store goes send nothing.
        ASSERT_TRUE(store.SaveMotionPicture(Frame(), 1));
        ASSERT_TRUE(store.SaveMotionPicture(Frame(), 2));
    }
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(ftp.sent.size(), 3);

    // A store that goes while its first upload runs sends nothing more.
    auto store = std::make_unique<PictureStore>(settings);
    store->SetUploadTarget(&ftp);
    ASSERT_TRUE(store->SaveMotionPicture(Frame(), 1));
    ASSERT_TRUE(store->SaveMotionPicture(Frame(), 2));
    ftp.whileSending = [&] { store.reset(); };
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(ftp.sent.size(), 4);
    EXPECT_FALSE(store);
}
