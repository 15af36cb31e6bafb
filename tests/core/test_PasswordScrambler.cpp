#include "core/PasswordScrambler.h"

#include "platform/Ansi.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

TEST(PasswordScrambler, KnownTextGivesKnownBytes) {
    EXPECT_EQ(platform::ToAnsi(ScramblePassword("secret")).toHex(' '), "e5 cb 50 3b 03 69");
    EXPECT_EQ(UnscramblePassword(platform::FromAnsi(QByteArray::fromHex("e5cb503b0369"))),
              "secret");
    EXPECT_TRUE(ScramblePassword("").isEmpty());
}

TEST(PasswordScrambler, AnyByteStringRoundTrips) {
    QRandomGenerator random(20240611);
    for (int round = 0; round < 200; ++round) {
        QByteArray plain(random.bounded(1, 256), '\0');
        for (auto& c : plain)
            c = static_cast<char>(random.bounded(256));
        const QByteArray scrambled = ScrambleBytes(plain, 38561, 73096, 419);
        ASSERT_EQ(scrambled.size(), plain.size());
        ASSERT_EQ(UnscrambleBytes(scrambled, 38561, 73096, 419), plain);
        // The same through the text form the records hold.
        const QString text = platform::FromAnsi(plain);
        ASSERT_EQ(UnscramblePassword(ScramblePassword(text)), text);
    }
}

TEST(PasswordScrambler, LongTextIsCutToTheFieldsCapacity) {
    EXPECT_EQ(ScramblePassword(QString(300, 'x')).size(), 255);
}
