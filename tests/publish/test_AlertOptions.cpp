#include "core/SettingsRecord.h"
#include "publish/AlertOptions.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

AlertSummaryInput Chosen(const QString& minutes, const QString& images, const QString& limit, int format,
                         bool ticked = true, qint32 sent = 0) {
    AlertSummaryInput in;
    in.minutesText = minutes;
    in.imagesText = images;
    in.limitText = limit;
    in.formatIndex = format;
    in.alertsTicked = ticked;
    in.sentCount = sent;
    return in;
}

} // namespace

TEST(AlertOptions, ListsHoldTheirItemsForEachLine) {
    const QStringList broadband = AlertMinuteItems(false);
    ASSERT_EQ(broadband.size(), 292);
    EXPECT_EQ(broadband.mid(0, 5), (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(broadband.last(), "1440");
    const QStringList dialUp = AlertMinuteItems(true);
    ASSERT_EQ(dialUp.size(), 288);
    EXPECT_EQ(dialUp.first(), "5");
    EXPECT_EQ(dialUp.at(1), "10");

    const QStringList limits = AlertLimitItems();
    ASSERT_EQ(limits.size(), 220);
    EXPECT_EQ(limits.at(0), "No Limit");
    EXPECT_EQ(limits.at(19), "19");
    EXPECT_EQ(limits.at(20), "20");
    EXPECT_EQ(limits.at(21), "40");
    EXPECT_EQ(limits.last(), "4000");

    EXPECT_EQ(AlertImageItems(false).size(), 50);
    EXPECT_EQ(AlertImageItems(true), (QStringList{"1", "2", "3", "4", "5"}));
}

TEST(AlertOptions, DialUpRaisesShortPeriodsAndCutsLargePictureCounts) {
    SettingsRecord record;
    record.AlertPeriodMinutes = 2;
    record.AlertMaxImages = 20;
    record.EmailLimit = 0;
    AlertComboLists lists = FillAlertComboLists(record, true);
    EXPECT_EQ(lists.minutesText, "5");
    EXPECT_EQ(lists.imagesText, "1");
    EXPECT_EQ(lists.limitText, "No Limit");
    EXPECT_EQ(record.AlertPeriodMinutes, 5);
    EXPECT_EQ(record.AlertMaxImages, 1);

    // Values that suit the line stay, and broadband keeps whatever was stored.
    record.AlertPeriodMinutes = 7;
    record.AlertMaxImages = 5;
    record.EmailLimit = 25;
    lists = FillAlertComboLists(record, true);
    EXPECT_EQ(lists.minutesText, "7");
    EXPECT_EQ(lists.imagesText, "5");
    EXPECT_EQ(lists.limitText, "25");
    record.AlertPeriodMinutes = 2;
    record.AlertMaxImages = 20;
    lists = FillAlertComboLists(record, false);
    EXPECT_EQ(lists.minutesText, "2");
    EXPECT_EQ(lists.imagesText, "20");
    EXPECT_EQ(record.AlertPeriodMinutes, 2);
    EXPECT_EQ(record.AlertMaxImages, 20);
}

TEST(AlertOptions, SummaryCountsTheGridAndTellsTheLimit) {
    SettingsRecord record;
    AlertSummaryTexts texts = UpdateAlertSummary(record, Chosen("10", "1", "No Limit", 2));
    EXPECT_EQ(texts.summary, "Sending a total of 9 captured within the last 10 minutes (Enabled)");
    EXPECT_EQ(record.AlertPeriodMinutes, 10);
    EXPECT_EQ(record.AlertMaxImages, 1);
    EXPECT_EQ(record.EmailLimit, 0);
    EXPECT_EQ(texts.limitUnit, "");
    EXPECT_EQ(texts.minutesUnit, "Minutes");
    EXPECT_EQ(texts.imagesUnit, "Image");

    texts = UpdateAlertSummary(record, Chosen("1", "3", "20", 0, false));
    EXPECT_EQ(texts.summary, "Sending a total of 3 captured within the last 1 minute (Disabled)");
    EXPECT_EQ(texts.limitUnit, "Emails");
    EXPECT_EQ(texts.minutesUnit, "Minute");
    EXPECT_EQ(texts.imagesUnit, "Images");

    // A used-up limit, ticked or not.
    texts = UpdateAlertSummary(record, Chosen("10", "1", "3", 0, true, 3));
    EXPECT_EQ(texts.summary, "Sending none (Limit Disabled)");
    texts = UpdateAlertSummary(record, Chosen("10", "1", "3", 0, false, 3));
    EXPECT_EQ(texts.summary, "Sending none (Limit Disabled)");
    texts = UpdateAlertSummary(record, Chosen("10", "1", "3", 0, true, 2));
    EXPECT_TRUE(texts.summary.endsWith(" (Enabled)"));
}

TEST(AlertOptions, SummaryKeepsStoredValuesForTextsOutOfRange) {
    SettingsRecord record;
    record.AlertPeriodMinutes = 15;
    record.AlertMaxImages = 0;
    UpdateAlertSummary(record, Chosen("abc", "100", "No Limit", 0));
    EXPECT_EQ(record.AlertPeriodMinutes, 15);
    EXPECT_EQ(record.AlertMaxImages, 1); // 0 is never kept
    UpdateAlertSummary(record, Chosen("99999", "0", "No Limit", 0));
    EXPECT_EQ(record.AlertPeriodMinutes, 15);
    EXPECT_EQ(record.AlertMaxImages, 1);
}

TEST(AlertOptions, ImageCountWithoutAChosenFormatUsesTheStoredOne) {
    SettingsRecord record;
    record.AlertMaxImages = 2;
    record.AlertFormat = 3;
    EXPECT_EQ(AlertImageCount(record, 1), 8);  // the live choice wins
    EXPECT_EQ(AlertImageCount(record, -1), 32); // 4 x 4 stored
    record.AlertFormat = 9;
    EXPECT_EQ(AlertImageCount(record, -1), 2);
    record.AlertFormat = -1;
    EXPECT_EQ(AlertImageCount(record, 6), 2);
}

TEST(AlertOptions, CountdownAndStatusTexts) {
    EXPECT_EQ(AlertCountdownText(5), "    0:05");
    EXPECT_EQ(AlertCountdownText(-70), "    -1:10");
    EXPECT_EQ(AlertCountdownText(-5), "    -0:05");
    EXPECT_EQ(AlertCountdownText(600), "    10:00");
    EXPECT_EQ(AlertCountdownText(0), "    0:00");
    EXPECT_EQ(AlertStatusLine(0, AlertCountdownText(5), 3), "Sent 00000 Next     0:05 Cue 003");
    EXPECT_EQ(AlertSentCountText(123456), "23456");
    EXPECT_EQ(AlertQueueSizeText(1234), "234");
}

TEST(AlertOptions, AddressChecksComeInOrder) {
    EXPECT_EQ(CheckAlertAddresses("  ", "bad", "bad"), "Please enter your SMTP Host. ");
    EXPECT_EQ(CheckAlertAddresses("mail.example.com", "me@gmail.com", "x@example.com"),
              "Please enter a valid email address. ");
    EXPECT_EQ(CheckAlertAddresses("mail.example.com", "me@example.com", "nobody"), "Invalid to alert email address.");
    EXPECT_EQ(CheckAlertAddresses("mail.example.com", "me@example.com", " , "), "Invalid to alert email address.");
    EXPECT_EQ(CheckAlertAddresses("mail.example.com", "me@example.com", "a@example.com, nobody"),
              "Invalid to alert email address.");
    // Recipients are a list: two addresses pass, free mail is fine for them.
    EXPECT_EQ(CheckAlertAddresses("mail.example.com", "me@example.com", "a@example.com, b@gmail.com"), "");
    EXPECT_EQ(CheckAlertAddresses("mail.example.com", " me@example.com ", "a@example.com,"), "");
}
