#pragma once
// Fakes of the main window, the cameras and the dialog around the time-lapse controller,
// on a temporary program folder with a fixed drive and clock.
#include "core/MotionDetector.h"
#include "core/PictureStore.h"
#include "core/SettingsStore.h"
#include "core/TimeLapse.h"
#include "core/TransferBusy.h"
#include "platform/WinTimer.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <memory>

namespace timelapse_test {

using timelapse::Estimate;

inline constexpr qint64 kGB = 1024LL * 1024 * 1024;

inline QDateTime At(int h, int m) { return QDateTime(QDate(2026, 3, 4), QTime(h, m), Qt::UTC); }

inline QImage Frame() {
    QImage image(64, 48, QImage::Format_RGB888);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) * 2));
    return image;
}

struct FakeCameras : MotionCameras {
    bool previewing[2] = {true, false};
    bool zone[2] = {true, false};
    bool IsPreviewing(int camera) const override { return previewing[camera - 1]; }
    QImage ImageBitmap(int) const override { return Frame(); }
    bool ZoneOn(int camera) const override { return zone[camera - 1]; }
    ZoneRect Zone(int) const override { return {}; }
};

struct FakeStation : TimeLapseStation {
    QStringList events;
    QString surveillanceText;
    quint32 buttonColour = 0;
    quint32 surveillanceButtonColour = 12345;
    bool camera1On = true;
    bool diskControl = true;
    bool ftp = false;
    std::function<void()> takePicture1;

    void SetSurveillanceText(const QString& text) override { surveillanceText = text; }
    quint32 TimeLapseButtonColour() const override { return buttonColour; }
    void SetTimeLapseButtonColour(quint32 colour) override { buttonColour = colour; }
    void SetSurveillanceButtonColour(quint32 colour) override { surveillanceButtonColour = colour; }
    bool Camera1ButtonOn() const override { return camera1On; }
    void ShowPictureCaptions(int camera) override { events << QString("Captions %1").arg(camera); }
    void TakePicture1() override {
        events << "TakePic1";
        if (takePicture1)
            takePicture1();
    }
    void ToggleSurveillance() override { events << "Toggle"; }
    bool DiskControlTicked() const override { return diskControl; }
    bool IsFtpConnected() const override { return ftp; }
    void EnableDialUpPause() override { events << "DialUpPause"; }
    void ShowHelp(int topic) override { events << QString("Help %1").arg(topic); }
};

struct FakeDialog : TimeLapseDialog {
    TimeLapseDialogValues values;
    Outcome outcome = Outcome::Start;
    std::function<void()> whileShown;
    bool shown = false;
    int executed = 0;
    bool busyWhileShown = false;
    int percentCount = -2;
    Estimate estimate;
    QString allowable;

    void Prepare(int seconds, bool recycle) override {
        values.intervalText = QString::number(seconds);
        values.recycle = recycle;
    }
    void FillPercentList(int count) override { percentCount = count; }
    TimeLapseDialogValues Values() const override { return values; }
    void SetIntervalText(const QString& text) override { values.intervalText = text; }
    bool IsShown() const override { return shown; }
    void ShowEstimate(const Estimate& e) override { estimate = e; }
    void ShowAllowable(const QString& text) override { allowable = text; }
    Outcome Exec() override {
        ++executed;
        busyWhileShown = TransferBusy::IsBusy();
        shown = true;
        if (whileShown)
            whileShown();
        shown = false;
        return outcome;
    }
};

struct Rig {
    // dialog: the dialog to run; the fake one when null.
    explicit Rig(bool fakeDialog = true) : settings(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop") {
        settings.FirstRunInit();
        DiskSpaceProbe probe = [this](const QString& folder) {
            probed << folder;
            return disk;
        };
        pictures = std::make_unique<PictureStore>(settings, probe);
        pictures->SetPictureNamePrefix("OFFICEPC");
        lapse = std::make_unique<TimeLapse>(settings, *pictures, cameras, station,
                                            TimeLapseTimers{picture, flasher, motion}, probe,
                                            [this] { return now; });
        if (fakeDialog)
            lapse->SetDialog(&dialog);
        station.takePicture1 = [this] { pictures->SaveMotionPicture(Frame(), 1); };
    }

    QStringList Jpegs(int camera) const {
        return QDir(dir.path() + QString("cam%1/").arg(camera)).entryList({"*.jpg"}, QDir::Files);
    }
    SettingsRecord& Record() { return settings.Record(); }
    // The record as a restart reads it.
    SettingsRecord FileRecord() const {
        SettingsStore reread(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop");
        EXPECT_TRUE(reread.LoadSettings());
        return reread.Record();
    }

    TestSupport::TempProgramFolder dir;
    SettingsStore settings;
    std::optional<DiskBytes> disk = DiskBytes{50 * kGB, 100 * kGB};
    QStringList probed;
    std::unique_ptr<PictureStore> pictures;
    FakeCameras cameras;
    FakeStation station;
    FakeDialog dialog;
    platform::WinTimer picture{2000, false}, flasher{300, false}, motion{200, false};
    QDateTime now = At(12, 0);
    std::unique_ptr<TimeLapse> lapse;
    TestSupport::MessageLog messages;
};

} // namespace timelapse_test
