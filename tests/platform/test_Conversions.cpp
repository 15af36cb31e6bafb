#include "platform/Ansi.h"
#include "platform/Rounding.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace platform;

TEST(Rounding, HalvesGoToEvenOthersToNearest) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(RoundHalfEven(-0.6), -1);
    EXPECT_EQ(RoundHalfEven(1e3), 1000);
}

TEST(Rounding, NonFiniteAndHugeValuesDoNotOverflow) {
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<qint64>::max());
    EXPECT_EQ(RoundHalfEven(-1e300), std::numeric_limits<qint64>::min());
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::infinity()),
              std::numeric_limits<qint64>::max());
}

TEST(Rounding, SixteenBitFieldsSaturateInsteadOfWrapping) {
    EXPECT_EQ(SaturateInt16(40000), 32767);
    EXPECT_EQ(SaturateInt16(-40000), -32768);
    EXPECT_EQ(SaturateInt16(65536 + 5), 32767);
    EXPECT_EQ(SaturateInt16(-7), -7);
    EXPECT_EQ(SaturateInt32(5000000000LL), std::numeric_limits<qint32>::max());
}

TEST(Ansi, EveryByteSurvivesTheRoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = FromAnsi(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToAnsi(text), all);
}

TEST(Ansi, UsesTheWindows1252Table) {
    EXPECT_EQ(FromAnsi(QByteArray("\x80\xE9\x9F", 3)), QString::fromUtf8("€éŸ"));
    EXPECT_EQ(ToAnsi(QString::fromUtf8("€ é ™")), QByteArray("\x80 \xE9 \x99"));
    // No byte for it: a question mark, never a dropped character.
    EXPECT_EQ(ToAnsi(QString::fromUtf8("a\u4E2Db")), QByteArray("a?b"));
}
