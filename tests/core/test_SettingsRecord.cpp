#include "core/EmailSettingsRecord.h"
#include "core/SettingsRecord.h"

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

// Every byte of the record belongs to exactly one field or listed reserved range.
void ExpectExactCover(std::vector<Span> spans, int size) {
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

TEST(SettingsRecord, FieldsAndReservedBytesCoverTheRecordExactly) {
    std::vector<Span> spans;
    std::set<std::string> names;
    for (const auto& f : SettingsRecord::FieldTable()) {
        spans.push_back({f.offset, f.offset + f.size - 1, f.name});
        EXPECT_TRUE(names.insert(f.name).second) << "listed twice: " << f.name;
    }
    bool holeListed = false;
    for (const auto& [first, last] : SettingsRecord::ReservedRanges()) {
        spans.push_back({first, last, "reserved"});
        holeListed |= first == 2202 && last == 2203;
    }
    EXPECT_TRUE(holeListed);
    ExpectExactCover(spans, SettingsRecord::kSize);
}

TEST(SettingsRecord, FieldsSitAtTheirOffsetsLittleEndian) {
    SettingsRecord r;
    r.Sensitivity1 = 0x1234;
    r.EmailLimit = -2;
    r.LogListView = 'T';
    r.ZoomSize[4] = 0x0102;
    r.DiskControl = true;
    const QByteArray image = r.Encode();
    ASSERT_EQ(image.size(), SettingsRecord::kSize);
    EXPECT_EQ(image.mid(12, 2).toHex(), "3412");
    EXPECT_EQ(image.mid(2204, 4).toHex(), "feffffff");
    EXPECT_EQ(image.at(986), 'T');
    EXPECT_EQ(image.mid(2066, 2).toHex(), "0201");
    EXPECT_EQ(image.at(2694), 1);
    EXPECT_EQ(image.at(597), 5);
    EXPECT_EQ(image.mid(598, 5), "Cam 1");
    EXPECT_EQ(image.mid(699, 5), "Cam 2");
}

TEST(SettingsRecord, DecodeEncodeKeepsReservedBytes) {
    const QByteArray original = RandomImage(SettingsRecord::kSize, 7);
    const QByteArray again = SettingsRecord::Decode(original).Encode();
    for (const auto& [first, last] : SettingsRecord::ReservedRanges())
        EXPECT_EQ(again.mid(first, last - first + 1), original.mid(first, last - first + 1))
            << "reserved " << first << "-" << last;
    // Fields decoded from the result equal those decoded from the original.
    const SettingsRecord a = SettingsRecord::Decode(original);
    const SettingsRecord b = SettingsRecord::Decode(again);
    EXPECT_EQ(a.FtpHost, b.FtpHost);
    EXPECT_EQ(a.ZoomLeft, b.ZoomLeft);
    EXPECT_EQ(a.DateFormatIndex, b.DateFormatIndex);
    EXPECT_EQ(a.PhonePictureSize, b.PhonePictureSize);
}

TEST(SettingsRecord, OversizedLengthByteAndTextAreClampedToCapacity) {
    QByteArray image(SettingsRecord::kSize, '\0');
    image[2679] = char(200); // PhonePictureSize holds at most 5 characters
    image.replace(2680, 6, "123456");
    const SettingsRecord r = SettingsRecord::Decode(image);
    EXPECT_EQ(r.PhonePictureSize, "12345");

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
    std::vector<Span> spans;
    for (const auto& f : EmailSettingsRecord::FieldTable())
        spans.push_back({f.offset, f.offset + f.size - 1, f.name});
    spans.push_back({1225, 1227, "padding"});
    ExpectExactCover(spans, EmailSettingsRecord::kSize);

    const QByteArray original = RandomImage(EmailSettingsRecord::kSize, 11);
    EmailSettingsRecord r = EmailSettingsRecord::Decode(original);
    const QByteArray again = r.Encode();
    EXPECT_EQ(again.mid(1225, 3), original.mid(1225, 3));
    EXPECT_EQ(again.mid(1212, 12), original.mid(1212, 12));
    EXPECT_EQ(EmailSettingsRecord::Decode(again).ContactNote2, r.ContactNote2);
}

TEST(EmailSettingsRecord, FirstRunClearsContactsButKeepsServer) {
    EmailSettingsRecord r;
    r.SmtpHost = "mail.example.org";
    r.SmtpUser = "me";
    r.ReplyAddress = "me@example.org";
    r.SmtpPassword = "x";
    r.ContactNote2 = "note";
    r.ContactFromTime = 9;
    r.UseContactInfo = true;
    r.ClearForFirstRun();
    EXPECT_EQ(r.SmtpHost, "mail.example.org");
    EXPECT_EQ(r.SmtpUser, "me");
    EXPECT_EQ(r.ReplyAddress, "me@example.org");
    EXPECT_TRUE(r.SmtpPassword.isEmpty());
    EXPECT_TRUE(r.ContactNote2.isEmpty());
    EXPECT_EQ(r.ContactFromTime, 0);
    EXPECT_FALSE(r.UseContactInfo);
}
