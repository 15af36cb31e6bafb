#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <utility>

TEST(Helpers, SafeStrToIntIsTolerant) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},    {"x", 0},     {"12 ", 0},    {"12x", 0}, {"  7", 7},     {"1e3", 1000},
        {"2.5", 2}, {"3.5", 4},   {"-12", -12},  {"e3", 0},  {"1e", 0},      {"nan", 0},
        {"inf", 0}, {"1e400", 0}, {"99999999999", 2147483647}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(SafeStrToInt(text), value) << text;
}

TEST(Helpers, ComputerNameKeepsOnlyWhatAFileNameHolds) {
    const std::pair<QString, QString> cases[] = {
        {"MY PC.LAN", "MYPCLAN"},
        {"a@b$c#d", "abcd"},
        {"../x", "x"},
        {"cam/../../etc", "cametc"},
        {QStringLiteral("tab\there") + QChar(0) + "nul\x7f\n", "tabherenul"},
        {QStringLiteral("back\\slash:ok"), QStringLiteral("back\\slash:ok")},
        {"/ . /", "unkmown"},
    };
    for (const auto& [name, clean] : cases)
        EXPECT_EQ(CleanComputerName(name), clean) << name.toStdString();
}

TEST(Helpers, EmailAddressCheck) {
    QString message;
    EXPECT_TRUE(ValidateEmailAddress(" someone@example.org ", message, true));
    EXPECT_TRUE(ValidateEmailAddress("me@Hotmail.com", message, true));
    EXPECT_TRUE(ValidateEmailAddress("me@gmail.com", message, false));
    EXPECT_TRUE(message.isEmpty());
    for (const char* bad :
         {"", "   ", "someone@example", "someone.example.org", "some\"one@example.org",
          "some\\one@example.org", "a@b@example.org", " @example.org", "some.one@", "someone@"}) {
        message.clear();
        EXPECT_FALSE(ValidateEmailAddress(bad, message, false)) << bad;
        EXPECT_EQ(message, "Invalid Email Address") << bad;
    }
    message = "earlier text"; // a message already there is not replaced
    EXPECT_FALSE(ValidateEmailAddress("nobody", message, false));
    EXPECT_EQ(message, "earlier text");
    message.clear();
    EXPECT_FALSE(ValidateEmailAddress("me@hotmail.co.uk", message, true));
    EXPECT_EQ(message, "HOTMAIL.CO.UK emails not allowed");
}

TEST(Helpers, TrimTextKeepsNonBreakingSpace) {
    EXPECT_EQ(TrimText(QString::fromUtf8("\t a b \x01\n")), "a b");
    EXPECT_EQ(TrimText(QString::fromUtf8("\u00A0x\u00A0")), QString::fromUtf8("\u00A0x\u00A0"));
}

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

QString Format(const QString& pattern, const QDateTime& when) {
    return FormatDateTime(pattern, when, kEnglish);
}

} // namespace

TEST(DateTimeFormat, TheSevenCaptionFormatsAtAFixedTime) {
    QStringList got;
    for (int index = -1; index <= 7; ++index)
        got << Format(DateFormatByIndex(index), QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    EXPECT_EQ(got, QStringList({"", "d/m/y 05/03/24 14:07:09", "m/d/y 03/05/24 14:07:09",
                                "d/m/y 05/03/24 02:07:09 PM", "m/d/y 03/05/24 02:07:09 PM",
                                "Tue Mar 5-2024-02:07:09 PM", "Tue Mar 5-2024-02:07:09 PM",
                                "Tue Mar 5-2024-14:07:09", ""}));
}

TEST(DateTimeFormat, PatternRules) {
    // A 12-hour clock around midnight and noon.
    QStringList twelve;
    for (QTime t : {QTime(0, 5), QTime(12, 0), QTime(23, 59)})
        twelve << Format("h:nn AM/PM", QDateTime(QDate(2024, 1, 1), t));
    EXPECT_EQ(twelve, QStringList({"12:05 AM", "12:00 PM", "11:59 PM"}));
    EXPECT_EQ(Format("hh am/pm", QDateTime(QDate(2024, 1, 1), QTime(9, 0))), "09 am");
    // Letters without regard to case, m after an hour is minutes, quoted text, locale names.
    const QDateTime when(QDate(2009, 11, 1), QTime(8, 4, 3));
    EXPECT_EQ(Format("DD/MM/YYYY HH:MM:SS", when), "01/11/2009 08:04:03");
    EXPECT_EQ(Format("m h m mm", when), "11 8 4 11");
    EXPECT_EQ(Format("dddd d mmmm yy", when), "Sunday 1 November 09");
    EXPECT_EQ(Format("'at' h \"hh:mm\" n s", when), "at 8 hh:mm 4 3");
    EXPECT_EQ(Format("q-x", when), "q-x");
    EXPECT_EQ(FormatDateTime("ddd mmm", when, QLocale(QLocale::French, QLocale::France)),
              "dim. nov.");
}
