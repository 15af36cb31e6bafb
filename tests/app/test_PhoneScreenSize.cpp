// The phone screen size: 1..2000 is stored; anything else is told and the size stays as it
// was (a size stored out of range by an older copy becomes 150).
#include "MainWindowFixture.h"

#include "app/SettingsCopy.h"

TEST(PhoneScreenSize, OnlyOneTo2000IsTaken) {
    const struct {
        QString stored, typed;
        bool taken;
        QString kept; // the record and the control afterwards
    } cases[] = {
        {"300", "2000", true, "2000"}, {"300", " 1 ", true, " 1 "},   {"300", "", true, "150"},
        {"300", "2001", false, "300"}, {"300", "8000", false, "300"}, {"300", "0", false, "300"},
        {"300", "-5", false, "300"},   {"300", "abc", false, "300"},  {"99999", "99999", false, "150"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.stored + " / " + c.typed).toStdString());
        SettingsRecord record;
        record.PhonePictureSize = c.stored;
        OptionControlValues controls;
        controls.phoneSizeCombo.text = c.typed;
        EXPECT_EQ(SettingsCopy::GatherOptions(controls, record), c.taken);
        EXPECT_EQ(record.PhonePictureSize, c.kept);
        EXPECT_EQ(controls.phoneSizeCombo.text, c.kept);
    }
}

TEST_F(MainWindowFixture, APhoneScreenSizeOutOfRangeIsToldAndNotSaved) {
    WriteSettings([](SettingsRecord& r) { r.PhonePictureSize = "200"; });
    Start();
    messages.clear();
    mainWindow->phoneSizeCombo->setEditText("8000");
    mainWindow->GatherAndSaveSettings();
    EXPECT_EQ(messages, QStringList{"The phone screen size must be a number from 1 to 2000."});
    EXPECT_EQ(mainWindow->phoneSizeCombo->currentText(), "200");
    EXPECT_EQ(FileRecord().PhonePictureSize, "200");
}
