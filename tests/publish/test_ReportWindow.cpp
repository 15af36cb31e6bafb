// The report window on the offscreen platform: sending a report, the checks before it, the
// outbox tab, and the contact settings it saves.
#include "publish/EmailWindow.h"
#include "support/QuietMainWindowLink.h"

#include "core/EmailSettingsRecord.h"
#include "core/SettingsStore.h"
#include "publish/ContactSettingsTab.h"
#include "publish/Outbox.h"
#include "publish/SmtpReportMailSender.h"
#include "platform/SmtpClient.h"
#include "tests/support/SmtpSink.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>
#include <gtest/gtest.h>

using TestSupport::ReadAll;
using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

namespace {

class FakeMain final : public QuietMainWindowLink {
public:
    QString host = "127.0.0.1";
    QString reply = "station@example.org";
    QString program, history;
    QString ProgramFolder() const override { return program; }
    QString HistoryFolder() const override { return history; }
    QString SmtpHost() const override { return host; }
    QString ReplyAddress() const override { return reply; }
};

struct FakeSender final : ReportMailSender {
    QList<ReportMail> sent;
    QString failWith;
    std::function<void()> during; // runs while the mail "goes out"
    bool SendReportMail(const ReportMail& mail, QString* error) override {
        sent << mail;
        if (during)
            during();
        if (!failWith.isEmpty()) {
            *error = failWith;
            return false;
        }
        return true;
    }
};

QByteArray Jpeg(int shade) {
    QImage image(64, 48, QImage::Format_RGB888);
    image.fill(QColor(shade, 100, 50));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

struct ReportWindowTest : ::testing::Test {
    ReportWindowTest()
        : store(platform::ProgramFolder(dir.path()), dir.path() + "torvek", dir.path() + "Desktop") {
        QDir().mkpath(Cam1());
        for (int i = 1; i <= 30; ++i) {
            const QString base = Cam1() + Name(i).left(12);
            WriteAll(base + ".jpg", Jpeg(i * 8));
            WriteAll(base + ".txt", QByteArray("N.o. ") + QByteArray::number(i) + "\r\nCam Location Hall\r\n");
        }
        store.SetCameraFolder(1, Cam1());
        store.Record().Cam1Name = "Hall";
        store.Record().SiteLocation = "Office";
        main.program = dir.path();
        main.history = dir.path() + "history/";
        auto fake = std::make_unique<FakeSender>();
        sender = fake.get();
        MakeWindow(std::move(fake));
    }
    void MakeWindow(std::unique_ptr<ReportMailSender> mailSender) {
        ReportWindowLinks links;
        links.online = [this] { return online; };
        links.now = [] { return QDateTime(QDate(2026, 3, 7), QTime(12, 0)); };
        links.askYesNo = [this](const QString& q) {
            questions << q;
            return answer;
        };
        window = std::make_unique<EmailWindow>(store, main, std::move(mailSender), links);
    }
    QString Cam1() const { return dir.path() + "cam1/"; }
    QString Outbox() const { return dir.path() + "SentItems/"; }
    static QString Name(int i) { return QString("%1OFFICE.jpg").arg(i, 6, 10, QChar('0')); }
    QStringList Names(int first, int last) const {
        QStringList names;
        for (int i = first; i <= last; ++i)
            names << Name(i);
        return names;
    }
    // Opens the window as the picture log does and runs body inside its modal loop.
    void Open(bool single, int position, const QStringList& pictures, int camera, const std::function<void()>& body) {
        QTimer::singleShot(0, window.get(), [&] {
            body();
            window->close();
        });
        window->OpenSendImagePage(single, position, pictures, pictures.value(position), camera);
    }
    // The mail carries exactly these pictures of cam1, by name and content.
    void ExpectPictures(const ReportMail& mail, const QStringList& names) const {
        QStringList sentNames;
        for (const auto& picture : mail.pictures) {
            sentNames << picture.name;
            EXPECT_EQ(picture.data, ReadAll(Cam1() + picture.name)) << picture.name.toStdString();
        }
        EXPECT_EQ(sentNames, names);
    }
    void Send(const QString& to) {
        window->toAddressCombo->setEditText(to);
        window->sendButton->click();
    }

    TempProgramFolder dir;
    SettingsStore store;
    FakeMain main;
    TestSupport::MessageLog messages; // outlives the window
    FakeSender* sender = nullptr;
    std::unique_ptr<EmailWindow> window;
    QStringList questions;
    bool online = true;
    bool answer = true;
};

} // namespace

TEST_F(ReportWindowTest, ListModeSendStoresTheReportAndMailsItsPictures) {
    Open(false, 0, Names(1, 2), 1, [&] {
        window->messageEdit->setPlainText("Someone at the door\nsecond <line>");
        window->referenceEdit->setText("R1");
        Send(" a@example.org ");
    });
    EXPECT_EQ(messages, QStringList({"The Images have been sent!"}));

    // The outbox: a new row, the record, its text and the copies.
    EXPECT_EQ(window->outboxList->count(), 1);
    OutboxRecord record;
    ASSERT_TRUE(::Outbox(Outbox()).Read("000001", record));
    EXPECT_EQ(record.Pictures(), Names(1, 2));
    EXPECT_EQ(record.ToAddress, "a@example.org");
    EXPECT_EQ(record.Reference, "R1");
    EXPECT_EQ(ReadAll(dir.file("kzwo0511.bin")), "a@example.org\r\n");

    // The mail: free text, page and pictures from memory.
    ASSERT_EQ(sender->sent.size(), 1);
    const ReportMail& mail = sender->sent[0];
    EXPECT_EQ(mail.recipients, QStringList({"a@example.org"}));
    EXPECT_EQ(mail.from, "station@example.org");
    EXPECT_EQ(mail.plain, "Someone at the door\nsecond <line>");
    EXPECT_TRUE(mail.html.contains("second &lt;line&gt; <br> \r\n"));
    ExpectPictures(mail, Names(1, 2));
    for (const QString& name : Names(1, 2))
        EXPECT_TRUE(mail.html.contains("cid:0" + name));
    // Nothing copied into the program folder; the page is a scratch file gone on hiding.
    EXPECT_FALSE(QFile::exists(dir.file("0" + Name(1))));
    EXPECT_FALSE(QFile::exists(Cam1() + "log.htm"));
}

TEST_F(ReportWindowTest, SingleModeSendsThePictureShownOrOnlyText) {
    Open(true, 2, Names(1, 5), 1, [&] { Send("a@example.org"); });
    Open(true, -1, {}, 1, [&] {
        window->subjectEdit->setText("Note");
        Send("a@example.org");
    });
    EXPECT_EQ(messages.value(0), "The Image has been sent!");
    ASSERT_EQ(sender->sent.size(), 2);
    ExpectPictures(sender->sent[0], {Name(3)});
    EXPECT_TRUE(sender->sent[1].pictures.isEmpty());
    EXPECT_FALSE(sender->sent[1].html.contains("Image"));
    OutboxRecord record;
    ::Outbox(Outbox()).Read("000002", record);
    EXPECT_TRUE(record.Pictures().isEmpty());
    EXPECT_EQ(record.Subject, "Note");
}

TEST_F(ReportWindowTest, TheChecksComeInOrderAndARefusalKeepsWhatWasTyped) {
    Open(false, 0, Names(1, 2), 1, [&] {
        window->subjectEdit->setText("My subject");
        window->referenceEdit->setText("R9");
        window->codeEdit->setText("C9");
        online = false;
        Send("a@example.org");
        online = true;
        main.host = " ";
        Send("a@example.org");
        main.host = "127.0.0.1";
        main.reply = "me@hotmail.com";
        Send("a@example.org");
        main.reply = "station@example.org";
        Send("a@example.org, b@");
        Send("a@example.org b@example.org");
        EXPECT_EQ(window->subjectEdit->text(), "My subject");
        EXPECT_EQ(window->referenceEdit->text(), "R9");
        EXPECT_EQ(window->codeEdit->text(), "C9");
        EXPECT_FALSE(window->pleaseWaitPanel->isVisible());
    });
    EXPECT_EQ(messages, QStringList({"Youmust be connected to the internet to use this feature!",
                                     "Please enter your SMTP Host in Setup. ",
                                     "Please enter a valid email address in Setup. ", "Invalid to email address.",
                                     "Invalid to email address."}));
    EXPECT_TRUE(sender->sent.isEmpty());
    EXPECT_FALSE(QFile::exists(Outbox() + "000001.DRK"));
    EXPECT_FALSE(QFile::exists(dir.file("kzwo0511.bin")));
}

TEST_F(ReportWindowTest, AFailedSendSaysWhyAndKeepsTheReport) {
    sender->failWith = "Failed to connect to 127.0.0.1 port 25";
    sender->during = [&] {
        // The panel is up, Send is off and the window does not close under the send.
        EXPECT_TRUE(window->pleaseWaitPanel->isVisible());
        EXPECT_FALSE(window->sendButton->isEnabled());
        window->close();
        EXPECT_TRUE(window->isVisible());
    };
    Open(false, 0, Names(1, 2), 1, [&] {
        window->messageEdit->setPlainText("kept text");
        Send("a@example.org");
        EXPECT_FALSE(window->pleaseWaitPanel->isVisible());
        EXPECT_TRUE(window->sendButton->isEnabled());
        EXPECT_EQ(window->messageEdit->toPlainText(), "kept text");
    });
    EXPECT_EQ(messages, QStringList({"Email Failed: Failed to connect to 127.0.0.1 port 25"}));
    EXPECT_TRUE(QFile::exists(Outbox() + "000001.DRK"));
    EXPECT_EQ(window->outboxList->count(), 1);
}

TEST_F(ReportWindowTest, OpenAndResendRewritesTheReport) {
    Open(false, 0, Names(1, 3), 1, [&] { Send("a@example.org"); });
    Open(false, 0, Names(4, 5), 1, [&] { Send("c@example.org"); });
    messages.clear();
    Open(true, -1, {}, 1, [&] {
        window->pageTabs->setCurrentIndex(2); // as the user clicks the tab
        EXPECT_TRUE(window->sentPanel->isVisible());
        ASSERT_EQ(window->outboxList->count(), 2);
        window->outboxList->setCurrentRow(0);
        window->OutboxListClick();
        window->openButton->click();
        EXPECT_EQ(window->pictureNames, Names(1, 3));
        EXPECT_EQ(window->toAddressCombo->currentText(), "a@example.org");
        window->subjectEdit->setText("Again");
        window->messageEdit->setPlainText("second time");
        Send("a@example.org");
    });
    EXPECT_EQ(messages, QStringList({"The email has been sent again!"}));
    EXPECT_FALSE(QFile::exists(Outbox() + "000003.DRK"));
    OutboxRecord record;
    ::Outbox(Outbox()).Read("000001", record);
    EXPECT_EQ(record.Subject, "Again");
    EXPECT_EQ(record.Pictures(), Names(1, 3));
    // The re-sent mail carries report 000001's pictures, from the outbox, though 000002 was listed last.
    ASSERT_EQ(sender->sent.size(), 3);
    ExpectPictures(sender->sent[2], Names(1, 3));
}

TEST_F(ReportWindowTest, TheDeleteKeyAsksFirst) {
    Open(false, 0, Names(1, 2), 1, [&] { Send("a@example.org"); });
    Open(false, 0, Names(3, 4), 1, [&] { Send("b@example.org"); });
    Open(true, -1, {}, 1, [&] {
        window->pageTabs->setCurrentIndex(2);
        window->outboxList->setCurrentRow(0);
        answer = false;
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QCoreApplication::sendEvent(window->outboxList, &del);
        EXPECT_TRUE(QFile::exists(Outbox() + "000001.DRK"));
        answer = true;
        QCoreApplication::sendEvent(window->outboxList, &del);
        EXPECT_FALSE(QFile::exists(Outbox() + "000001.DRK"));
        EXPECT_EQ(window->WorkingRecord().ReportNumber, "000002");
    });
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(questions.value(0), "Do you really want to Delete this Report? ");
}

TEST_F(ReportWindowTest, UnsafePictureNamesOfAStoredReportAreLeftOut) {
    OutboxRecord record;
    record.ReportNumber = "000001";
    record.ToAddress = "a@example.org";
    record.SetPictures({"../cam1/" + Name(1), Name(2), "a\\b.jpg"});
    QDir().mkpath(Outbox());
    QFile::copy(Cam1() + Name(2), Outbox() + Name(2));
    QByteArray file(OutboxRecord::kSize, '\0');
    WriteAll(Outbox() + "000001.DRK", file + record.Encode());
    // A damaged report beside it still lists.
    WriteAll(Outbox() + "000002.DRK", file + QByteArray(100, '\x07'));
    Open(true, -1, {}, 1, [&] {
        window->pageTabs->setCurrentIndex(2);
        ASSERT_EQ(window->outboxList->count(), 2);
        window->outboxList->setCurrentRow(0);
        window->OutboxListClick();
        window->openButton->click();
        EXPECT_EQ(window->pictureNames, QStringList({Name(2)}));
        window->pageTabs->setCurrentIndex(2);
        window->OutboxListClick();
    });
    QCoreApplication::processEvents();
    EXPECT_EQ(messages, QStringList({"Report 000001 names pictures outside the outbox; they are left out."}));
}

TEST_F(ReportWindowTest, ATabChangeSavesTheContactDetails) {
    const auto savedFirstName = [&] {
        return EmailSettingsRecord::Decode(ReadAll(store.EmailFilePath()).mid(1228)).ContactFirstName;
    };
    Open(true, -1, {}, 1, [&] {
        window->pageTabs->setCurrentIndex(0);
        window->contactTab->firstNameEdit->setText("  Ann  ");
        window->pageTabs->setCurrentIndex(1);
        EXPECT_EQ(savedFirstName(), "Ann");
        // Esc closes the window; hiding saves the details again.
        window->contactTab->firstNameEdit->setText("Bo");
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &esc);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(savedFirstName(), "Bo");
    });
}

namespace {

// The same window over the SMTP client and a loopback server.
struct ReportWindowMailTest : ReportWindowTest {
    void SetUp() override {
        ASSERT_TRUE(sink.Start("accept", 0, 2, {"refused@example.org"})) << sink.Output().toStdString();
        platform::NetTimeouts t;
        t.connectSeconds = 5;
        t.responseSeconds = 5;
        sender = nullptr;
        MakeWindow(std::make_unique<SmtpReportMailSender>(std::make_unique<platform::SmtpClient>(sink.Port(), t)));
    }
    TestSupport::SmtpSink sink;
};

} // namespace

TEST_F(ReportWindowMailTest, ARefusedRecipientIsNamedAndTheOthersGetTheMail) {
    Open(false, 0, Names(1, 2), 1, [&] { Send("a@example.org, refused@example.org"); });
    EXPECT_EQ(messages, QStringList({"The Images have been sent!\nThe mail server refused refused@example.org."}));
    ASSERT_TRUE(sink.WaitForMessages(1));
    EXPECT_EQ(sink.Envelope(sink.Messages().first())["rcpt_tos"].toArray().toVariantList(),
              QVariantList{"a@example.org"});
}

