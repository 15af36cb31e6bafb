#include "core/DateTimeFormat.h"
#include "core/Helpers.h"

#include <gtest/gtest.h>

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

QString Format(const QString& pattern, const QDateTime& when) {
    return FormatDateTime(pattern, when, kEnglish);
}

} // namespace

TEST(DateTimeFormat, TheSevenCaptionFormatsAtAFixedTime) {
    const QDateTime afternoon(QDate(2024, 3, 5), QTime(14, 7, 9));
    EXPECT_EQ(Format(DateFormatByIndex(0), afternoon), "d/m/y 05/03/24 14:07:09");
    EXPECT_EQ(Format(DateFormatByIndex(1), afternoon), "m/d/y 03/05/24 14:07:09");
    EXPECT_EQ(Format(DateFormatByIndex(2), afternoon), "d/m/y 05/03/24 02:07:09 PM");
    EXPECT_EQ(Format(DateFormatByIndex(3), afternoon), "m/d/y 03/05/24 02:07:09 PM");
    EXPECT_EQ(Format(DateFormatByIndex(4), afternoon), "Tue Mar 5-2024-02:07:09 PM");
    EXPECT_EQ(Format(DateFormatByIndex(5), afternoon), "Tue Mar 5-2024-02:07:09 PM");
    EXPECT_EQ(Format(DateFormatByIndex(6), afternoon), "Tue Mar 5-2024-14:07:09");
    EXPECT_TRUE(DateFormatByIndex(7).isEmpty());
    EXPECT_TRUE(DateFormatByIndex(-1).isEmpty());
}

TEST(DateTimeFormat, TwelveHourClockAroundMidnightAndNoon) {
    const QString pattern = "h:nn AM/PM";
    EXPECT_EQ(Format(pattern, QDateTime(QDate(2024, 1, 1), QTime(0, 5))), "12:05 AM");
    EXPECT_EQ(Format(pattern, QDateTime(QDate(2024, 1, 1), QTime(12, 0))), "12:00 PM");
    EXPECT_EQ(Format(pattern, QDateTime(QDate(2024, 1, 1), QTime(23, 59))), "11:59 PM");
    EXPECT_EQ(Format("hh am/pm", QDateTime(QDate(2024, 1, 1), QTime(9, 0))), "09 am");
}

TEST(DateTimeFormat, LettersCaseMinutesAfterHourQuotesAndNames) {
    const QDateTime when(QDate(2009, 11, 1), QTime(8, 4, 3));
    EXPECT_EQ(Format("DD/MM/YYYY HH:MM:SS", when), "01/11/2009 08:04:03");
    EXPECT_EQ(Format("m h m mm", when), "11 8 4 11");
    EXPECT_EQ(Format("dddd d mmmm yy", when), "Sunday 1 November 09");
    EXPECT_EQ(Format("'at' h \"hh:mm\" n s", when), "at 8 hh:mm 4 3");
    EXPECT_EQ(Format("q-x", when), "q-x");
    EXPECT_EQ(FormatDateTime("ddd mmm", when, QLocale(QLocale::French, QLocale::France)),
              "dim. nov.");
}
