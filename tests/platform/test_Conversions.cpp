#include "platform/Ansi.h"
#include "platform/Rounding.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <utility>

using namespace platform;

TEST(Rounding, HalvesGoToEvenAndNothingOverflows) {
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    const std::pair<double, qint64> cases[] = {
        {2.5, 2},     {3.5, 4},    {0.5, 0},       {-2.5, -2}, {-3.5, -4},
        {2.4999, 2},  {2.5001, 3}, {-0.6, -1},     {1e3, 1000}, {std::nan(""), 0},
        {1e300, kMax}, {-1e300, std::numeric_limits<qint64>::min()},
        {std::numeric_limits<double>::infinity(), kMax}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;

    // Numbers stored into 16-bit fields saturate instead of wrapping.
    EXPECT_EQ(SaturateInt16(40000), 32767);
    EXPECT_EQ(SaturateInt16(-40000), -32768);
    EXPECT_EQ(SaturateInt16(65536 + 5), 32767);
    EXPECT_EQ(SaturateInt16(-7), -7);
    EXPECT_EQ(SaturateInt32(5000000000LL), std::numeric_limits<qint32>::max());
}

TEST(Ansi, UsesTheWindows1252TableAndEveryByteRoundTrips) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    ASSERT_EQ(FromAnsi(all).size(), 256);
    EXPECT_EQ(ToAnsi(FromAnsi(all)), all);
    EXPECT_EQ(FromAnsi(QByteArray("\x80\xE9\x9F", 3)), QString::fromUtf8("€éŸ"));
    EXPECT_EQ(ToAnsi(QString::fromUtf8("€ é ™")), QByteArray("\x80 \xE9 \x99"));
    // No byte for it: a question mark, never a dropped character.
    EXPECT_EQ(ToAnsi(QString::fromUtf8("a\u4E2Db")), QByteArray("a?b"));
}
