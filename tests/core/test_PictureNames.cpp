#include "core/PictureNames.h"

#include <gtest/gtest.h>

TEST(PictureNames, NumbersAndPrefixMakeTheName) {
    EXPECT_EQ(PictureFileNameFor(42, "OFFICE"), "000042OFFICE.jpg");
    EXPECT_EQ(PictureFileNameFor(1, "RECEPTIONPC"), "000001RECEPT.jpg");
    EXPECT_EQ(PictureFileNameFor(7, "AB CDEFG"), "000007AB CDE.jpg");
    EXPECT_EQ(PictureFileNameFor(1, ""), "Image000001.jpg");
    EXPECT_EQ(PictureFileNameFor(1, "      X"), "Image000001.jpg");
    // No wrap past six digits.
    EXPECT_EQ(PictureFileNameFor(1234567, "PC"), "1234567PC.jpg");
}

TEST(PictureNames, NumberIsReadBackFromAnyPictureName) {
    EXPECT_EQ(PictureNumberOf("000042OFFICE.jpg"), 42);
    EXPECT_EQ(PictureNumberOf("Image000042.jpg"), 42);
    EXPECT_EQ(PictureNumberOf("1234567PC.JPG"), 1234567);
    EXPECT_EQ(PictureNumberOf("holiday.jpg"), -1);
    EXPECT_EQ(PictureNumberOf("Image.jpg"), -1);
    EXPECT_EQ(NoteFileNameFor("000042OFFICE.jpg"), "000042OFFICE.txt");
}

TEST(PictureNames, NoteLeavesOutBlankSiteAndCamera) {
    EXPECT_EQ(PictureNoteLines(42, "000042PC.jpg", " Shop ", " Door ", "12:00"),
              QStringList({"N.o. 000042", "Site Location Shop", "Cam Location Door",
                           "000042PC.jpg Captured 12:00"}));
    EXPECT_EQ(PictureNoteLines(42, "000042PC.jpg", "  ", "", "12:00"),
              QStringList({"N.o. 000042", "000042PC.jpg Captured 12:00"}));
    EXPECT_EQ(PictureNoteLines(3, "Image000003.jpg", "", "Cam 1", "t"),
              QStringList({"N.o. 000003", "Cam Location Cam 1", "Image000003.jpg Captured t"}));
}

TEST(PictureNames, FtpRingRunsRoundItsSize) {
    int ring = 0;
    QStringList names;
    for (int i = 0; i < 5; ++i) {
        ring = NextFtpRingPosition(ring, 3);
        names << FtpRingRemoteName("netcam1", ring);
    }
    EXPECT_EQ(names, QStringList({"netcam100001.jpg", "netcam100002.jpg", "netcam100003.jpg",
                                  "netcam100001.jpg", "netcam100002.jpg"}));
    EXPECT_EQ(FtpRingRemoteName(" netcam1 ", 7), "netcam100007.jpg");
    EXPECT_EQ(FtpRingRemoteName("cam", 123456), "cam23456.jpg");
    // A ring of no size still names position 1, never 0 or beyond.
    EXPECT_EQ(NextFtpRingPosition(0, 0), 1);
    EXPECT_EQ(NextFtpRingPosition(1, 0), 1);
    EXPECT_EQ(NextFtpRingPosition(-5, 3), 1);
}

TEST(PictureNames, ExportAsNames) {
    EXPECT_EQ(FtpExportAsRemoteName("snap"), "snap.jpg");
    EXPECT_EQ(FtpExportAsRemoteName(" SNAP.JPG "), "SNAP.JPG");
    EXPECT_EQ(FtpExportAsRemoteName("ab"), "ab.jpg");
    EXPECT_EQ(FtpExportAsRemoteName("s"), "");
    EXPECT_EQ(FtpExportAsRemoteName("  "), "");
}
