#include "core/EmailSettingsRecord.h"

#include "core/RecordFields.h"

template <class Record, class Visitor>
void EmailSettingsRecord::VisitFields(Record& r, Visitor&& v) {
    constexpr int n = EmailSettingsRecord::kTextCapacity;
    v(0, "SmtpHost", r.SmtpHost, n);
    v(101, "SmtpUser", r.SmtpUser, n);
    v(202, "SmtpPassword", r.SmtpPassword, n);
    v(303, "ReplyAddress", r.ReplyAddress, n);
    v(404, "ContactFirstName", r.ContactFirstName, n);
    v(505, "ContactSecondName", r.ContactSecondName, n);
    v(606, "ContactPhone1", r.ContactPhone1, n);
    v(707, "ContactPhone2", r.ContactPhone2, n);
    v(808, "ContactAddress1", r.ContactAddress1, n);
    v(909, "ContactAddress2", r.ContactAddress2, n);
    v(1010, "ContactNote1", r.ContactNote1, n);
    v(1111, "ContactNote2", r.ContactNote2, n);
    v(1212, "ContactFromTime", r.ContactFromTime);
    v(1216, "ContactToTime", r.ContactToTime);
    v(1220, "ContactDay", r.ContactDay);
    v(1224, "UseContactInfo", r.UseContactInfo);
}

template struct FixedRecord<EmailSettingsRecord, EmailSettingsRecord::kSize>;

void EmailSettingsRecord::ClearForFirstRun() {
    SmtpPassword.clear();
    ContactFirstName.clear();
    ContactSecondName.clear();
    ContactPhone1.clear();
    ContactPhone2.clear();
    ContactAddress1.clear();
    ContactAddress2.clear();
    ContactNote1.clear();
    ContactNote2.clear();
    ContactFromTime = 0;
    ContactToTime = 0;
    ContactDay = 0;
    UseContactInfo = false;
}
