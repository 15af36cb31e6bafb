#pragma once
// Filling the mail settings record from what the user typed: the four SMTP edits of the
// set-up panel and the contact details of the report window's Settings tab.
#include <QString>
#include <QStringList>

struct EmailSettingsRecord;

// The set-up panel's SMTP edits, as typed (smtpPasswordEdit in plain text).
struct SmtpEdits {
    QString host;
    QString user;
    QString password;
    QString reply;
};

// The Settings tab's contact details; an index of -1 means the list has no selection.
struct ContactEdits {
    QString firstName;
    QString secondName;
    QString phone1;
    QString phone2;
    QString address1;
    QString address2;
    QString note1;
    QString note2;
    int fromTime = -1;
    int toTime = -1;
    int day = -1;
    bool useContactInfo = false;
};

// The defaults the lists show before a file is read.
constexpr int kDefaultContactFromTime = 9;
constexpr int kDefaultContactToTime = 20;
constexpr int kDefaultContactDay = 0;

// fromTimeCombo and toTimeCombo: "24:00", then "01:00" .. "23:00".
QStringList ContactTimeItems();
// contactDayCombo: "Week Days", "Weekends", then Monday .. Sunday.
QStringList ContactDayItems();

// Texts are trimmed and cut to 100 characters. A non-empty password is stored scrambled,
// an empty one stays empty.
void StoreSmtpEdits(EmailSettingsRecord& record, const SmtpEdits& smtp);
// The SMTP edits, then the contact details; a list without a selection keeps its index.
void CollectAlertSettings(EmailSettingsRecord& record, const SmtpEdits& smtp, const ContactEdits& contact);
// What the Settings tab shows for a record: trimmed texts, and the default for an index
// the lists do not have.
ContactEdits ContactEditsFromRecord(const EmailSettingsRecord& record);
