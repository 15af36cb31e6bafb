// The FTP window tried as a new user would: the station's own settings (active mode),
// surveillance running, the server typed in and Connect clicked; the listing comes by the
// window's own timers from a pyftpdlib server the test starts.
#include "publish/TFTPMainForm.h"

#include "FtpServerStation.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

using TestSupport::WaitFor;
using TestSupport::WriteAll;

namespace {

struct NewUser : FtpServerStation {
    NewUser() : FtpServerStation({}, 5) {
        QDir().mkpath(home + "/pics");
        WriteAll(home + "/a.jpg", "picture a");
        WriteAll(home + "/pics/b.jpg", "picture b");
        ftp->Hooks().motionTimerEnabled = [this] { return motionRuns; };
        ftp->Hooks().timeLapseTimerEnabled = [] { return false; };
        window = std::make_unique<TFTPMainForm>(*ftp, [] {});
        ftp->LoadFtpSettings(); // what the station's FTP button does before it shows the window
        window->show();
    }
    ~NewUser() override { window.reset(); }

    void TypeAndConnect() {
        for (QLineEdit* edit : {window->FtpServerEdit, window->UserIDEdit, window->PasswordEdit})
            edit->clear();
        QTest::keyClicks(window->FtpServerEdit, QString("127.0.0.1:%1").arg(server.Port()));
        QTest::keyClicks(window->UserIDEdit, "bob");
        QTest::keyClicks(window->PasswordEdit, "pw");
        window->ConnectButton->click();
    }
    QStringList Names() const {
        QStringList names;
        for (int i = 0; i < window->DirectoryListBox->topLevelItemCount(); ++i)
            names << window->DirectoryListBox->topLevelItem(i)->text(0);
        names.sort();
        return names;
    }
    bool Lists(const QStringList& names) const {
        return WaitFor([&] { return Names() == names; });
    }

    bool motionRuns = true;
    std::unique_ptr<TFTPMainForm> window;
};

} // namespace

TEST(FtpWindowListing, ConnectListsTheFolderWhileSurveillanceRunsAndAgainWithASavedRootFolder) {
    NewUser user;
    ASSERT_TRUE(user.started);
    ASSERT_FALSE(user.settings.Record().FtpPassive);
    user.TypeAndConnect();
    ASSERT_TRUE(user.ftp->IsFtpConnected()) << user.ftp->Log().Rows().join("\n").toStdString();
    EXPECT_TRUE(user.Lists({"a.jpg", "pics"})) << user.ftp->Log().Rows().join("\n").toStdString();
    EXPECT_EQ(user.window->CurrentDirEdit->text(), "/");

    // Enter in a field never ends the connection.
    QTest::keyClick(user.window->PasswordEdit, Qt::Key_Return);
    EXPECT_TRUE(user.ftp->IsFtpConnected());
    EXPECT_EQ(user.window->ConnectButton->text(), "Disconnect");

    // "<<" keeps the folder the pictures go to while surveillance runs, and says so.
    emit user.window->DirectoryListBox->itemDoubleClicked(user.window->DirectoryListBox->findItems("pics", Qt::MatchExactly).value(0), 0);
    ASSERT_EQ(user.window->CurrentDirEdit->text(), "/pics");
    const qsizetype rows = user.ftp->Log().Rows().size();
    user.window->Button2->click();
    EXPECT_EQ(user.window->CurrentDirEdit->text(), "/pics");
    EXPECT_GT(user.ftp->Log().Rows().size(), rows);
    user.motionRuns = false;
    user.window->Button2->click();
    EXPECT_EQ(user.window->CurrentDirEdit->text(), "/");
    EXPECT_EQ(user.Names(), QStringList({"a.jpg", "pics"}));

    // The next connect starts from the saved folder "/", which is listed too.
    user.window->ConnectButton->click();
    ASSERT_FALSE(user.ftp->IsFtpConnected());
    EXPECT_EQ(user.Names(), QStringList());
    user.TypeAndConnect();
    EXPECT_EQ(user.settings.Record().FtpRemoteDir, "/");
    EXPECT_TRUE(user.Lists({"a.jpg", "pics"}));

    // The log holds the conversation and where the connection goes, none of libcurl's own
    // bookkeeping; the rows this window adds itself say what it did.
    for (const QString& row : user.ftp->Log().Rows()) {
        const bool conversation = row.startsWith("->> ") || row.startsWith("<<- ");
        const bool status = row.startsWith("Trying") || row.startsWith("Connected to") ||
                            row.startsWith("Closing connection") || row.startsWith("The folder stays");
        EXPECT_TRUE(conversation || status) << row.toStdString();
    }
}
