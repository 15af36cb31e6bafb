#include "core/EmailSettingsRecord.h"
#include "core/PasswordScrambler.h"
#include "core/SettingsRecord.h"
#include "platform/Ansi.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

struct Span {
    int first;
    int last;
    std::string name;
};

// Every byte belongs to exactly one field or listed reserved range; no name is listed twice.
void ExpectExactCover(const std::vector<RecordFieldInfo>& fields, std::vector<Span> spans, int size) {
    std::set<std::string> names;
    for (const auto& f : fields) {
        spans.push_back({f.offset, f.offset + f.size - 1, f.name});
        EXPECT_TRUE(names.insert(f.name).second) << "listed twice: " << f.name;
    }
    std::sort(spans.begin(), spans.end(), [](auto& a, auto& b) { return a.first < b.first; });
    int next = 0;
    for (const auto& s : spans) {
        EXPECT_EQ(s.first, next) << (s.first < next ? "overlap at " : "unlisted gap before ")
                                 << s.name << " (" << s.first << ")";
        next = std::max(next, s.last + 1);
    }
    EXPECT_EQ(next, size);
}

QByteArray RandomImage(int size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray image(size, '\0');
    for (auto& c : image)
        c = static_cast<char>(random.bounded(256));
    return image;
}

} // namespace

TEST(SettingsRecord, LayoutCoversTheRecordAndReservedBytesRoundTrip) {
    std::vector<Span> reserved;
    for (const auto& [first, last] : SettingsRecord::ReservedRanges())
        reserved.push_back({first, last, "reserved"});
    EXPECT_TRUE(std::any_of(reserved.begin(), reserved.end(),
                            [](const Span& s) { return s.first == 2202 && s.last == 2203; }));
    ExpectExactCover(SettingsRecord::FieldTable(), reserved, SettingsRecord::kSize);

    // Decoding and encoding random bytes gives them back unchanged, fields and holes alike.
    const QByteArray original = RandomImage(SettingsRecord::kSize, 7);
    const QByteArray again = SettingsRecord::Decode(original).Encode();
    for (const Span& s : reserved)
        EXPECT_EQ(again.mid(s.first, s.last - s.first + 1), original.mid(s.first, s.last - s.first + 1))
            << "reserved " << s.first << "-" << s.last;
    EXPECT_EQ(SettingsRecord::Decode(again).Encode(), again);
}

TEST(SettingsRecord, FieldsSitAtTheirOffsetsLittleEndian) {
    SettingsRecord r;
    r.Sensitivity1 = 0x1234;
    r.EmailLimit = -2;
    const QByteArray image = r.Encode();
    ASSERT_EQ(image.size(), SettingsRecord::kSize);
    EXPECT_EQ(image.mid(12, 2).toHex(), "3412");
    EXPECT_EQ(image.mid(2204, 4).toHex(), "feffffff");
}

TEST(SettingsRecord, OversizedLengthByteAndTextAreClampedToCapacity) {
    QByteArray image(SettingsRecord::kSize, '\0');
    image[2679] = char(200); // PhonePictureSize holds at most 5 characters
    image.replace(2680, 6, "123456");
    EXPECT_EQ(SettingsRecord::Decode(image).PhonePictureSize, "12345");

    SettingsRecord w;
    w.LockPassword = QString(40, 'p');
    w.Cam1Name = "ab";
    w.RecordImage.replace(599, 10, QByteArray(10, 'z')); // stale bytes behind the text
    const QByteArray out = w.Encode();
    EXPECT_EQ(out.at(315), 25);
    EXPECT_EQ(out.at(341), 0) << "the next field is untouched";
    EXPECT_EQ(out.at(597), 2);
    EXPECT_EQ(out.mid(600, 98), QByteArray(98, '\0'));
}

TEST(EmailSettingsRecord, LayoutCoversTheRecordAndPaddingRoundTrips) {
    ExpectExactCover(EmailSettingsRecord::FieldTable(), {{1225, 1227, "padding"}},
                     EmailSettingsRecord::kSize);
    const QByteArray original = RandomImage(EmailSettingsRecord::kSize, 11);
    const QByteArray again = EmailSettingsRecord::Decode(original).Encode();
    EXPECT_EQ(again.mid(1212, 12), original.mid(1212, 12)); // the numbers
    EXPECT_EQ(again.mid(1225, 3), original.mid(1225, 3));   // the padding behind the Boolean
    EXPECT_EQ(EmailSettingsRecord::Decode(again).Encode(), again);
}

TEST(PasswordScrambler, KnownTextGivesKnownBytes) {
    EXPECT_EQ(platform::ToAnsi(ScramblePassword("secret")).toHex(' '), "e5 cb 50 3b 03 69");
    EXPECT_EQ(UnscramblePassword(platform::FromAnsi(QByteArray::fromHex("e5cb503b0369"))),
              "secret");
    EXPECT_TRUE(ScramblePassword("").isEmpty());
    EXPECT_EQ(ScramblePassword(QString(300, 'x')).size(), 255); // cut to the field's capacity
}

TEST(PasswordScrambler, AnyByteStringRoundTrips) {
    QRandomGenerator random(20240611);
    for (int round = 0; round < 200; ++round) {
        const QByteArray plain = RandomImage(random.bounded(1, 256), random.generate());
        const QByteArray scrambled = ScrambleBytes(plain, 38561, 73096, 419);
        ASSERT_EQ(scrambled.size(), plain.size());
        ASSERT_EQ(UnscrambleBytes(scrambled, 38561, 73096, 419), plain);
        // The same through the text form the records hold.
        const QString text = platform::FromAnsi(plain);
        ASSERT_EQ(UnscramblePassword(ScramblePassword(text)), text);
    }
}
