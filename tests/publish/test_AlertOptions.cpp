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

TEST(AlertOptions, DialUpRaisesShortPeriodsAndCutsLargePictureCounts) {
    SettingsRecord record;
    record.AlertPeriodMinutes = 2;
    record.AlertMaxImages = 20;
    record.EmailLimit = 0;
    auto shown = [&](int minutes, int images, bool dialUp) {
        record.AlertPeriodMinutes = minutes;
        record.AlertMaxImages = images;
        const AlertComboLists lists = FillAlertComboLists(record, dialUp);
        EXPECT_EQ(lists.minutesText, QString::number(record.AlertPeriodMinutes));
        EXPECT_EQ(lists.imagesText, QString::number(record.AlertMaxImages));
        return std::pair<int, int>(record.AlertPeriodMinutes, record.AlertMaxImages);
    };
    EXPECT_EQ(shown(2, 20, true), std::pair(5, 1));
    EXPECT_EQ(FillAlertComboLists(record, true).limitText, "No Limit");
    // Values that suit the line stay, and broadband keeps whatever was stored.
    EXPECT_EQ(shown(7, 5, true), std::pair(7, 5));
    EXPECT_EQ(shown(2, 20, false), std::pair(2, 20));
    record.EmailLimit = 25;
    EXPECT_EQ(FillAlertComboLists(record, true).limitText, "25");
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
    for (bool ticked : {true, false})
        EXPECT_EQ(UpdateAlertSummary(record, Chosen("10", "1", "3", 0, ticked, 3)).summary,
                  "Sending none (Limit Disabled)");
    EXPECT_TRUE(UpdateAlertSummary(record, Chosen("10", "1", "3", 0, true, 2)).summary.endsWith(" (Enabled)"));

    // Texts out of range keep the stored values, but a stored 0 pictures is never kept.
    record.AlertPeriodMinutes = 15;
    record.AlertMaxImages = 0;
    for (const auto& [minutes, images] : {std::pair("abc", "100"), std::pair("99999", "0")}) {
        UpdateAlertSummary(record, Chosen(minutes, images, "No Limit", 0));
        EXPECT_EQ(record.AlertPeriodMinutes, 15);
        EXPECT_EQ(record.AlertMaxImages, 1);
    }
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

TEST(AlertOptions, AddressChecksComeInOrder) {
    EXPECT_EQ(CheckAlertAddresses("  ", "bad", "bad"), "Please enter your SMTP Host. ");
    EXPECT_EQ(CheckAlertAddresses("mail.example.com", "me@gmail.com", "x@example.com"),
              "Please enter a valid email address. ");
    EXPECT_EQ(CheckAlertAddresses("mail.example.com", "me@example.com", " , "), "Invalid to alert email address.");
    EXPECT_EQ(CheckAlertAddresses("mail.example.com", "me@example.com", "a@example.com, nobody"),
              "Invalid to alert email address.");
    // Recipients are a list: two addresses pass, free mail is fine for them.
    EXPECT_EQ(CheckAlertAddresses("mail.example.com", "me@example.com", "a@example.com, b@gmail.com"), "");
    EXPECT_EQ(CheckAlertAddresses("mail.example.com", " me@example.com ", "a@example.com,"), "");
}
