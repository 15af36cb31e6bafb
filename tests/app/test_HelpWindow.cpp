// The help window's topics and keys, and the TCP listener that closes
// every connection at once.
#include "app/HelpTopics.h"
#include "app/NetworkPanel.h"
#include "app/HelpWindow.h"
#include "core/MessageBox.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTcpSocket>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

using TestSupport::WaitFor;

namespace {

void Press(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

} // namespace

TEST(HelpWindow, TopicsOutsideTheListChangeNothing) {
    HelpWindow help;
    help.ShowHelpTopic(4);
    const QString title = help.topicLabel->text(), text = help.topicTextEdit->toPlainText();
    for (int outside : {kHelpTopicCount, -1}) {
        help.ShowHelpTopic(outside);
        EXPECT_EQ(help.topicTextEdit->toPlainText(), text);
        EXPECT_EQ(help.topicLabel->text(), title);
    }
}

TEST(HelpWindow, ListKeysAndClosingKeys) {
    HelpWindow help;
    help.PrepareHelp(0);
    help.show();
    QApplication::setActiveWindow(&help);
    help.topicList->setCurrentRow(6);
    help.topicList->setFocus();
    Press(help.topicList, Qt::Key_Return);
    EXPECT_EQ(help.topicLabel->text(), "Tips");
    EXPECT_EQ(QApplication::focusWidget(), help.topicTextEdit);
    for (int key : {Qt::Key_Escape, Qt::Key_F1}) {
        bool closed = false;
        QTimer::singleShot(0, &help, [&] {
            Press(help.topicTextEdit, key);
            closed = !help.isVisible();
        });
        help.ShowHelp(2);
        EXPECT_TRUE(closed);
        EXPECT_FALSE(help.isVisible());
    }
}

TEST(TcpListener, ClosesEveryConnectionAtOnceAndSaysWhenItCannotListen) {
    TestSupport::MessageLog messages;
    // A free port: the test cannot rely on 10000 being free on the machine.
    quint16 port;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    QTcpSocket before;
    before.connectToHost(QHostAddress::LocalHost, port);
    EXPECT_FALSE(before.waitForConnected(1000));

    NetworkPanel panel(nullptr, {});
    ASSERT_TRUE(panel.Server().Start(port));
    EXPECT_TRUE(panel.Server().Start(port)); // a second start changes nothing
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(WaitFor([&] { return client.state() == QAbstractSocket::ConnectedState ||
                                     client.state() == QAbstractSocket::UnconnectedState; }));
    ASSERT_TRUE(WaitFor([&] { return client.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(client.readAll().size(), 0);
    EXPECT_TRUE(WaitFor([&] { return panel.tcpLogList->count() == 1; }));
    EXPECT_TRUE(messages.isEmpty());

    // The port is taken by someone else: a message, a log line, and the listener stays off.
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::Any, 0));
    NetworkPanel second(nullptr, {});
    EXPECT_FALSE(second.Server().Start(other.serverPort()));
    EXPECT_FALSE(second.Server().IsListening());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QString::number(other.serverPort())));
    EXPECT_EQ(second.tcpLogList->item(0)->text(), messages[0]);
}

TEST(NetworkPanel, SaveHideAndHints) {
    TestSupport::MessageLog messages;
    int saves = 0;
    NetworkPanel panel(nullptr, [&] { ++saves; });
    panel.ShowPanel();
    panel.saveButton->click();
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(messages, QStringList({"OK Saved new Information."}));
    panel.hideButton->click();
    EXPECT_FALSE(panel.isVisible());
    // Frames reach the panel's picture only while the listener runs.
    QImage frame(32, 24, QImage::Format_RGB888);
    frame.fill(Qt::red);
    panel.FrameGrabbed(1, frame);
    EXPECT_TRUE(panel.camera1Image->pixmap().isNull());
}
