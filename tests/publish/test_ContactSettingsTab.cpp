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
    tab.ToTime->setCurrentIndex(0);
    tab.contactDay->setCurrentIndex(-1); // no selection: the stored index stays
    tab.UseContactInfo->setChecked(true);
    store->EmailRecord().ContactDay = 6;
    CollectAlertSettings(store->EmailRecord(), {"mail.example.com", "u", "pw", "me@example.com"}, tab.Edits());
    ASSERT_TRUE(store->SaveAlertSettingsFile());

    auto reader = Store();
    ContactSettingsTab shown;
    ASSERT_TRUE(shown.LoadContactSettings(*reader));
    EXPECT_EQ(shown.firstNameEdit->text(), "Ann Example");
    EXPECT_EQ(shown.secondNoteEdit->text(), QString(100, u'n'));
    EXPECT_EQ(shown.FromTime->currentText(), "09:00");
    EXPECT_EQ(shown.ToTime->currentText(), "24:00");
    EXPECT_EQ(shown.contactDay->currentText(), "Friday");
    EXPECT_TRUE(shown.UseContactInfo->isChecked());
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
    EXPECT_EQ(tab.FromTime->currentText(), "24:00");
    EXPECT_EQ(tab.ToTime->currentText(), "24:00");

    store->EmailRecord().ContactFromTime = 77;
    store->EmailRecord().ContactDay = -4;
    ASSERT_TRUE(store->SaveAlertSettingsFile());
    ASSERT_TRUE(tab.LoadContactSettings(*Store()));
    EXPECT_EQ(tab.FromTime->currentText(), "09:00");
    EXPECT_EQ(tab.contactDay->currentText(), "Week Days");
}

TEST_F(ContactSettingsTabTest, ShortFileIsKeptAndReported) {
    ASSERT_TRUE(TestSupport::WriteAll(folder.file("ETR0511.dat"), QByteArray(100, 'x')));
    ContactSettingsTab tab;
    EXPECT_FALSE(tab.LoadContactSettings(*Store()));
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(folder.file("ETR0511.dat.bad")));
    EXPECT_EQ(tab.FromTime->currentText(), "09:00");
}
