#include "capture/DriverAliasRecord.h"

#include <gtest/gtest.h>

TEST(DriverAliasRecordCodec, FieldsAtTheirOffsets) {
    DriverAliasRecord record;
    record.DriverName = "USB Camera";
    record.DriverAlias = "Front door";
    record.DriverStatus = "Connected";
    record.Reserved1 = 0x01020304;
    record.Reserved2 = -2;
    QByteArray bytes = record.Encode();
    ASSERT_EQ(bytes.size(), 312);
    EXPECT_EQ(bytes[0], char(10));
    EXPECT_EQ(bytes.mid(1, 10), QByteArray("USB Camera"));
    EXPECT_EQ(bytes[101], char(10));
    EXPECT_EQ(bytes.mid(102, 10), QByteArray("Front door"));
    EXPECT_EQ(bytes[202], char(9));
    EXPECT_EQ(bytes.mid(203, 9), QByteArray("Connected"));
    EXPECT_EQ(bytes.mid(304, 4), QByteArray("\x04\x03\x02\x01", 4));
    EXPECT_EQ(bytes.mid(308, 4), QByteArray("\xfe\xff\xff\xff", 4));
    // A new record is zero-filled outside its fields.
    EXPECT_EQ(bytes.mid(11, 90), QByteArray(90, '\0'));
    EXPECT_EQ(bytes[303], '\0');
}

TEST(DriverAliasRecordCodec, UndefinedBytesSurviveARewrite) {
    QByteArray original(312, '\xAA');
    original[0] = 3;
    original.replace(1, 3, "Cam");
    original[101] = 5;
    original.replace(102, 5, "Cam 1");
    original[202] = 0;
    original.replace(304, 8, QByteArray("\x07\x00\x00\x00\x09\x00\x00\x00", 8));

    DriverAliasRecord record = DriverAliasRecord::Decode(original);
    EXPECT_EQ(record.DriverName, "Cam");
    EXPECT_EQ(record.DriverAlias, "Cam 1");
    EXPECT_EQ(record.DriverStatus, "");
    EXPECT_EQ(record.Reserved1, 7);
    EXPECT_EQ(record.Reserved2, 9);
    EXPECT_EQ(record.Encode(), original);

    record.DriverAlias = "Gate";
    QByteArray rewritten = record.Encode();
    EXPECT_EQ(rewritten.mid(101, 5), QByteArray("\x04Gate", 5));
    EXPECT_EQ(rewritten.mid(106), original.mid(106)); // old tail bytes and reserved kept
    EXPECT_EQ(rewritten.left(101), original.left(101));
}

TEST(DriverAliasRecordCodec, BadLengthsAndLongTextsAreBounded) {
    QByteArray bytes(312, 'x');
    bytes[0] = char(255); // corrupt length: at most 100 characters are read
    bytes[101] = 0;
    bytes[202] = 0;
    DriverAliasRecord record = DriverAliasRecord::Decode(bytes);
    EXPECT_EQ(record.DriverName, QString(100, 'x'));

    EXPECT_TRUE(DriverAliasRecord::Decode(QByteArray(311, '\0')).DriverName.isEmpty());

    DriverAliasRecord longName;
    longName.DriverName = QString(150, 'n');
    longName.DriverAlias = QString::fromUtf8("Caf\u00e9 \u20ac \u4e00");
    QByteArray encoded = longName.Encode();
    EXPECT_EQ(encoded.size(), 312);
    EXPECT_EQ(quint8(encoded[0]), 100);
    EXPECT_EQ(encoded[101], char(8));
    EXPECT_EQ(encoded.mid(102, 8), QByteArray("Caf\xe9 \x80 ?"));
    EXPECT_EQ(DriverAliasRecord::Decode(encoded).DriverAlias, QString::fromUtf8("Caf\u00e9 \u20ac ?"));
}

TEST(DriverListLine, FormatAndSplit) {
    DriverAliasRecord record;
    record.DriverName = "  USB Camera \t";
    record.DriverAlias = " Front ";
    record.DriverStatus = "New Driver ";
    const QString line = FormatDriverLine(record);
    EXPECT_EQ(line, "USB CameraZXZXZXFrontWEWEWENew Driver");

    QString name, status, alias;
    SplitDriverLine(line, name, status, alias);
    EXPECT_EQ(name, "USB Camera");
    EXPECT_EQ(alias, "Front");
    EXPECT_EQ(status, "New Driver");

    // An alias holding the status marker keeps it; the status comes after the last marker.
    SplitDriverLine(FormatDriverLine("Cam", "aWEWEWEb", "Connected"), name, status, alias);
    EXPECT_EQ(alias, "aWEWEWEb");
    EXPECT_EQ(status, "Connected");

    SplitDriverLine("no markers", name, status, alias);
    EXPECT_EQ(name, "no markers");
    EXPECT_EQ(alias, "");
    EXPECT_EQ(status, "");

    SplitDriverLine("CamZXZXZXonly alias", name, status, alias);
    EXPECT_EQ(name, "Cam");
    EXPECT_EQ(alias, "only alias");
    EXPECT_EQ(status, "");
}

