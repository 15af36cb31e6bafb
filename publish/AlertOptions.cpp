#include "publish/AlertOptions.h"

#include "core/Helpers.h"
#include "core/SettingsRecord.h"

#include <limits>

namespace {

constexpr int kCells[] = {1, 4, 9, 16, 25, 36};

bool FitsInt16(qint32 value) {
    return value >= std::numeric_limits<qint16>::min() && value <= std::numeric_limits<qint16>::max();
}

int Number(const QString& text) {
    return SafeStrToInt(TrimText(text));
}

} // namespace

QStringList AlertMinuteItems(bool dialUp) {
    QStringList items;
    if (!dialUp) items << "1" << "2" << "3" << "4";
    for (int minutes = 5; minutes <= 1440; minutes += 5) items << QString::number(minutes);
    return items;
}

QStringList AlertImageItems(bool dialUp) {
    QStringList items;
    for (int n = 1; n <= (dialUp ? 5 : 50); ++n) items << QString::number(n);
    return items;
}

QStringList AlertLimitItems() {
    QStringList items{QStringLiteral("No Limit")};
    for (int n = 1; n <= 19; ++n) items << QString::number(n);
    for (int n = 20; n <= 4000; n += 20) items << QString::number(n);
    return items;
}

AlertComboLists FillAlertComboLists(SettingsRecord& record, bool dialUp) {
    AlertComboLists lists;
    lists.minutes = AlertMinuteItems(dialUp);
    lists.images = AlertImageItems(dialUp);
    lists.limits = AlertLimitItems();
    lists.limitText = record.EmailLimit == 0 ? lists.limits.first() : QString::number(record.EmailLimit);
    lists.minutesText = QString::number(record.AlertPeriodMinutes);
    lists.imagesText = QString::number(record.AlertMaxImages);
    if (dialUp) {
        if (record.AlertPeriodMinutes < 5) lists.minutesText = lists.minutes.first();
        if (record.AlertMaxImages > 5) lists.imagesText = lists.images.first();
    }
    record.AlertPeriodMinutes = qint16(Number(lists.minutesText));
    record.AlertMaxImages = qint16(Number(lists.imagesText));
    return lists;
}

int AlertImageCount(const SettingsRecord& record, int selectedFormat) {
    int format = selectedFormat;
    if (format < 0 || format > 5) format = record.AlertFormat;
    if (format < 0 || format > 5) format = 0;
    return record.AlertMaxImages * kCells[format];
}

bool AlertLimitAllows(qint32 limit, qint32 sentCount) {
    return limit == 0 || (limit > 0 && sentCount < limit);
}

AlertSummaryTexts UpdateAlertSummary(SettingsRecord& record, const AlertSummaryInput& input) {
    if (record.AlertMaxImages == 0) record.AlertMaxImages = 1;
    const int minutes = Number(input.minutesText);
    const int images = Number(input.imagesText);
    const int limit = Number(input.limitText);
    if (minutes > 0 && FitsInt16(minutes)) record.AlertPeriodMinutes = qint16(minutes);
    record.EmailLimit = limit;
    if (images > 0 && images < 100) record.AlertMaxImages = qint16(images);

    AlertSummaryTexts texts;
    texts.summary = QStringLiteral("Sending a total of %1 captured within the last %2 %3")
                        .arg(AlertImageCount(record, input.formatIndex))
                        .arg(record.AlertPeriodMinutes)
                        .arg(record.AlertPeriodMinutes < 2 ? QStringLiteral("minute") : QStringLiteral("minutes"));
    texts.limitUnit = limit < 1 ? QString() : QStringLiteral("Emails");
    texts.minutesUnit = minutes < 2 ? QStringLiteral("Minute") : QStringLiteral("Minutes");
    texts.imagesUnit = images < 2 ? QStringLiteral("Image") : QStringLiteral("Images");

    const bool allows = AlertLimitAllows(record.EmailLimit, input.sentCount);
    if (input.alertsTicked && allows)
        texts.summary += QStringLiteral(" (Enabled)");
    else if (record.EmailLimit != 0 && !allows)
        texts.summary = QStringLiteral("Sending none (Limit Disabled)");
    else
        texts.summary += QStringLiteral(" (Disabled)");
    return texts;
}

QString AlertCountdownText(qint64 remainingSeconds) {
    const qint64 minutes = qAbs(remainingSeconds / 60);
    const qint64 seconds = qAbs(remainingSeconds % 60);
    QString text = QString::number(minutes) + (seconds >= 10 ? QStringLiteral(":") : QStringLiteral(":0")) +
                   QString::number(seconds);
    if (remainingSeconds < 0) text.prepend(u'-');
    return QStringLiteral("    ") + text;
}

QString AlertSentCountText(qint32 sentCount) {
    return RightStr(QStringLiteral("00000") + QString::number(sentCount), 5);
}

QString AlertQueueSizeText(qsizetype queueSize) {
    return RightStr(QStringLiteral("000") + QString::number(queueSize), 3);
}

QString AlertStatusLine(qint32 sentCount, const QString& countdown, qsizetype queueSize) {
    return QStringLiteral("Sent ") + AlertSentCountText(sentCount) + QStringLiteral(" Next ") + countdown +
           QStringLiteral(" Cue ") + AlertQueueSizeText(queueSize);
}

QString CheckAlertAddresses(const QString& smtpHost, const QString& replyAddress, const QString& alertEmail) {
    if (TrimText(smtpHost).isEmpty()) return QStringLiteral("Please enter your SMTP Host. ");
    QString ignored;
    if (!ValidateEmailAddress(TrimText(replyAddress), ignored, true))
        return QStringLiteral("Please enter a valid email address. ");
    // Recipients are a comma-separated list: each named address must pass on its own.
    int named = 0;
    for (const QString& item : alertEmail.split(u',')) {
        const QString address = TrimText(item);
        if (address.isEmpty()) continue;
        ++named;
        ignored.clear();
        if (!ValidateEmailAddress(address, ignored, false)) return QStringLiteral("Invalid to alert email address.");
    }
    return named == 0 ? QStringLiteral("Invalid to alert email address.") : QString();
}
