#pragma once
// The mail settings: record 1 of ETR0511.dat, 1228 bytes of fixed layout.
// SmtpPassword is held scrambled here and in the file.
#include "core/FixedRecord.h"

#include <QString>
#include <QtGlobal>

struct EmailSettingsRecord : FixedRecord<EmailSettingsRecord, 1228> {
    static constexpr int kTextCapacity = 100;

    template <class Record, class Visitor> static void VisitFields(Record& r, Visitor&& v);

    // Clears what a first run clears: the password, the contact details and their choices.
    // Host, user and reply address stay.
    void ClearForFirstRun();

    QString SmtpHost;
    QString SmtpUser;
    QString SmtpPassword;
    QString ReplyAddress;
    QString ContactFirstName;
    QString ContactSecondName;
    QString ContactPhone1;
    QString ContactPhone2;
    QString ContactAddress1;
    QString ContactAddress2;
    QString ContactNote1;
    QString ContactNote2;
    // A record never filled holds 0 ("24:00"); 09:00 and 20:00 are only what the contact
    // lists show while no file exists.
    qint32 ContactFromTime = 0;
    qint32 ContactToTime = 0;
    qint32 ContactDay = 0;
    bool UseContactInfo = false;
};

extern template struct FixedRecord<EmailSettingsRecord, EmailSettingsRecord::kSize>;
