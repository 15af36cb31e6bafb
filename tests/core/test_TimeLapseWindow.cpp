#include "core/TimeLapseWindow.h"

#include "core/TimeOfDaySelector.h"
#include "support/TestSupport.h"
#include "TimeLapseRig.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace timelapse_test;
using TestSupport::WaitFor;

namespace {

struct FormRig : Rig {
    FormRig() : Rig(false), form(*lapse) {}

    // Runs the button with the dialog open; `act` drives the dialog while it shows.
    void ClickWhileOpen(std::function<void()> act) {
        bool ran = false;
        QTimer::singleShot(0, &form, [&] {
            ran = true;
            act();
            if (form.isVisible()) // never leave a modal loop the test cannot end
                form.reject();
        });
        lapse->TimeLapseButtonClick();
        EXPECT_TRUE(ran);
    }

    // TimeLapseSeconds as the file holds it now (record 1, after one empty record).
    qint16 FileSeconds() const {
        const int offset = SettingsRecord::kSize + 2194;
        const QByteArray bytes = TestSupport::ReadAll(settings.SettingsFilePath());
        return offset + 2 <= bytes.size() ? qFromLittleEndian<qint16>(bytes.constData() + offset) : qint16(-999);
    }
    TimeLapseWindow form;
};

} // namespace

TEST(TimeLapseWindow, SelectorsAndStartReachTheSettingsFile) {
    FormRig rig;
    TimeLapseWindow& f = rig.form;
    rig.ClickWhileOpen([&] {
        f.camera1WindowBox->setChecked(true);
        f.camera1StartSelector->ScrollBar()->setValue(48);
        f.camera1StopSelector->ScrollBar()->setValue(102);
        f.camera2WindowBox->setChecked(true);
        f.camera2StartSelector->ScrollBar()->setValue(132);
        f.camera2StopSelector->ScrollBar()->setValue(36);
        f.intervalEdit->setText("15");
        f.diskShareList->setCurrentRow(4);
        QTest::mouseClick(f.startTimeLapseButton, Qt::LeftButton);
    });
    // The estimate's texts are the time-lapse logic tests' matter.
    EXPECT_TRUE(rig.picture.Enabled());
    EXPECT_EQ(rig.picture.Interval(), 15000);
    EXPECT_EQ(rig.lapse->Values().percent, 5);

    const SettingsRecord r = rig.FileRecord();
    EXPECT_EQ(QList<int>({r.TimeLapseStart1, r.TimeLapseStop1, r.TimeLapseStart2, r.TimeLapseStop2,
                          r.TimeWindow1, r.TimeWindow2, r.TimeLapseSeconds}),
              QList<int>({48, 102, 132, 36, 1, 1, 15}));

    // The next time the dialog opens it shows what the file holds.
    int shownStart = -1;
    bool shownWindow = false;
    QString shownSeconds;
    rig.ClickWhileOpen([&] {
        shownStart = f.camera2StartSelector->SelectedSlot();
        shownWindow = f.camera2WindowBox->isChecked();
        shownSeconds = f.intervalEdit->text();
        QTest::mouseClick(f.closeTimeLapseButton, Qt::LeftButton);
    });
    EXPECT_EQ(shownStart, 132);
    EXPECT_TRUE(shownWindow);
    EXPECT_EQ(shownSeconds, "15");
}

TEST(TimeLapseWindow, AnotherStationWindowTakingOverSaves) {
    FormRig rig;
    TimeLapseWindow& f = rig.form;
    qint16 savedWhileOpen = -1;
    rig.ClickWhileOpen([&] {
        ASSERT_TRUE(WaitFor([&] { return QGuiApplication::focusWindow() == f.windowHandle(); }, 5000));
        f.intervalEdit->setText("42");
        QDialog other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(WaitFor([&] { return QGuiApplication::focusWindow() == other.windowHandle(); }, 5000));
        savedWhileOpen = rig.FileSeconds();
        other.close();
        QTest::mouseClick(f.closeTimeLapseButton, Qt::LeftButton);
    });
    EXPECT_EQ(savedWhileOpen, 42);
}

TEST(TimeLapseWindow, KeysStopAndTheConnectedMinimum) {
    FormRig rig;
    TimeLapseWindow& f = rig.form;
    rig.station.ftp = true;
    rig.ClickWhileOpen([&] {
        f.intervalEdit->setText("5");
        QTest::mouseClick(f.startTimeLapseButton, Qt::LeftButton);
    });
    EXPECT_EQ(rig.messages, QStringList({TimeLapse::kMinimumWhileConnectedText}));
    EXPECT_EQ(rig.picture.Interval(), 10000);
    EXPECT_EQ(rig.FileSeconds(), 10);

    rig.ClickWhileOpen([&] {
        QTest::keyClick(&f, Qt::Key_F1);
        f.intervalEdit->setText("0");
        f.diskShareList->setCurrentRow(19);
        QTest::keyClick(f.intervalEdit, Qt::Key_Return); // estimate: 0 reads as 1
        EXPECT_TRUE(f.isVisible());
        QTest::keyClick(&f, Qt::Key_Escape);
    });
    EXPECT_TRUE(rig.station.events.contains("Help 2"));
    EXPECT_EQ(f.intervalEdit->text(), "1");
    EXPECT_EQ(rig.picture.Interval(), 10000); // Esc is Close: nothing changes
    EXPECT_EQ(rig.lapse->Values().intervalSeconds, 10);

    rig.ClickWhileOpen([&] { QTest::mouseClick(f.stopTimeLapseButton, Qt::LeftButton); });
    EXPECT_EQ(rig.station.surveillanceText, TimeLapse::kSurveillanceMethodText);
    EXPECT_FALSE(rig.picture.Enabled() || rig.flasher.Enabled() || rig.lapse->Working());
}
