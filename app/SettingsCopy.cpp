#include "app/SettingsCopy.h"

#include "core/Helpers.h"
#include "core/PasswordScrambler.h"
#include "platform/Rounding.h"

namespace SettingsCopy {

namespace {

qint16 Number16(const QString& text) { return platform::SaturateInt16(SafeStrToInt(TrimText(text))); }

void GatherZone(const ZoneEditValues& edits, qint16& left, qint16& top, qint16& size,
                qint16& sensitivity) {
    left = Number16(edits.leftEdit);
    top = Number16(edits.topEdit);
    size = Number16(edits.sizeEdit);
    if (size == 0)
        size = 50;
    sensitivity = Number16(edits.sensitivityCombo);
}

} // namespace

bool GatherOptions(OptionControlValues& c, SettingsRecord& r) {
    r.DiskControl = c.diskControlBox;
    r.NotifyActive = c.alertsActiveBox;
    r.PhoneAutoConnect = c.phoneAutoConnectBox;
    r.EmailLimit = SafeStrToInt(TrimText(c.emailLimitCombo));
    r.DialUp = c.dialUpButton;
    r.ClearQueueOnSend = c.clearQueueBox;
    r.PhoneNumber = TrimText(c.phoneNumberEdit);
    r.PhoneCode = TrimText(c.phoneCodeEdit);
    if (TrimText(c.phoneSizeCombo.text).isEmpty())
        c.phoneSizeCombo.text = QStringLiteral("150");
    // Each picture is scaled to this size on the GUI thread and posted at that size.
    const auto allowed = [](const QString& text) {
        const int size = SafeStrToInt(TrimText(text));
        return size >= 1 && size <= kMaxPhonePictureSize;
    };
    const bool sizeTaken = allowed(c.phoneSizeCombo.text);
    if (sizeTaken) {
        r.PhonePictureSize = c.phoneSizeCombo.text;
    } else {
        if (!allowed(r.PhonePictureSize))
            r.PhonePictureSize = QStringLiteral("150");
        c.phoneSizeCombo.text = TrimText(r.PhonePictureSize);
    }
    if (c.videoMode1Combo.HasSelection())
        r.VideoMode1 = c.videoMode1Combo.SelectedItem();
    if (c.videoMode2Combo.HasSelection())
        r.VideoMode2 = c.videoMode2Combo.SelectedItem();
    if (c.alertFormatCombo.index >= 0)
        r.AlertFormat = platform::SaturateInt16(c.alertFormatCombo.index);
    r.SetupTabIndex = platform::SaturateInt16(c.setupTabs);

    r.StartMotionAtStart = c.startMotionButton || c.startMotionAndTimerButton;
    r.StartTimeLapseAtStart = c.startTimerButton || c.startMotionAndTimerButton;
    r.PlaceOnTray = c.placeOnTrayBox;
    r.HotZone1 = c.hotZone1Box;
    r.HotZone2 = c.hotZone2Box;
    r.SampleRateMs = platform::SaturateInt16(c.sampleRateSlider);

    // Guarded fields keep their value when the text is out of range.
    const int minutes = SafeStrToInt(TrimText(c.minutesCombo.text));
    if (minutes > 0)
        r.AlertPeriodMinutes = platform::SaturateInt16(minutes);
    const int images = SafeStrToInt(TrimText(c.maxImagesCombo.text));
    if (images > 0 && images < 100)
        r.AlertMaxImages = static_cast<qint16>(images);

    GatherZone(c.zoneCam2, r.Zone2Left, r.Zone2Top, r.Zone2Size, r.Sensitivity2);
    GatherZone(c.zoneCam1, r.Zone1Left, r.Zone1Top, r.Zone1Size, r.Sensitivity1);
    r.BufferSize1 = Number16(c.bufferSize1Edit);
    r.BufferSize2 = Number16(c.bufferSize2Edit);
    return sizeTaken;
}

void GatherCamerasAndCaptions(const OptionControlValues& c, SettingsRecord& r,
                              const std::function<QString(const QString&)>& driverAlias) {
    if (c.DefaultCam1.HasSelection()) {
        r.Cam1Name = driverAlias(c.DefaultCam1.SelectedItem()).left(100);
        r.DefaultCam1Index = platform::SaturateInt16(c.DefaultCam1.index);
    }
    if (c.DefaultCam2.HasSelection()) {
        r.Cam2Name = driverAlias(c.DefaultCam2.SelectedItem()).left(100);
        r.DefaultCam2Index = platform::SaturateInt16(c.DefaultCam2.index);
    }
    r.CaptionTransparent = c.transparentBox;
    r.AutoStart1 = c.AutoStart1;
    r.AutoStart2 = c.AutoStart2;
    r.CaptionTransparent2 = c.transparentBox;
    r.SoundAlarm = c.soundAlarmBox;
    r.AlertEmail = TrimText(c.alertEmailEdit);
    r.EnableAutoStart = c.onStartupBox;
    r.CaptionsOff1 = false;
    r.CaptionsOff2 = false;
    r.TvOut = c.tvOutBox;
    r.SiteLocation = TrimText(c.siteLocationEdit);
}

bool ReadColourChannels(OptionControlValues& c, SettingsRecord& r) {
    r.ScanRed = c.redChannelBox;
    r.ScanGreen = c.greenChannelBox;
    r.ScanBlue = c.blueChannelBox;
    r.ColorThreshold = platform::SaturateInt16(17 - c.masterSensitivitySlider);
    if (c.redChannelBox || c.greenChannelBox || c.blueChannelBox)
        return true;
    r.ScanRed = r.ScanGreen = r.ScanBlue = true;
    c.redChannelBox = c.greenChannelBox = c.blueChannelBox = true;
    return false;
}

bool ApplyToControls(SettingsRecord& r, const EmailSettingsRecord& email, OptionControlValues& c) {
    c.smtpEdit = TrimText(email.SmtpHost);
    c.smtpUserEdit = TrimText(email.SmtpUser);
    c.smtpPasswordEdit = UnscramblePassword(email.SmtpPassword);
    c.replyAddressEdit = TrimText(email.ReplyAddress);

    const bool both = r.StartMotionAtStart && r.StartTimeLapseAtStart;
    c.startMotionAndTimerButton = both;
    c.startMotionButton = r.StartMotionAtStart && !both;
    c.startTimerButton = r.StartTimeLapseAtStart && !both;
    c.placeOnTrayBox = r.PlaceOnTray;
    c.hotZone1Box = r.HotZone1;
    c.hotZone2Box = r.HotZone2;
    c.phoneAutoConnectBox = r.PhoneAutoConnect;
    c.alertsActiveBox = r.NotifyActive;
    c.redChannelBox = r.ScanRed;
    c.greenChannelBox = r.ScanGreen;
    c.blueChannelBox = r.ScanBlue;
    c.diskControlBox = r.DiskControl;
    c.clearQueueBox = r.ClearQueueOnSend;
    c.dialUpButton = r.DialUp;
    c.AutoStart1 = r.AutoStart1;
    c.AutoStart2 = r.AutoStart2;
    c.soundAlarmBox = r.SoundAlarm;
    c.onStartupBox = r.EnableAutoStart;
    c.tvOutBox = r.TvOut;
    c.transparentBox = r.CaptionTransparent;
    c.transparentBox = r.CaptionTransparent2; // the second copy wins
    c.DisabledCaptions1 = false;
    c.DisabledCaptions2 = false;

    const bool rateValid = r.SampleRateMs >= kSampleRateMin && r.SampleRateMs <= kSampleRateMax;
    c.sampleRateSlider = rateValid ? r.SampleRateMs : kSampleRateShownWhenInvalid;
    c.masterSensitivitySlider = qBound(kMasterSensitivityMin, 17 - r.ColorThreshold, kMasterSensitivityMax);

    c.phoneNumberEdit = TrimText(r.PhoneNumber);
    c.phoneCodeEdit = TrimText(r.PhoneCode);
    c.phoneSizeCombo.text = TrimText(r.PhonePictureSize);
    c.minutesCombo.text = QString::number(r.AlertPeriodMinutes);
    c.maxImagesCombo.text = QString::number(r.AlertMaxImages);
    // The limit list shows 0 as "No Limit"; filled here too so a gather never reads it empty.
    c.emailLimitCombo = r.EmailLimit == 0 ? QStringLiteral("No Limit") : QString::number(r.EmailLimit);
    c.videoMode1Combo.text = TrimText(r.VideoMode1);
    c.videoMode2Combo.text = TrimText(r.VideoMode2);
    c.bufferSize1Edit = QString::number(r.BufferSize1);
    c.bufferSize2Edit = QString::number(r.BufferSize2);
    c.Location1 = TrimText(r.Cam1Name);
    c.Location2 = TrimText(r.Cam2Name);
    c.siteLocationEdit = TrimText(r.SiteLocation);
    c.alertEmailEdit = TrimText(r.AlertEmail);

    if (r.DefaultCam1Index >= 0 && r.DefaultCam1Index < c.DefaultCam1.items.size())
        c.DefaultCam1.index = r.DefaultCam1Index;
    if (r.DefaultCam2Index >= 0 && r.DefaultCam2Index < c.DefaultCam2.items.size())
        c.DefaultCam2.index = r.DefaultCam2Index;

    c.zoneCam1.leftEdit = QString::number(r.Zone1Left);
    c.zoneCam1.topEdit = QString::number(r.Zone1Top);
    c.zoneCam1.sizeEdit = QString::number(r.Zone1Size);
    c.zoneCam2.leftEdit = QString::number(r.Zone2Left);
    c.zoneCam2.topEdit = QString::number(r.Zone2Top);
    c.zoneCam2.sizeEdit = QString::number(r.Zone2Size);

    if (r.Sensitivity1 >= 100 && r.Sensitivity2 >= 100) {
        c.zoneCam1.sensitivityCombo = QString::number(r.Sensitivity1);
        c.zoneCam2.sensitivityCombo = QString::number(r.Sensitivity2);
        return false;
    }
    c.zoneCam1.sensitivityCombo = c.zoneCam2.sensitivityCombo = QStringLiteral("1500");
    r.Sensitivity1 = r.Sensitivity2 = 1500;
    return true;
}

} // namespace SettingsCopy
