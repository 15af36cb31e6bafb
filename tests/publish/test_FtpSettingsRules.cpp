#include "publish/FtpSettingsRules.h"

#include "core/SettingsRecord.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(FtpSettingsRules, EmptyExportNamesGetDefaultsAndOneExportModeIsPicked) {
    SettingsRecord record;
    record.FtpExportName1 = "   ";
    record.FtpExportName2 = "";
    FtpForm form;
    LoadFtpSettings(record, form);
    EXPECT_EQ(record.FtpExportName1, "netcam1");
    EXPECT_EQ(form.exportName2, "netcam2");
    // The defaults tick both Export As and Disabled: Disabled is the one left on.
    EXPECT_EQ(ExportModeFromRecord(SettingsRecord()), FtpExportMode::Disabled);
    record.FtpExportDisabled = false;
    EXPECT_EQ(ExportModeFromRecord(record), FtpExportMode::ExportAs);
    record.FtpRecycle = true;
    EXPECT_EQ(ExportModeFromRecord(record), FtpExportMode::Recycle);
}

TEST(FtpSettingsRules, StoreCutsTextsKeepsOutOfRangeMaximumAndNeedsSaveSettings) {
    SettingsRecord record;
    FtpForm form;
    form.host = QString(300, 'h');
    form.user = "  " + QString(30, 'u');
    form.password = QString(26, 'p');
    form.exportName1 = QString(60, 'a');
    form.remoteDir = " /pics ";
    form.exportMode = FtpExportMode::Recycle;
    form.maxImagesText = " 5 ";
    ASSERT_TRUE(StoreFtpSettings(form, record));
    EXPECT_EQ(record.FtpHost.size(), 255);
    EXPECT_EQ(record.FtpUser, QString(25, 'u'));
    EXPECT_EQ(record.FtpPassword.size(), 25);
    EXPECT_EQ(record.FtpExportName1.size(), 55);
    EXPECT_EQ(record.FtpRemoteDir, "/pics");
    EXPECT_TRUE(record.FtpRecycle);
    EXPECT_FALSE(record.FtpExportDisabled || record.FtpExportAs || record.FtpExportAll);
    EXPECT_EQ(record.FtpMaxImages, 5);

    for (const char* text : {"0", "1000", "", "abc", "-3"}) {
        form.maxImagesText = text;
        ASSERT_TRUE(StoreFtpSettings(form, record));
        EXPECT_EQ(record.FtpMaxImages, 5) << text;
    }
    form.maxImagesText = "999";
    StoreFtpSettings(form, record);
    EXPECT_EQ(record.FtpMaxImages, 999);

    form.saveSettings = false;
    form.host = "other";
    EXPECT_FALSE(StoreFtpSettings(form, record));
    EXPECT_EQ(record.FtpHost.size(), 255);
}
