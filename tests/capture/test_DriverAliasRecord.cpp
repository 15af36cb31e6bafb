// The 312-byte alias record and the driver list's line format.
#include "capture/DriverAliasRecord.h"

#include <gtest/gtest.h>

#include <QStringList>

TEST(DriverAliasRecordCodec, FieldsAtTheirOffsetsAndBounded) {
    DriverAliasRecord record;
    record.DriverName = QString(150, 'n'); // longer than a field holds
    record.DriverAlias = QString::fromUtf8("Caf\u00e9 \u20ac \u4e00");
    record.DriverStatus = "Connected";
    record.Reserved1 = 0x01020304;
    record.Reserved2 = -2;
    const QByteArray bytes = record.Encode();
    ASSERT_EQ(bytes.size(), 312);
    EXPECT_EQ(bytes.mid(0, 101), char(100) + QByteArray(100, 'n'));
    EXPECT_EQ(bytes.mid(101, 9), QByteArray("\x08" "Caf\xe9 \x80 ?")); // Windows-1252
    EXPECT_EQ(bytes.mid(110, 92), QByteArray(92, '\0')); // a new record is zero-filled
    EXPECT_EQ(bytes.mid(202, 10), QByteArray("\x09" "Connected"));
    EXPECT_EQ(bytes.mid(304), QByteArray("\x04\x03\x02\x01\xfe\xff\xff\xff", 8));
    EXPECT_EQ(DriverAliasRecord::Decode(bytes).DriverAlias, QString::fromUtf8("Caf\u00e9 \u20ac ?"));

    QByteArray corrupt(312, 'x');
    corrupt[0] = char(255); // at most 100 characters are read
    EXPECT_EQ(DriverAliasRecord::Decode(corrupt).DriverName, QString(100, 'x'));
    EXPECT_TRUE(DriverAliasRecord::Decode(QByteArray(311, '\0')).DriverName.isEmpty());
}

TEST(DriverAliasRecordCodec, UndefinedBytesSurviveARewrite) {
    QByteArray original(312, '\xAA');
    original.replace(0, 4, "\x03" "Cam");
    original.replace(101, 6, "\x05" "Cam 1");
    original[202] = 0;
    original.replace(304, 8, QByteArray("\x07\x00\x00\x00\x09\x00\x00\x00", 8));
    DriverAliasRecord record = DriverAliasRecord::Decode(original);
    EXPECT_EQ(QStringList({record.DriverName, record.DriverAlias, record.DriverStatus}),
              QStringList({"Cam", "Cam 1", ""}));
    EXPECT_EQ(record.Reserved1, 7);
    EXPECT_EQ(record.Reserved2, 9);
    EXPECT_EQ(record.Encode(), original);

    record.DriverAlias = "Gate";
    const QByteArray rewritten = record.Encode();
    EXPECT_EQ(rewritten.mid(101, 5), QByteArray("\x04" "Gate"));
    EXPECT_EQ(rewritten.left(101), original.left(101));
    EXPECT_EQ(rewritten.mid(106), original.mid(106)); // old tail bytes and reserved kept
}

TEST(DriverListLine, FormatAndSplit) {
    DriverAliasRecord record;
    record.DriverName = "  USB Camera \t";
    record.DriverAlias = " Front ";
    record.DriverStatus = "New Driver ";
    EXPECT_EQ(FormatDriverLine(record), "USB CameraZXZXZXFrontWEWEWENew Driver");

    // {line, name, alias, status}; the status comes after the last marker.
    const QList<QStringList> cases{
        {"USB CameraZXZXZXFrontWEWEWENew Driver", "USB Camera", "Front", "New Driver"},
        {FormatDriverLine("Cam", "aWEWEWEb", "Connected"), "Cam", "aWEWEWEb", "Connected"},
        {"no markers", "no markers", "", ""},
        {"CamZXZXZXonly alias", "Cam", "only alias", ""}};
    for (const QStringList& c : cases) {
        QString name, status, alias;
        SplitDriverLine(c[0], name, status, alias);
        EXPECT_EQ(QStringList({name, alias, status}), c.mid(1)) << c[0].toStdString();
    }
}
