#include "core/SettingsStore.h"
#include "publish/ContactSettingsTab.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

class ContactSettingsTabTest : public ::testing::Test {
protected:
    TestSupport::TempProgramFolder folder;
    TestSupport::MessageLog messages;
    std::unique_ptr<SettingsStore> Store() {
        return std::make_unique<SettingsStore>(platform::ProgramFolder(folder.path()), folder.path() + "torvek",
                                               QString());
    }
};

} // namespace

TEST_F(ContactSettingsTabTest, DetailsGoToTheFileAndComeBack) {
    auto store = Store();
    ContactSettingsTab tab;
    tab.LoadContactSettings(*store);
    tab.firstNameEdit->setText("  Ann Example ");
    tab.secondNoteEdit->setText(QString(100, u'n'));
    tab.toTimeCombo->setCurrentIndex(0);
    tab.contactDayCombo->setCurrentIndex(-1); // no selection: the stored index stays
    tab.useContactInfoBox->setChecked(true);
    store->EmailRecord().ContactDay = 6;
    CollectAlertSettings(store->EmailRecord(), {"mail.example.com", "u", "pw", "me@example.com"}, tab.Edits());
    ASSERT_TRUE(store->SaveAlertSettingsFile());

    auto reader = Store();
    ContactSettingsTab shown;
    ASSERT_TRUE(shown.LoadContactSettings(*reader));
    EXPECT_EQ(shown.firstNameEdit->text(), "Ann Example");
    EXPECT_EQ(shown.secondNoteEdit->text(), QString(100, u'n'));
    EXPECT_EQ(shown.fromTimeCombo->currentText(), "09:00");
    EXPECT_EQ(shown.toTimeCombo->currentText(), "24:00");
    EXPECT_EQ(shown.contactDayCombo->currentText(), "Friday");
    EXPECT_TRUE(shown.useContactInfoBox->isChecked());
    EXPECT_EQ(reader->EmailRecord().SmtpHost, "mail.example.com"); // the whole record is read
}

TEST_F(ContactSettingsTabTest, IndexesOfZeroShowMidnightAndDamagedOnesTheDefaults) {
    auto store = Store();
    store->EmailRecord().ContactFromTime = 0;
    store->EmailRecord().ContactToTime = 0;
    store->EmailRecord().ContactDay = 0;
    ASSERT_TRUE(store->SaveAlertSettingsFile());
    ContactSettingsTab tab;
    ASSERT_TRUE(tab.LoadContactSettings(*Store()));
    EXPECT_EQ(tab.fromTimeCombo->currentText(), "24:00");
    EXPECT_EQ(tab.toTimeCombo->currentText(), "24:00");

    store->EmailRecord().ContactFromTime = 77;
    store->EmailRecord().ContactDay = -4;
    ASSERT_TRUE(store->SaveAlertSettingsFile());
    ASSERT_TRUE(tab.LoadContactSettings(*Store()));
    EXPECT_EQ(tab.fromTimeCombo->currentText(), "09:00");
    EXPECT_EQ(tab.contactDayCombo->currentText(), "Week Days");
}

TEST_F(ContactSettingsTabTest, ShortFileIsKeptAndReported) {
    ASSERT_TRUE(TestSupport::WriteAll(folder.file("ETR0511.dat"), QByteArray(100, 'x')));
    ContactSettingsTab tab;
    EXPECT_FALSE(tab.LoadContactSettings(*Store()));
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(folder.file("ETR0511.dat.bad")));
    EXPECT_EQ(tab.fromTimeCombo->currentText(), "09:00");
}
