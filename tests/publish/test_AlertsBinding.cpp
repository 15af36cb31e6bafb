#include "core/MessageBox.h"
#include "core/SettingsRecord.h"
#include "core/StartupFlags.h"
#include "publish/AlertPaintBoxes.h"
#include "publish/AlertsBinding.h"
#include "publish/AlertsTab.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class RecordingSender : public AlertSender {
public:
    QList<QStringList> calls;
    std::function<void()> during;
    AlertSendResult SendEAlert(const QStringList& queueCopy) override {
        calls << queueCopy;
        if (during) during();
        return {int(queueCopy.size()), true, true, {}, {}};
    }
};

class AlertsBindingTest : public ::testing::Test {
protected:
    QStringList messages;
    SettingsRecord record;
    StartupFlags flags;
    QStringList queue;
    qint64 clockMs = 0;
    bool online = true;
    int width = 1024;
    int gathers = 0, phoneSizes = 0;
    bool setupVisible = true;
    RecordingSender sender;

    QWidget window;
    AlertsTab* tab = new AlertsTab(&window);
    QRadioButton* dialUp = new QRadioButton(&window);
    QRadioButton* broadband = new QRadioButton(&window);
    QWidget* cameraArea = new QWidget(&window);
    AlertClockBox* clock = new AlertClockBox(&window);
    AlertBlockBox* block = new AlertBlockBox(cameraArea);
    std::unique_ptr<AlertScheduler> scheduler;
    std::unique_ptr<AlertsBinding> binding;

    void SetUp() override {
        SetMessageBoxHandler([this](const QString& text) { messages << text; });
        flags.ApplyingSettings = false;
        record.AlertPeriodMinutes = 10;
        record.AlertMaxImages = 1;
        record.EmailLimit = 0;
        broadband->setChecked(true);
        window.resize(1000, 600);
        cameraArea->setGeometry(0, 0, 800, 460);
        block->setGeometry(cameraArea->rect());
        tab->setGeometry(0, 0, 610, 280);
        tab->alertFormatCombo->addItems({"1 x 1", "2 x 2", "3 x 3", "4 x 4", "5 x 5", "6 x 6"});
        tab->alertFormatCombo->setCurrentIndex(-1);

        AlertSchedulerLinks links;
        links.monotonicMs = [this] { return clockMs; };
        links.online = [this] { return online; };
        scheduler = std::make_unique<AlertScheduler>(record, queue, links);
        scheduler->SetSender(&sender);
        AlertsBindingLinks bindingLinks;
        bindingLinks.gatherAndSaveSettings = [this] { ++gathers; };
        bindingLinks.fillPhoneSizeList = [this] { ++phoneSizes; };
        bindingLinks.layoutScreenWidth = [this] { return width; };
        bindingLinks.lastMotionText = [](int camera) { return QStringLiteral("MO 0000%1").arg(camera); };
        bindingLinks.setupPanelVisible = [this] { return setupVisible; };
        bindingLinks.online = [this] { return online; };
        bindingLinks.now = [] { return QDateTime(QDate(2026, 12, 6), QTime(21, 4, 5)); };
        binding = std::make_unique<AlertsBinding>(*tab, dialUp, broadband, clock, block, *scheduler, record, flags,
                                                  bindingLinks);
    }
    void TearDown() override {
        binding.reset();
        SetMessageBoxHandler({});
    }

    void FillAddresses(const QString& host, const QString& reply, const QString& to) {
        tab->smtpEdit->setText(host);
        tab->replyAddressEdit->setText(reply);
        tab->alertEmailEdit->setText(to);
    }
};

} // namespace

TEST_F(AlertsBindingTest, TickingAlertsNeedsValidAddresses) {
    binding->FillAlertCombos();
    FillAddresses("mail.example.com", "me@gmail.com", "nobody");
    QTest::mouseClick(tab->alertsActiveBox, Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{"Please enter a valid email address. "});
    EXPECT_FALSE(tab->alertsActiveBox->isChecked());

    FillAddresses("mail.example.com", "me@example.com", "a@example.com, b@example.org");
    QTest::mouseClick(tab->alertsActiveBox, Qt::LeftButton);
    EXPECT_TRUE(tab->alertsActiveBox->isChecked());
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(tab->alertSummaryLabel->text().endsWith("(Enabled)"));

    // Unticking needs no checks and removes the block.
    binding->ClockTick();
    EXPECT_TRUE(block->ShowsAlerts());
    FillAddresses("", "", "");
    QTest::mouseClick(tab->alertsActiveBox, Qt::LeftButton);
    EXPECT_FALSE(tab->alertsActiveBox->isChecked());
    EXPECT_FALSE(block->ShowsAlerts());
    EXPECT_TRUE(tab->alertSummaryLabel->text().endsWith("(Disabled)"));
}

TEST_F(AlertsBindingTest, ClockTickPaintsTheBlocksAndTheStatusLine) {
    binding->FillAlertCombos();
    tab->alertsActiveBox->setChecked(true);
    queue << "1000003.jpg" << "1000002.jpg" << "2000001.jpg";
    clockMs = (9 * 60 + 55) * 1000;
    binding->ClockTick();
    EXPECT_EQ(tab->alertStatusLabel->text(), "Sent 00000 Next     0:05 Cue 003");
    EXPECT_TRUE(block->ShowsAlerts());
    EXPECT_EQ(block->CountdownText(), "    0:05");

    // The period ends: the queue goes out and alertStatusLabel follows.
    clockMs += 5000;
    binding->ClockTick();
    ASSERT_EQ(sender.calls.size(), 1);
    EXPECT_EQ(tab->alertStatusLabel->text(), "Sent 00001 Next     10:00 Cue 000");

    // A narrow screen paints nothing but still counts down; hidden panel keeps alertStatusLabel.
    width = 800;
    setupVisible = false;
    clockMs += 1000;
    binding->ClockTick();
    EXPECT_FALSE(block->ShowsAlerts());
    EXPECT_EQ(tab->alertStatusLabel->text(), "Sent 00001 Next     10:00 Cue 000");
}

TEST_F(AlertsBindingTest, SendNowIsDisabledDuringASendAndNeedsTheInternet) {
    binding->FillAlertCombos();
    queue << "1000001.jpg";
    bool disabledInside = false;
    int nested = 0;
    sender.during = [&] {
        disabledInside = !tab->sendNowButton->isEnabled();
        QTest::mouseClick(tab->sendNowButton, Qt::LeftButton); // a click from the nested loop
        binding->ClockTick();
        if (binding->SendAlertEmailNow() != AlertScheduler::SendResult::Refused) ++nested;
    };
    QTest::mouseClick(tab->sendNowButton, Qt::LeftButton);
    EXPECT_EQ(sender.calls.size(), 1);
    EXPECT_TRUE(disabledInside);
    EXPECT_EQ(nested, 0);
    EXPECT_TRUE(tab->sendNowButton->isEnabled());
    EXPECT_EQ(gathers, 1);
    EXPECT_TRUE(queue.isEmpty());

    online = false;
    queue << "1000002.jpg";
    QTest::mouseClick(tab->sendNowButton, Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{"Connect to the Internet to use this feature."});
    EXPECT_EQ(sender.calls.size(), 1);
}
