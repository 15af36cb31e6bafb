#include "publish/EmailSettings.h"

#include "core/EmailSettingsRecord.h"
#include "core/Helpers.h"
#include "core/PasswordScrambler.h"

namespace {

QString Stored(const QString& text) {
    return TrimText(text).left(EmailSettingsRecord::kTextCapacity);
}

int Shown(int index, int count, int fallback) {
    return index >= 0 && index < count ? index : fallback;
}

} // namespace

QStringList ContactTimeItems() {
    QStringList items{QStringLiteral("24:00")};
    for (int hour = 1; hour <= 23; ++hour) items << QStringLiteral("%1:00").arg(hour, 2, 10, QChar(u'0'));
    return items;
}

QStringList ContactDayItems() {
    return {QStringLiteral("Week Days"), QStringLiteral("Weekends"), QStringLiteral("Monday"),
            QStringLiteral("Tuesday"),   QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
            QStringLiteral("Friday"),    QStringLiteral("Saturday"),  QStringLiteral("Sunday")};
}

void StoreSmtpEdits(EmailSettingsRecord& record, const SmtpEdits& smtp) {
    record.SmtpHost = Stored(smtp.host);
    record.SmtpUser = Stored(smtp.user);
    // Scrambled bytes may look like blanks: they are cut, never trimmed.
    const QString password = Stored(smtp.password);
    record.SmtpPassword =
        password.isEmpty() ? QString() : ScramblePassword(password).left(EmailSettingsRecord::kTextCapacity);
    record.ReplyAddress = Stored(smtp.reply);
}

void CollectAlertSettings(EmailSettingsRecord& record, const SmtpEdits& smtp, const ContactEdits& contact) {
    StoreSmtpEdits(record, smtp);
    record.ContactFirstName = Stored(contact.firstName);
    record.ContactSecondName = Stored(contact.secondName);
    record.ContactPhone1 = Stored(contact.phone1);
    record.ContactPhone2 = Stored(contact.phone2);
    record.ContactAddress1 = Stored(contact.address1);
    record.ContactAddress2 = Stored(contact.address2);
    record.ContactNote1 = Stored(contact.note1);
    record.ContactNote2 = Stored(contact.note2);
    if (contact.fromTime > -1) record.ContactFromTime = contact.fromTime;
    if (contact.toTime > -1) record.ContactToTime = contact.toTime;
    if (contact.day > -1) record.ContactDay = contact.day;
    record.UseContactInfo = contact.useContactInfo;
}

ContactEdits ContactEditsFromRecord(const EmailSettingsRecord& record) {
    ContactEdits shown;
    shown.firstName = TrimText(record.ContactFirstName);
    shown.secondName = TrimText(record.ContactSecondName);
    shown.phone1 = TrimText(record.ContactPhone1);
    shown.phone2 = TrimText(record.ContactPhone2);
    shown.address1 = TrimText(record.ContactAddress1);
    shown.address2 = TrimText(record.ContactAddress2);
    shown.note1 = TrimText(record.ContactNote1);
    shown.note2 = TrimText(record.ContactNote2);
    const int times = int(ContactTimeItems().size());
    shown.fromTime = Shown(record.ContactFromTime, times, kDefaultContactFromTime);
    shown.toTime = Shown(record.ContactToTime, times, kDefaultContactToTime);
    shown.day = Shown(record.ContactDay, int(ContactDayItems().size()), kDefaultContactDay);
    shown.useContactInfo = record.UseContactInfo;
    return shown;
}
