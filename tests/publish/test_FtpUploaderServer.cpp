// The FTP uploader with the real session against a pyftpdlib server the test starts.
#include "publish/FtpUploader.h"

#include "FtpServerStation.h"
#include "core/PictureNames.h"
#include "publish/ImageLogPage.h"

#include <gtest/gtest.h>

using TestSupport::ReadAll;
using TestSupport::WriteAll;

namespace {

struct Station : FtpServerStation {
    using FtpServerStation::FtpServerStation;
    // A picture with its note in the camera folder, as the picture store leaves them.
    QString Picture(int number) {
        const QString name = QString("%1HOST.jpg").arg(number, 6, 10, QChar('0'));
        const QString path = dir.file(name);
        WriteAll(path, "picture " + QByteArray::number(number));
        WriteAll(dir.file(NoteFileNameFor(name)), "N.o. " + QByteArray::number(number) + "\r\nSite Location Office\r\n");
        return path;
    }
};

} // namespace

TEST(FtpUploaderServer, RecycleKeepsThreePicturesAndThePageOnTheServer) {
    Station st;
    ASSERT_TRUE(st.started) << st.server.Output().toStdString();
    st.settings.Record().FtpMaxImages = 3;
    st.settings.Record().SiteLocation = "Office";
    FtpForm& form = st.ftp->Form();
    form.exportMode = FtpExportMode::Recycle;
    form.createWebPage = true;
    form.dialUp = true; // the page waits before it goes
    st.Connect();
    int ring = 0;
    for (int n = 1; n <= 4; ++n) {
        ring = NextFtpRingPosition(ring, 3);
        ASSERT_EQ(st.ftp->FtpUploadCapturedImage(st.Picture(n), FtpRingRemoteName("netcam1", ring), 1),
                  FtpUploadResult::Sent)
            << st.ftp->Log().Rows().join("\n").toStdString();
        st.Settle();
    }
    EXPECT_EQ(QDir(st.home).entryList(QDir::Files, QDir::Name),
              QStringList({"imagelog.htm", "netcam100001.jpg", "netcam100002.jpg", "netcam100003.jpg"}));
    EXPECT_EQ(ReadAll(st.home + "/netcam100001.jpg"), "picture 4");
    EXPECT_EQ(st.pauses, QList<int>({500, 500, 500, 500}));
    // The page on the server is the one the log lists (its layout is the page builder's test).
    const QByteArray page = ReadAll(st.home + "/imagelog.htm");
    EXPECT_EQ(st.ftp->ImageLog().target,
              QStringList({"netcam100002.jpg", "netcam100003.jpg", "netcam100001.jpg"}));
    EXPECT_EQ(page, BuildImageLogPage(st.ftp->ImageLog(), "Office"));
    EXPECT_TRUE(page.contains("N.o. 4<BR>")) << page.constData();
    EXPECT_FALSE(TransferBusy::IsBusy());

    // A picture that does not reach the server is not listed and brings no new page.
    EXPECT_EQ(st.ftp->FtpUploadCapturedImage(st.dir.file("gone.jpg"), "netcam100002.jpg", 1),
              FtpUploadResult::Failed);
    EXPECT_TRUE(st.ftp->Log().Rows().last().startsWith("Upload failed: netcam100002.jpg: Cannot read"));
    EXPECT_EQ(st.ftp->ImageLog().target, QStringList({"netcam100002.jpg", "netcam100003.jpg", "netcam100001.jpg"}));
    EXPECT_EQ(ReadAll(st.home + "/imagelog.htm"), page);
    EXPECT_TRUE(st.ftp->UploadPauseTimer().Enabled());
    EXPECT_TRUE(st.boxes.isEmpty());
}

TEST(FtpUploaderServer, AbortedUploadFreesTheStationAndDeleteWaitsItsTurn) {
    Station st({"--throttle", "40000"});
    ASSERT_TRUE(st.started);
    st.Connect();
    ASSERT_TRUE(WriteAll(st.dir.file("big.jpg"), QByteArray(2000000, 'x')));
    ASSERT_TRUE(WriteAll(st.home + "/old.jpg", "old"));
    ASSERT_TRUE(st.ftp->ChangeDirAndList("/").ok);
    ASSERT_EQ(st.ftp->ListingEntries().size(), 1);
    st.Settle();
    bool busyDuring = false;
    QObject::connect(&st.session, &platform::FtpClient::TransferProgress, st.ftp.get(), [&](qint64 bytes) {
        if (bytes <= 0 || busyDuring)
            return;
        busyDuring = TransferBusy::IsBusy() && st.ftp->AbortButtonVisible();
        st.ftp->DeleteListingRow(0); // refused while the upload runs
        st.ftp->AbortButtonClick();
    });
    EXPECT_EQ(st.ftp->FtpUploadFile(st.dir.file("big.jpg"), "big.jpg"), FtpUploadResult::Failed);
    EXPECT_TRUE(busyDuring);
    EXPECT_FALSE(TransferBusy::IsBusy());
    EXPECT_FALSE(st.ftp->AbortButtonVisible());
    EXPECT_FALSE(st.ftp->UploadPauseTimer().Enabled());
    EXPECT_TRUE(QFileInfo::exists(st.home + "/old.jpg"));
    EXPECT_TRUE(st.ftp->Log().Rows().contains("Delete failed: old.jpg: another FTP command is still running"));
    EXPECT_TRUE(st.ftp->Log().Rows().contains("Upload failed: big.jpg: aborted"));
    EXPECT_TRUE(st.boxes.isEmpty());
    const platform::FtpResult listed = st.ftp->ChangeDirAndList("/");
    EXPECT_TRUE(listed.ok) << listed.error.toStdString();
}
