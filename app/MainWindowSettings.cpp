// Moving option values between the widgets and the settings record. The rules live in
// SettingsCopy; this file only reads and writes the widgets.
#include "app/MainWindow.h"

#include "core/MessageBox.h"
#include "core/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QGroupBox>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>

namespace {

ComboValue ReadCombo(const QComboBox* combo) {
    ComboValue value;
    value.text = combo->currentText();
    value.index = combo->currentIndex();
    for (int i = 0; i < combo->count(); ++i)
        value.items << combo->itemText(i);
    return value;
}

void WriteComboText(QComboBox* combo, const QString& text) {
    if (combo->isEditable())
        combo->setEditText(text);
}

// A radio button of an exclusive group can be cleared as a check box can.
void SetChecked(QAbstractButton* button, bool checked) {
    if (button->isChecked() == checked)
        return;
    if (!checked && button->autoExclusive()) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
        return;
    }
    button->setChecked(checked);
}

} // namespace

OptionControlValues MainWindow::ReadControls() const {
    OptionControlValues c;
    c.diskControlBox = diskControlBox->isChecked();
    c.alertsActiveBox = alertsActiveBox->isChecked();
    c.phoneAutoConnectBox = phoneAutoConnectBox->isChecked();
    c.dialUpButton = dialUpButton->isChecked();
    c.clearQueueBox = clearQueueBox->isChecked();
    c.startMotionButton = startMotionButton->isChecked();
    c.startTimerButton = startTimerButton->isChecked();
    c.startMotionAndTimerButton = startMotionAndTimerButton->isChecked();
    c.placeOnTrayBox = placeOnTrayBox->isChecked();
    c.hotZone1Box = hotZone1Box->isChecked();
    c.hotZone2Box = hotZone2Box->isChecked();
    c.AutoStart1 = AutoStart1->isChecked();
    c.AutoStart2 = AutoStart2->isChecked();
    c.soundAlarmBox = soundAlarmBox->isChecked();
    c.onStartupBox = onStartupBox->isChecked();
    c.tvOutBox = tvOutBox->isChecked();
    c.redChannelBox = redChannelBox->isChecked();
    c.greenChannelBox = greenChannelBox->isChecked();
    c.blueChannelBox = blueChannelBox->isChecked();
    c.DisabledCaptions1 = DisabledCaptions1->isChecked();
    c.DisabledCaptions2 = DisabledCaptions2->isChecked();

    c.emailLimitCombo = emailLimitCombo->currentText();
    c.phoneNumberEdit = phoneNumberEdit->text();
    c.phoneCodeEdit = phoneCodeEdit->text();
    c.bufferSize1Edit = bufferSize1Edit->text();
    c.bufferSize2Edit = bufferSize2Edit->text();
    c.alertEmailEdit = alertEmailEdit->text();
    c.siteLocationEdit = siteLocationEdit->text();
    c.Location1 = Location1->text();
    c.Location2 = Location2->text();
    c.smtpEdit = smtpEdit->text();
    c.smtpUserEdit = smtpUserEdit->text();
    c.smtpPasswordEdit = smtpPasswordEdit->text();
    c.replyAddressEdit = replyAddressEdit->text();

    c.phoneSizeCombo = ReadCombo(phoneSizeCombo);
    c.minutesCombo = ReadCombo(minutesCombo);
    c.maxImagesCombo = ReadCombo(maxImagesCombo);
    c.videoMode1Combo = ReadCombo(videoMode1Combo);
    c.videoMode2Combo = ReadCombo(videoMode2Combo);
    c.alertFormatCombo = ReadCombo(alertFormatCombo);
    c.DefaultCam1 = ReadCombo(DefaultCam1);
    c.DefaultCam2 = ReadCombo(DefaultCam2);

    c.setupTabs = setupTabs->currentIndex();
    c.sampleRateSlider = sampleRateSlider->value();
    c.masterSensitivitySlider = masterSensitivitySlider->value();

    c.zoneCam1 = ZoneWindowOf(1).ZoneValues();
    c.zoneCam2 = ZoneWindowOf(2).ZoneValues();
    c.transparentBox = links_.captionWindow->Transparent();
    return c;
}

void MainWindow::WriteControls(const OptionControlValues& c) {
    const std::pair<QAbstractButton*, bool> boxes[] = {
        {diskControlBox, c.diskControlBox}, {alertsActiveBox, c.alertsActiveBox}, {phoneAutoConnectBox, c.phoneAutoConnectBox},
        {clearQueueBox, c.clearQueueBox}, {startMotionButton, c.startMotionButton}, {startTimerButton, c.startTimerButton},
        {startMotionAndTimerButton, c.startMotionAndTimerButton}, {placeOnTrayBox, c.placeOnTrayBox}, {hotZone1Box, c.hotZone1Box},
        {hotZone2Box, c.hotZone2Box}, {AutoStart1, c.AutoStart1}, {AutoStart2, c.AutoStart2}, {soundAlarmBox, c.soundAlarmBox},
        {onStartupBox, c.onStartupBox}, {tvOutBox, c.tvOutBox}, {redChannelBox, c.redChannelBox},
        {greenChannelBox, c.greenChannelBox}, {blueChannelBox, c.blueChannelBox}, {DisabledCaptions1, c.DisabledCaptions1},
        {DisabledCaptions2, c.DisabledCaptions2}};
    for (const auto& [box, checked] : boxes)
        SetChecked(box, checked);
    // The connection type is one of two.
    SetChecked(c.dialUpButton ? static_cast<QAbstractButton*>(dialUpButton) : broadbandButton, true);

    WriteComboText(emailLimitCombo, c.emailLimitCombo);
    phoneNumberEdit->setText(c.phoneNumberEdit);
    phoneCodeEdit->setText(c.phoneCodeEdit);
    bufferSize1Edit->setText(c.bufferSize1Edit);
    bufferSize2Edit->setText(c.bufferSize2Edit);
    alertEmailEdit->setText(c.alertEmailEdit);
    siteLocationEdit->setText(c.siteLocationEdit);
    Location1->setText(c.Location1);
    Location2->setText(c.Location2);
    smtpEdit->setText(c.smtpEdit);
    smtpUserEdit->setText(c.smtpUserEdit);
    smtpPasswordEdit->setText(c.smtpPasswordEdit);
    replyAddressEdit->setText(c.replyAddressEdit);

    WriteComboText(phoneSizeCombo, c.phoneSizeCombo.text);
    WriteComboText(minutesCombo, c.minutesCombo.text);
    WriteComboText(maxImagesCombo, c.maxImagesCombo.text);
    WriteComboText(videoMode1Combo, c.videoMode1Combo.text);
    WriteComboText(videoMode2Combo, c.videoMode2Combo.text);
    if (c.DefaultCam1.HasSelection())
        DefaultCam1->setCurrentIndex(c.DefaultCam1.index);
    if (c.DefaultCam2.HasSelection())
        DefaultCam2->setCurrentIndex(c.DefaultCam2.index);

    sampleRateSlider->setValue(c.sampleRateSlider);
    masterSensitivitySlider->setValue(c.masterSensitivitySlider);

    ZoneWindowOf(1).SetZoneValues(c.zoneCam1);
    ZoneWindowOf(2).SetZoneValues(c.zoneCam2);
    links_.captionWindow->SetTransparent(c.transparentBox);
}

void MainWindow::GatherAndSaveSettings() {
    SettingsRecord& record = store_.Record();
    OptionControlValues controls = ReadControls();
    const bool phoneSizeTaken = SettingsCopy::GatherOptions(controls, record);
    WriteComboText(phoneSizeCombo, controls.phoneSizeCombo.text);
    store_.WriteSettingsFile();
    SettingsCopy::GatherCamerasAndCaptions(controls, record,
                                           [this](const QString& name) { return links_.aliases->DriverAlias(name); });
    ReadColourChannelBoxes();
    store_.SaveSettings();
    if (!phoneSizeTaken)
        ShowMessageBox(SettingsCopy::kPhoneSizeMessage);
}

void MainWindow::ApplySettingsToControls() {
    const bool wasApplying = flags_.ApplyingSettings;
    flags_.ApplyingSettings = true;
    OptionControlValues controls = ReadControls();
    const bool sensitivitiesReset =
        SettingsCopy::ApplyToControls(store_.Record(), store_.EmailRecord(), controls);
    WriteControls(controls);
    motionTimer.SetInterval(sampleRateSlider->value());
    if (sensitivitiesReset)
        store_.SetDefaultSettings(); // acts only when there is no settings file yet
    flags_.ApplyingSettings = wasApplying;
}

void MainWindow::ReadColourChannelBoxes() {
    if (flags_.StartupGuard)
        return;
    OptionControlValues controls;
    controls.redChannelBox = redChannelBox->isChecked();
    controls.greenChannelBox = greenChannelBox->isChecked();
    controls.blueChannelBox = blueChannelBox->isChecked();
    controls.masterSensitivitySlider = masterSensitivitySlider->value();
    if (SettingsCopy::ReadColourChannels(controls, store_.Record()))
        return;
    ShowMessageBox(SettingsCopy::kNoColourMessage);
    redChannelBox->setChecked(true);
    greenChannelBox->setChecked(true);
    blueChannelBox->setChecked(true);
}

QString MainWindow::SmtpHost() const { return smtpEdit->text().trimmed(); }

QString MainWindow::ReplyAddress() const { return replyAddressEdit->text().trimmed(); }

void MainWindow::SetCaption(const QString& text) { setWindowTitle(text); }

void MainWindow::SetCameraAreaColour(const QColor& colour) {
    QPalette p = cameraAreaBox->palette();
    p.setColor(QPalette::Window, colour);
    cameraAreaBox->setPalette(p);
    cameraAreaBox->setAutoFillBackground(true);
}

void MainWindow::ShowHelp(int topic) { links_.help->ShowHelp(topic); }
