#include "publish/AlertsBinding.h"

#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "core/SettingsRecord.h"
#include "core/StartupFlags.h"
#include "publish/AlertOptions.h"
#include "publish/AlertPaintBoxes.h"
#include "publish/AlertsTab.h"
#include "publish/EmailSettings.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

void Refill(QComboBox* combo, const QStringList& items, const QString& text) {
    combo->clear();
    combo->addItems(items);
    combo->setEditText(text);
}

// Changes the user makes: picked from the list or typed. Programmatic changes stay silent.
void OnUserChange(QComboBox* combo, QObject* context, const std::function<void()>& handler) {
    QObject::connect(combo, &QComboBox::activated, context, [handler](int) { handler(); });
    if (QLineEdit* edit = combo->lineEdit())
        QObject::connect(edit, &QLineEdit::textEdited, context, [handler](const QString&) { handler(); });
}

// A typed number for a 16-bit setting; one that does not fit keeps the setting.
qint16 ShortNumber(const QString& text, qint16 current) {
    const qint32 n = SafeStrToInt(TrimText(text));
    return n >= -32768 && n <= 32767 ? qint16(n) : current;
}

} // namespace

AlertsBinding::AlertsBinding(AlertsTab& tab, QAbstractButton* dialUp, QAbstractButton* broadband,
                             AlertClockBox* clock, AlertBlockBox* block, AlertScheduler& scheduler,
                             SettingsRecord& record, const StartupFlags& flags, AlertsBindingLinks links)
    : tab_(tab), dialUp_(dialUp), clock_(clock), block_(block), scheduler_(scheduler),
      record_(record), flags_(flags), links_(std::move(links)) {
    AlertSchedulerLinks& schedule = scheduler_.Links();
    schedule.clearQueueOnSend = [this] { return tab_.clearQueueBox->isChecked(); };
    schedule.sendingChanged = [this](bool sending) {
        tab_.sendNowButton->setEnabled(!sending);
        if (!sending) UpdateAlertSummary();
    };

    for (QComboBox* combo : {tab_.minutesCombo, tab_.maxImagesCombo, tab_.alertFormatCombo, tab_.emailLimitCombo})
        OnUserChange(combo, this, [this] { UpdateAlertSummary(); });
    connect(tab_.sendNowButton, &QPushButton::clicked, this, &AlertsBinding::SendNowButtonClick);
    connect(tab_.alertsActiveBox, &QCheckBox::clicked, this, &AlertsBinding::AlertsActiveBoxClick);
    for (QAbstractButton* radio : {dialUp, broadband})
        if (radio) connect(radio, &QAbstractButton::clicked, this, &AlertsBinding::ConnectionTypeClick);
}

int AlertsBinding::LayoutWidth() const {
    return links_.layoutScreenWidth ? links_.layoutScreenWidth() : 0;
}

bool AlertsBinding::Online() const {
    return links_.online && links_.online();
}

void AlertsBinding::FillAlertCombos() {
    if (flags_.ApplyingSettings) return;
    const AlertComboLists lists = FillAlertComboLists(record_, dialUp_ && dialUp_->isChecked());
    Refill(tab_.minutesCombo, lists.minutes, lists.minutesText);
    Refill(tab_.maxImagesCombo, lists.images, lists.imagesText);
    Refill(tab_.emailLimitCombo, lists.limits, lists.limitText);
}

void AlertsBinding::UpdateAlertSummary() {
    AlertSummaryInput input;
    input.minutesText = tab_.minutesCombo->currentText();
    input.imagesText = tab_.maxImagesCombo->currentText();
    input.limitText = tab_.emailLimitCombo->currentText();
    input.formatIndex = tab_.alertFormatCombo->currentIndex();
    input.alertsTicked = tab_.alertsActiveBox->isChecked();
    input.sentCount = scheduler_.AlertsSentCount();
    const AlertSummaryTexts texts = ::UpdateAlertSummary(record_, input);
    tab_.alertSummaryLabel->setText(texts.summary);
    tab_.limitUnitLabel->setText(texts.limitUnit);
    tab_.minutesUnitLabel->setText(texts.minutesUnit);
    tab_.imagesUnitLabel->setText(texts.imagesUnit);
}

void AlertsBinding::ClockTick() {
    const bool ticked = tab_.alertsActiveBox->isChecked();
    const bool wide = LayoutWidth() > 800;
    if (!ticked && block_) block_->ClearAlerts();
    if (!ticked && !wide) return;

    if (wide && clock_) {
        const QDateTime now = links_.now ? links_.now() : QDateTime::currentDateTime();
        clock_->ShowClock(now.toString(QStringLiteral("HH:mm:ss")),
                          links_.lastMotionText ? links_.lastMotionText(1) : QString(),
                          links_.lastMotionText ? links_.lastMotionText(2) : QString());
    }
    if (!ticked) return;

    const AlertTickState state = scheduler_.Tick(true);
    if (block_) {
        if (wide)
            block_->ShowAlerts(state);
        else
            block_->ClearAlerts();
    }
    if (links_.setupPanelVisible && links_.setupPanelVisible())
        tab_.alertStatusLabel->setText(AlertStatusLine(state.sentCount, state.countdown, state.queueSize));
}

AlertScheduler::SendResult AlertsBinding::SendAlertEmailNow() {
    if (!tab_.sendNowButton->isEnabled()) return AlertScheduler::SendResult::Refused;
    return scheduler_.SendNow();
}

void AlertsBinding::RestartAlertPeriod() {
    scheduler_.RestartPeriod();
}

void AlertsBinding::ResetAlertSchedule() {
    scheduler_.Reset();
}

void AlertsBinding::StoreSmtpEdits(EmailSettingsRecord& record) const {
    ::StoreSmtpEdits(record, tab_.SmtpEditTexts());
}

void AlertsBinding::SendNowButtonClick() {
    UpdateAlertSummary();
    if (links_.gatherAndSaveSettings) links_.gatherAndSaveSettings();
    if (Online())
        SendAlertEmailNow();
    else
        ShowMessageBox(QStringLiteral("Connect to the Internet to use this feature."));
}

void AlertsBinding::AlertsActiveBoxClick() {
    if (flags_.ApplyingSettings) return;
    if (tab_.alertsActiveBox->isChecked()) {
        const QString refusal = CheckAlertAddresses(tab_.smtpEdit->text(), tab_.replyAddressEdit->text(),
                                                    tab_.alertEmailEdit->text());
        if (!refusal.isEmpty()) {
            ShowMessageBox(refusal);
            tab_.alertsActiveBox->setChecked(false);
            UpdateAlertSummary();
            return;
        }
    }
    UpdateAlertSummary();
    if (!tab_.alertsActiveBox->isChecked() && block_) block_->ClearAlerts();
}

void AlertsBinding::ConnectionTypeClick() {
    FillAlertCombos();
    record_.AlertPeriodMinutes = ShortNumber(tab_.minutesCombo->currentText(), record_.AlertPeriodMinutes);
    record_.AlertMaxImages = ShortNumber(tab_.maxImagesCombo->currentText(), record_.AlertMaxImages);
    if (!flags_.ApplyingSettings) UpdateAlertSummary();
    if (links_.fillPhoneSizeList) links_.fillPhoneSizeList();
}
