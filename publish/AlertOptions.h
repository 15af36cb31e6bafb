#pragma once
// The e-alert options of the set-up panel as plain values: the three choice lists, how the
// stored period and picture count fit a dial-up line, the summary line under the options,
// the countdown texts and the address checks made when alerts are switched on.
#include <QString>
#include <QStringList>
#include <QtGlobal>

struct SettingsRecord;

// The lists and texts of minutesCombo, maxImagesCombo and emailLimitCombo after a refill.
struct AlertComboLists {
    QStringList minutes;
    QStringList images;
    QStringList limits;
    QString minutesText;
    QString imagesText;
    QString limitText;
};

QStringList AlertMinuteItems(bool dialUp);
QStringList AlertImageItems(bool dialUp);
QStringList AlertLimitItems();

// Builds the lists for the connection kind; a dial-up line gets at least 5 minutes and
// 1 picture when more than 5 were stored. The record takes the period and picture count
// the texts end up with.
AlertComboLists FillAlertComboLists(SettingsRecord& record, bool dialUp);

// What the user has chosen on the E-Alerts tab.
struct AlertSummaryInput {
    QString minutesText;
    QString imagesText;
    QString limitText;
    int formatIndex = -1; // alertFormatCombo's selected row; -1 for none
    bool alertsTicked = false;
    qint32 sentCount = 0;
};

struct AlertSummaryTexts {
    QString summary;
    QString limitUnit;
    QString minutesUnit;
    QString imagesUnit;
};

// Copies the chosen period, limit and picture count into the record (values out of range
// keep the stored ones) and words the summary line and the unit labels.
AlertSummaryTexts UpdateAlertSummary(SettingsRecord& record, const AlertSummaryInput& input);

// Pictures per alert: AlertMaxImages times the cells of the chosen grid. With no row
// chosen the stored AlertFormat counts, or a single cell when that is out of range.
int AlertImageCount(const SettingsRecord& record, int selectedFormat);

// True while the limit allows another mail (0 means no limit).
bool AlertLimitAllows(qint32 limit, qint32 sentCount);

// "    0:05", "    -1:10": the time left in the alert period.
QString AlertCountdownText(qint64 remainingSeconds);
QString AlertSentCountText(qint32 sentCount);  // five digits
QString AlertQueueSizeText(qsizetype queueSize); // three digits
// alertStatusLabel's line while the set-up panel is shown.
QString AlertStatusLine(qint32 sentCount, const QString& countdown, qsizetype queueSize);

// The checks made when "E-Alerts Active" is ticked: empty when the host, the reply address
// and the recipients (a comma-separated list, at least one) are usable, else the message.
QString CheckAlertAddresses(const QString& smtpHost, const QString& replyAddress, const QString& alertEmail);
