#pragma once
// The copy rules between the settings record and the option controls of the main window,
// the two zone windows and the caption font window. The controls are represented by
// OptionControlValues (one member per control, named as the control), so the rules can be
// checked without any window; MainWindowSettings.cpp moves these values to and from widgets.
#include "core/EmailSettingsRecord.h"
#include "core/SettingsRecord.h"
#include "core/ZoneWindow.h"

#include <QString>
#include <QStringList>
#include <functional>

// A combo box: its text is independent of its selected row.
struct ComboValue {
    QString text;
    int index = -1;
    QStringList items;

    bool HasSelection() const { return index >= 0 && index < items.size(); }
    QString SelectedItem() const { return HasSelection() ? items.at(index) : QString(); }
};

struct OptionControlValues {
    // Check boxes and radio buttons of the main window.
    bool diskControlBox = false;
    bool alertsActiveBox = false;
    bool phoneAutoConnectBox = false;
    bool dialUpButton = false;
    bool clearQueueBox = false;
    bool startMotionButton = false;
    bool startTimerButton = false;
    bool startMotionAndTimerButton = false;
    bool placeOnTrayBox = false;
    bool hotZone1Box = false;
    bool hotZone2Box = false;
    bool AutoStart1 = false;
    bool AutoStart2 = false;
    bool soundAlarmBox = false;
    bool onStartupBox = false;
    bool tvOutBox = false;
    bool redChannelBox = false;
    bool greenChannelBox = false;
    bool blueChannelBox = false;
    bool DisabledCaptions1 = false;
    bool DisabledCaptions2 = false;

    // Edits.
    QString emailLimitCombo;
    QString phoneNumberEdit;
    QString phoneCodeEdit;
    QString bufferSize1Edit;
    QString bufferSize2Edit;
    QString alertEmailEdit;
    QString siteLocationEdit;
    QString Location1;
    QString Location2;
    QString smtpEdit;
    QString smtpUserEdit;
    QString smtpPasswordEdit;
    QString replyAddressEdit;

    // Combo boxes.
    ComboValue phoneSizeCombo;
    ComboValue minutesCombo;
    ComboValue maxImagesCombo;
    ComboValue videoMode1Combo;
    ComboValue videoMode2Combo;
    ComboValue alertFormatCombo;
    ComboValue DefaultCam1;
    ComboValue DefaultCam2;

    int setupTabs = 0; // selected tab
    int sampleRateSlider = 400; // slider, 200..700
    int masterSensitivitySlider = 14;  // slider, 2..15

    // Zone windows: camera 1 is Camera1ZoneWindow's, camera 2 is Camera2ZoneWindow's.
    ZoneEditValues zoneCam1;
    ZoneEditValues zoneCam2;

    // The caption font window's transparent box.
    bool transparentBox = false;
};

namespace SettingsCopy {

constexpr int kSampleRateMin = 200;
constexpr int kSampleRateMax = 700;
constexpr int kSampleRateShownWhenInvalid = 500;
constexpr int kMasterSensitivityMin = 2;
constexpr int kMasterSensitivityMax = 15;

// Gathering, first half (before the intermediate write of the settings file): the option
// boxes, lists, start-up choices, alert fields and zone edits. May change controls
// (an empty phone picture size becomes "150"). False when the phone picture size was not
// 1..kMaxPhonePictureSize: the record keeps its size (or "150") and the control shows it.
bool GatherOptions(OptionControlValues& controls, SettingsRecord& record);

// Gathering, second half (after that write): default cameras with their aliases, the
// caption and start-up boxes, alarm, recipient, site.
void GatherCamerasAndCaptions(const OptionControlValues& controls, SettingsRecord& record,
                              const std::function<QString(const QString&)>& driverAlias);

// The colour-channel boxes and the master sensitivity to the record. When all three boxes
// are off, all three are switched on again (record and controls) and false is returned:
// the caller tells the user.
bool ReadColourChannels(OptionControlValues& controls, SettingsRecord& record);
inline const QString kNoColourMessage = QStringLiteral("You must select at least one color to scan");
inline const QString kPhoneSizeMessage =
    QStringLiteral("The phone screen size must be a number from 1 to %1.").arg(kMaxPhonePictureSize);

// Record to controls. Sensitivities below 100 on either camera reset both to 1500 in the
// record and the zone edits; the return value then says so (the caller lays down the
// defaults when no settings file exists).
bool ApplyToControls(SettingsRecord& record, const EmailSettingsRecord& email,
                     OptionControlValues& controls);

} // namespace SettingsCopy
