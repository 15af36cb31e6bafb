// The FTP window against a pyftpdlib server the test starts: typing a server in and
// connecting, the listing, folders, delete, abort and disconnect.
#include "publish/TFTPMainForm.h"

#include "FtpServerStation.h"

#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

using TestSupport::WriteAll;

namespace {

struct Station : FtpServerStation {
    explicit Station(const QStringList& serverOptions = {}) : FtpServerStation(serverOptions, 5) {
        settings.Record().FtpDialUp = false;
        settings.Record().FtpPassive = true;
        QDir().mkpath(home + "/pics");
        WriteAll(home + "/a.jpg", "picture a");
        WriteAll(home + "/pics/b.jpg", "picture b");
        ftp->Hooks().motionTimerEnabled = [] { return false; };
        ftp->Hooks().timeLapseTimerEnabled = [] { return false; };
        window = std::make_unique<TFTPMainForm>(*ftp, [] {});
    }
    ~Station() override { window.reset(); }

    // Shown, the server typed in as a user would, Connect clicked.
    void Connect() {
        ftp->LoadFtpSettings();
        window->show();
        QTest::keyClicks(window->FtpServerEdit, QString("127.0.0.1:%1").arg(server.Port()));
        QTest::keyClicks(window->UserIDEdit, "bob");
        QTest::keyClicks(window->PasswordEdit, "pw");
        window->ConnectButton->click();
        ASSERT_TRUE(ftp->IsFtpConnected()) << ftp->Log().Rows().join("\n").toStdString();
        emit ftp->RefreshTimer().Timeout();
        now += 20000;
        ftp->Timer1().SetEnabled(false);
    }
    QStringList Names() const {
        QStringList names;
        for (int i = 0; i < window->DirectoryListBox->topLevelItemCount(); ++i)
            names << window->DirectoryListBox->topLevelItem(i)->text(0);
        return names;
    }
    QTreeWidgetItem* Row(const QString& name) const {
        const auto found = window->DirectoryListBox->findItems(name, Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.first();
    }

    std::unique_ptr<TFTPMainForm> window;
};

} // namespace

TEST(FtpMainFormServer, ConnectListsFoldersEntersThemDeletesAndDisconnects) {
    Station st;
    ASSERT_TRUE(st.started);
    st.Connect();
    TFTPMainForm& w = *st.window;
    EXPECT_EQ(w.ConnectButton->text(), "Disconnect");
    EXPECT_EQ(w.CurrentDirEdit->text(), "/");
    EXPECT_EQ(st.Names().size(), 2);
    QTreeWidgetItem* pics = st.Row("pics");
    QTreeWidgetItem* a = st.Row("a.jpg");
    ASSERT_TRUE(pics && a);
    EXPECT_EQ(pics->text(2), "Directory");
    EXPECT_EQ(a->text(2), "File");
    EXPECT_EQ(a->text(1), "9");
    const QRegularExpression time("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d$");
    EXPECT_TRUE(time.match(a->text(3)).hasMatch()) << a->text(3).toStdString();
    // The stored settings now hold what was typed.
    EXPECT_EQ(st.settings.Record().FtpUser, "bob");

    // The log shows the password masked, sent rows red, replies blue.
    QAbstractItemModel* log = w.DebugListBox->model();
    bool sawPass = false, sawReply = false;
    for (int i = 0; i < log->rowCount(); ++i) {
        const QString text = log->index(i, 0).data().toString();
        const QColor colour = log->index(i, 0).data(Qt::ForegroundRole).value<QColor>();
        if (text == "PASS ****")
            sawPass = colour == QColor(Qt::red);
        if (text.startsWith("230"))
            sawReply = colour == QColor(Qt::blue);
        EXPECT_FALSE(text.contains("pw\r")) << text.toStdString();
    }
    EXPECT_TRUE(sawPass);
    EXPECT_TRUE(sawReply);

    emit w.DirectoryListBox->itemDoubleClicked(pics, 0);
    EXPECT_EQ(w.CurrentDirEdit->text(), "/pics");
    EXPECT_EQ(st.Names(), QStringList({"b.jpg"}));
    w.Button2->click();
    EXPECT_EQ(w.CurrentDirEdit->text(), "/");
    EXPECT_EQ(st.Names().size(), 2);

    w.DirectoryListBox->setCurrentItem(st.Row("a.jpg"));
    w.DeleteButton->click();
    EXPECT_FALSE(QFileInfo::exists(st.home + "/a.jpg"));
    EXPECT_EQ(st.Names(), QStringList({"pics"}));

    // A folder that is not empty cannot be removed: the reason in a box and a red row.
    w.DirectoryListBox->setCurrentItem(st.Row("pics"));
    w.DeleteButton->click();
    ASSERT_EQ(st.boxes.size(), 1);
    EXPECT_TRUE(st.boxes.first().startsWith("Error :")) << st.boxes.first().toStdString();
    EXPECT_TRUE(QFileInfo::exists(st.home + "/pics"));
    const QModelIndex last = log->index(log->rowCount() - 1, 0);
    EXPECT_EQ(last.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));

    w.ConnectButton->click();
    EXPECT_EQ(w.ConnectButton->text(), "Connect");
    EXPECT_FALSE(st.ftp->IsFtpConnected());
    EXPECT_EQ(w.DirectoryListBox->topLevelItemCount(), 0);
}

TEST(FtpMainFormServer, AbortShowsDuringAThrottledUploadAndStopsIt) {
    Station st({"--throttle", "40000"});
    ASSERT_TRUE(st.started);
    st.Connect();
    TFTPMainForm& w = *st.window;
    ASSERT_TRUE(WriteAll(st.dir.file("big.jpg"), QByteArray(2000000, 'x')));
    EXPECT_FALSE(w.AbortButton->isVisible());
    bool shownDuring = false;
    QObject::connect(&st.session, &platform::FtpClient::TransferProgress, &w, [&](qint64 bytes) {
        if (bytes <= 0 || shownDuring)
            return;
        shownDuring = w.AbortButton->isVisible();
        w.AbortButton->click();
    });
    EXPECT_EQ(st.ftp->FtpUploadFile(st.dir.file("big.jpg"), "big.jpg"), FtpUploadResult::Failed);
    EXPECT_TRUE(shownDuring);
    EXPECT_FALSE(w.AbortButton->isVisible());
    EXPECT_FALSE(TransferBusy::IsBusy());
    EXPECT_TRUE(st.ftp->IsFtpConnected());
}
