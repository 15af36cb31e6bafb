#include "core/Helpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(Helpers, SubstringsForgiveBounds) {
    EXPECT_EQ(RightStr("abc", 5), "abc");
    EXPECT_EQ(RightStr("abc", 2), "bc");
    EXPECT_EQ(RightStr("abc", -1), "");
    EXPECT_EQ(LeftStr("abc", 0), "");
    EXPECT_EQ(LeftStr("abc", 9), "abc");
    EXPECT_EQ(LeftStr("abc", -3), "");
    EXPECT_EQ(MidStr("abcdef", 2, 3), "bcd");
    EXPECT_EQ(MidStr("abcdef", 5, 10), "ef");
    EXPECT_EQ(MidStr("abcdef", 7, 1), "");
    EXPECT_EQ(MidStr("abcdef", 0, 2), "ab");
    EXPECT_EQ(MidStr("abcdef", 2, -1), "");
}

TEST(Helpers, SafeStrToIntIsTolerant) {
    EXPECT_EQ(SafeStrToInt(""), 0);
    EXPECT_EQ(SafeStrToInt("x"), 0);
    EXPECT_EQ(SafeStrToInt("12 "), 0);
    EXPECT_EQ(SafeStrToInt("12x"), 0);
    EXPECT_EQ(SafeStrToInt("  7"), 7);
    EXPECT_EQ(SafeStrToInt("1e3"), 1000);
    EXPECT_EQ(SafeStrToInt("2.5"), 2);
    EXPECT_EQ(SafeStrToInt("3.5"), 4);
    EXPECT_EQ(SafeStrToInt("-12"), -12);
    EXPECT_EQ(SafeStrToInt("e3"), 0);
    EXPECT_EQ(SafeStrToInt("1e"), 0);
    EXPECT_EQ(SafeStrToInt("nan"), 0);
    EXPECT_EQ(SafeStrToInt("inf"), 0);
    EXPECT_EQ(SafeStrToInt("1e400"), 0);
    EXPECT_EQ(SafeStrToInt("99999999999"), 2147483647);
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

    EXPECT_EQ(SlotToTimeText(0), "00:00");
    EXPECT_EQ(SlotToTimeText(7), "01:10");
    EXPECT_EQ(SlotToTimeText(143), "23:50");
    EXPECT_EQ(SlotToTimeText(144), "24:00");

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
