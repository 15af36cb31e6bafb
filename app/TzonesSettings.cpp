// Moving option values between the widgets and the settings record. The rules live in
// SettingsCopy; this file only reads and writes the widgets.
#include "app/Tzones.h"

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

OptionControlValues Tzones::ReadControls() const {
    OptionControlValues c;
    c.diskcontrol = diskcontrol->isChecked();
    c.NotifyActive = NotifyActive->isChecked();
    c.phautoconnect = phautoconnect->isChecked();
    c.Dailup = Dailup->isChecked();
    c.clearcue = clearcue->isChecked();
    c.startmotionFlag = startmotionFlag->isChecked();
    c.starttimerFlag = starttimerFlag->isChecked();
    c.motionandtime = motionandtime->isChecked();
    c.placeonsystray = placeonsystray->isChecked();
    c.hot1 = hot1->isChecked();
    c.Hot2 = Hot2->isChecked();
    c.AutoStart1 = AutoStart1->isChecked();
    c.AutoStart2 = AutoStart2->isChecked();
    c.alarm = alarm->isChecked();
    c.OnStartup = OnStartup->isChecked();
    c.OverVideo = OverVideo->isChecked();
    c.RGBred = RGBred->isChecked();
    c.RGBGreen = RGBGreen->isChecked();
    c.RGBBlue = RGBBlue->isChecked();
    c.DisabledCaptions1 = DisabledCaptions1->isChecked();
    c.DisabledCaptions2 = DisabledCaptions2->isChecked();

    c.EmailLimit = EmailLimit->currentText();
    c.phnumber = phnumber->text();
    c.phcode = phcode->text();
    c.buf1 = buf1->text();
    c.buf2 = buf2->text();
    c.AlertEmail = AlertEmail->text();
    c.siteLocation = siteLocation->text();
    c.Location1 = Location1->text();
    c.Location2 = Location2->text();
    c.smtpEdit = smtpEdit->text();
    c.UserEdit = UserEdit->text();
    c.PassEdit = PassEdit->text();
    c.ReplyEmailAddressText = ReplyEmailAddressText->text();

    c.sizelist = ReadCombo(sizelist);
    c.MinsCombo = ReadCombo(MinsCombo);
    c.MaxImages = ReadCombo(MaxImages);
    c.Vmodes = ReadCombo(Vmodes);
    c.VModes2 = ReadCombo(VModes2);
    c.AlertFormat = ReadCombo(AlertFormat);
    c.DefaultCam1 = ReadCombo(DefaultCam1);
    c.DefaultCam2 = ReadCombo(DefaultCam2);

    c.TabControl1 = TabControl1->currentIndex();
    c.samplerate = samplerate->value();
    c.mastersent = mastersent->value();

    c.zoneCam1 = ZoneWindowOf(1).ZoneValues();
    c.zoneCam2 = ZoneWindowOf(2).ZoneValues();
    c.transperent = links_.captionWindow->Transparent();
    return c;
}

void Tzones::WriteControls(const OptionControlValues& c) {
    const std::pair<QAbstractButton*, bool> boxes[] = {
        {diskcontrol, c.diskcontrol}, {NotifyActive, c.NotifyActive}, {phautoconnect, c.phautoconnect},
        {clearcue, c.clearcue}, {startmotionFlag, c.startmotionFlag}, {starttimerFlag, c.starttimerFlag},
        {motionandtime, c.motionandtime}, {placeonsystray, c.placeonsystray}, {hot1, c.hot1},
        {Hot2, c.Hot2}, {AutoStart1, c.AutoStart1}, {AutoStart2, c.AutoStart2}, {alarm, c.alarm},
        {OnStartup, c.OnStartup}, {OverVideo, c.OverVideo}, {RGBred, c.RGBred},
        {RGBGreen, c.RGBGreen}, {RGBBlue, c.RGBBlue}, {DisabledCaptions1, c.DisabledCaptions1},
        {DisabledCaptions2, c.DisabledCaptions2}};
    for (const auto& [box, checked] : boxes)
        SetChecked(box, checked);
    // The connection type is one of two.
    SetChecked(c.Dailup ? static_cast<QAbstractButton*>(Dailup) : Broadband, true);

    WriteComboText(EmailLimit, c.EmailLimit);
    phnumber->setText(c.phnumber);
    phcode->setText(c.phcode);
    buf1->setText(c.buf1);
    buf2->setText(c.buf2);
    AlertEmail->setText(c.AlertEmail);
    siteLocation->setText(c.siteLocation);
    Location1->setText(c.Location1);
    Location2->setText(c.Location2);
    smtpEdit->setText(c.smtpEdit);
    UserEdit->setText(c.UserEdit);
    PassEdit->setText(c.PassEdit);
    ReplyEmailAddressText->setText(c.ReplyEmailAddressText);

    WriteComboText(sizelist, c.sizelist.text);
    WriteComboText(MinsCombo, c.MinsCombo.text);
    WriteComboText(MaxImages, c.MaxImages.text);
    WriteComboText(Vmodes, c.Vmodes.text);
    WriteComboText(VModes2, c.VModes2.text);
    if (c.DefaultCam1.HasSelection())
        DefaultCam1->setCurrentIndex(c.DefaultCam1.index);
    if (c.DefaultCam2.HasSelection())
        DefaultCam2->setCurrentIndex(c.DefaultCam2.index);

    samplerate->setValue(c.samplerate);
    mastersent->setValue(c.mastersent);

    ZoneWindowOf(1).SetZoneValues(c.zoneCam1);
    ZoneWindowOf(2).SetZoneValues(c.zoneCam2);
    links_.captionWindow->SetTransparent(c.transperent);
}

void Tzones::GatherAndSaveSettings() {
    SettingsRecord& record = store_.Record();
    OptionControlValues controls = ReadControls();
    const bool phoneSizeTaken = SettingsCopy::GatherOptions(controls, record);
    WriteComboText(sizelist, controls.sizelist.text);
    store_.WriteSettingsFile();
    SettingsCopy::GatherCamerasAndCaptions(controls, record,
                                           [this](const QString& name) { return links_.aliases->DriverAlias(name); });
    ReadColourChannelBoxes();
    store_.SaveSettings();
    if (!phoneSizeTaken)
        ShowMessageBox(SettingsCopy::kPhoneSizeMessage);
}

void Tzones::ApplySettingsToControls() {
    const bool wasApplying = flags_.ApplyingSettings;
    flags_.ApplyingSettings = true;
    OptionControlValues controls = ReadControls();
    const bool sensitivitiesReset =
        SettingsCopy::ApplyToControls(store_.Record(), store_.EmailRecord(), controls);
    WriteControls(controls);
    MotionTime.SetInterval(samplerate->value());
    if (sensitivitiesReset)
        store_.SetDefaultSettings(); // acts only when there is no settings file yet
    flags_.ApplyingSettings = wasApplying;
}

void Tzones::ReadColourChannelBoxes() {
    if (flags_.StartupGuard)
        return;
    OptionControlValues controls;
    controls.RGBred = RGBred->isChecked();
    controls.RGBGreen = RGBGreen->isChecked();
    controls.RGBBlue = RGBBlue->isChecked();
    controls.mastersent = mastersent->value();
    if (SettingsCopy::ReadColourChannels(controls, store_.Record()))
        return;
    ShowMessageBox(SettingsCopy::kNoColourMessage);
    RGBred->setChecked(true);
    RGBGreen->setChecked(true);
    RGBBlue->setChecked(true);
}

QString Tzones::SmtpHost() const { return smtpEdit->text().trimmed(); }

QString Tzones::ReplyAddress() const { return ReplyEmailAddressText->text().trimmed(); }

void Tzones::SetCaption(const QString& text) { setWindowTitle(text); }

void Tzones::SetCameraAreaColour(const QColor& colour) {
    QPalette p = GroupBox1->palette();
    p.setColor(QPalette::Window, colour);
    GroupBox1->setPalette(p);
    GroupBox1->setAutoFillBackground(true);
}

void Tzones::ShowHelp(int topic) { links_.help->ShowHelp(topic); }
