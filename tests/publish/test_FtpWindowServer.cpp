// The FTP window against a pyftpdlib server the test starts: typing a server in and
// connecting, the listing, folders, delete and disconnect; and as a new user finds it, the
// listing coming by the window's own timers while surveillance runs.
#include "publish/FtpWindow.h"

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

struct Station : FtpServerStation {
    // A new user keeps the station's own settings (active mode) and has surveillance running.
    explicit Station(bool newUser = false) : FtpServerStation({}, 5), motionRuns(newUser) {
        if (!newUser) {
            settings.Record().FtpDialUp = false;
            settings.Record().FtpPassive = true;
        }
        QDir().mkpath(home + "/pics");
        WriteAll(home + "/a.jpg", "picture a");
        WriteAll(home + "/pics/b.jpg", "picture b");
        ftp->Hooks().motionTimerEnabled = [this] { return motionRuns; };
        ftp->Hooks().timeLapseTimerEnabled = [] { return false; };
        window = std::make_unique<FtpWindow>(*ftp, [] {});
        ftp->LoadFtpSettings(); // what the station's FTP button does before it shows the window
        window->show();
    }
    ~Station() override { window.reset(); }

    // The server typed in as a user would, Connect clicked.
    void TypeAndConnect() {
        for (QLineEdit* edit : {window->hostEdit, window->userEdit, window->passwordEdit})
            edit->clear();
        QTest::keyClicks(window->hostEdit, QString("127.0.0.1:%1").arg(server.Port()));
        QTest::keyClicks(window->userEdit, "bob");
        QTest::keyClicks(window->passwordEdit, "pw");
        window->connectButton->click();
    }
    QStringList Names() const {
        QStringList names;
        for (int i = 0; i < window->directoryList->topLevelItemCount(); ++i)
            names << window->directoryList->topLevelItem(i)->text(0);
        names.sort();
        return names;
    }
    bool Lists(const QStringList& names) const {
        return WaitFor([&] { return Names() == names; });
    }
    QTreeWidgetItem* Row(const QString& name) const {
        const auto found = window->directoryList->findItems(name, Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.first();
    }
    std::string LogText() const { return ftp->Log().Rows().join("\n").toStdString(); }

    bool motionRuns;
    std::unique_ptr<FtpWindow> window;
};

} // namespace

TEST(FtpWindowServer, ConnectListsDeletesAndDisconnects) {
    Station st;
    ASSERT_TRUE(st.started);
    st.TypeAndConnect();
    ASSERT_TRUE(st.ftp->IsFtpConnected()) << st.LogText();
    emit st.ftp->RefreshTimer().Timeout();
    FtpWindow& w = *st.window;
    QTreeWidgetItem* pics = st.Row("pics");
    QTreeWidgetItem* a = st.Row("a.jpg");
    ASSERT_TRUE(pics && a);
    EXPECT_EQ(QStringList({pics->text(2), a->text(2), a->text(1)}),
              QStringList({"Directory", "File", "9"}));
    // The stored settings now hold what was typed.
    EXPECT_EQ(st.settings.Record().FtpUser, "bob");

    w.directoryList->setCurrentItem(st.Row("a.jpg"));
    w.deleteButton->click();
    EXPECT_FALSE(QFileInfo::exists(st.home + "/a.jpg"));
    EXPECT_EQ(st.Names(), QStringList({"pics"}));

    // A folder that is not empty cannot be removed: the reason in a box.
    w.directoryList->setCurrentItem(st.Row("pics"));
    w.deleteButton->click();
    ASSERT_EQ(st.boxes.size(), 1);
    EXPECT_TRUE(st.boxes.first().startsWith("Error :")) << st.boxes.first().toStdString();
    EXPECT_TRUE(QFileInfo::exists(st.home + "/pics"));

    w.connectButton->click();
    EXPECT_EQ(w.connectButton->text(), "Connect");
    EXPECT_FALSE(st.ftp->IsFtpConnected());
    EXPECT_EQ(w.directoryList->topLevelItemCount(), 0);
}

TEST(FtpWindowServer, ConnectListsTheFolderWhileSurveillanceRunsAndAgainWithASavedRootFolder) {
    Station user(true);
    ASSERT_TRUE(user.started);
    ASSERT_FALSE(user.settings.Record().FtpPassive);
    user.TypeAndConnect();
    ASSERT_TRUE(user.ftp->IsFtpConnected()) << user.LogText();
    EXPECT_TRUE(user.Lists({"a.jpg", "pics"})) << user.LogText();
    EXPECT_EQ(user.window->remoteDirEdit->text(), "/");

    // Enter in a field never ends the connection.
    QTest::keyClick(user.window->passwordEdit, Qt::Key_Return);
    EXPECT_TRUE(user.ftp->IsFtpConnected());
    EXPECT_EQ(user.window->connectButton->text(), "Disconnect");

    // "<<" keeps the folder the pictures go to while surveillance runs, and says so.
    emit user.window->directoryList->itemDoubleClicked(
        user.window->directoryList->findItems("pics", Qt::MatchExactly).value(0), 0);
    ASSERT_EQ(user.window->remoteDirEdit->text(), "/pics");
    const qsizetype rows = user.ftp->Log().Rows().size();
    user.window->backButton->click();
    EXPECT_EQ(user.window->remoteDirEdit->text(), "/pics");
    EXPECT_GT(user.ftp->Log().Rows().size(), rows);
    user.motionRuns = false;
    user.window->backButton->click();
    EXPECT_EQ(user.window->remoteDirEdit->text(), "/");
    EXPECT_EQ(user.Names(), QStringList({"a.jpg", "pics"}));

    // The next connect starts from the saved folder "/", which is listed too.
    user.window->connectButton->click();
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
                            row.startsWith("Closing connection") ||
                            row.startsWith("The folder stays");
        EXPECT_TRUE(conversation || status) << row.toStdString();
    }
}
