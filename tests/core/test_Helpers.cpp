#include "core/Helpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <utility>

TEST(Helpers, SubstringsForgiveBounds) {
    const QStringList got{RightStr("abc", 5),    RightStr("abc", 2),     RightStr("abc", -1),
                          LeftStr("abc", 0),     LeftStr("abc", 9),      LeftStr("abc", -3),
                          MidStr("abcdef", 2, 3), MidStr("abcdef", 5, 10), MidStr("abcdef", 7, 1),
                          MidStr("abcdef", 2, -1)};
    EXPECT_EQ(got, QStringList({"abc", "bc", "", "", "abc", "", "bcd", "ef", "", ""}));
}

TEST(Helpers, SafeStrToIntIsTolerant) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},    {"x", 0},     {"12 ", 0},    {"12x", 0}, {"  7", 7},     {"1e3", 1000},
        {"2.5", 2}, {"3.5", 4},   {"-12", -12},  {"e3", 0},  {"1e", 0},      {"nan", 0},
        {"inf", 0}, {"1e400", 0}, {"99999999999", 2147483647}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(SafeStrToInt(text), value) << text;
}

TEST(Helpers, ReplaceAllTextIgnoresCase) {
    EXPECT_EQ(ReplaceAllText("aXbxc", "x", "-"), "a-b-c");
    EXPECT_EQ(ReplaceAllText("Hello", "", "-"), "Hello");
    EXPECT_EQ(ReplaceAllText("abab", "AB", "ab!"), "ab!ab!");
}

TEST(Helpers, EmailAddressCheck) {
    QString message;
    EXPECT_TRUE(ValidateEmailAddress(" someone@example.org ", message, true));
    EXPECT_TRUE(message.isEmpty());
    for (const char* bad :
         {"", "   ", "someone@example", "someone.example.org", "some\"one@example.org",
          "some\\one@example.org", "a@b@example.org", " @example.org", "some.one@", "someone@"}) {
        message.clear();
        EXPECT_FALSE(ValidateEmailAddress(bad, message, false)) << bad;
        EXPECT_EQ(message, "Invalid Email Address") << bad;
    }
    message = "earlier text";
    EXPECT_FALSE(ValidateEmailAddress("nobody", message, false));
    EXPECT_EQ(message, "earlier text");

    message.clear();
    EXPECT_FALSE(ValidateEmailAddress("me@hotmail.co.uk", message, true));
    EXPECT_EQ(message, "HOTMAIL.CO.UK emails not allowed");
    message.clear();
    EXPECT_TRUE(ValidateEmailAddress("me@Hotmail.com", message, true));
    EXPECT_TRUE(ValidateEmailAddress("me@gmail.com", message, false));
}

TEST(Helpers, ComputerNameSlotsAndFileNames) {
    EXPECT_EQ(CleanComputerName("MY PC.LAN"), "MYPCLAN");
    EXPECT_EQ(CleanComputerName(" $#@. "), "unkmown");
    EXPECT_EQ(CleanComputerName("a$b#c@d"), "abcd");
    EXPECT_FALSE(GetCleanComputerName().isEmpty());

    EXPECT_EQ(QStringList({SlotToTimeText(0), SlotToTimeText(7), SlotToTimeText(143), SlotToTimeText(144)}),
              QStringList({"00:00", "01:10", "23:50", "24:00"}));

    EXPECT_EQ(CameraDataFileName(platform::ProgramFolder("/opt/st"), 2), "/opt/st/CAM2.DAT");
    EXPECT_EQ(DriveLetterToNumber(" C: "), 3);
    EXPECT_EQ(DriveLetterToNumber("A"), 1);
    EXPECT_EQ(DriveLetterToNumber(""), 0);
}

TEST(Helpers, FileSizeOfExistingFilesOnly) {
    TestSupport::TempProgramFolder dir;
    ASSERT_TRUE(TestSupport::WriteAll(dir.file("a.jpg"), QByteArray(1234, 'x')));
    EXPECT_EQ(GetFileSizeOf(dir.file("a.jpg")), 1234);
    EXPECT_EQ(GetFileSizeOf(dir.file("missing.jpg")), 0);
    EXPECT_EQ(GetFileSizeOf(dir.path()), 0);
}

TEST(Helpers, TrimTextKeepsNonBreakingSpace) {
    EXPECT_EQ(TrimText(QString::fromUtf8("\t a b \x01\n")), "a b");
    EXPECT_EQ(TrimText(QString::fromUtf8("\u00A0x\u00A0")), QString::fromUtf8("\u00A0x\u00A0"));
}
