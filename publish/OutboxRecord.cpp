#include "publish/OutboxRecord.h"

#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "core/RecordFields.h"

template <class Record, class Visitor> void OutboxRecord::VisitFields(Record& r, Visitor&& v) {
    constexpr int n = OutboxRecord::kTextCapacity;
    v(0, "ReportNumber", r.ReportNumber, n);
    v(101, "ToAddress", r.ToAddress, n);
    v(202, "PictureNames", r.PictureNames, n);
    v(5353, "Reference", r.Reference, n);
    v(5454, "Code", r.Code, n);
    v(5560, "SentTime", r.SentTime);
    v(5568, "Subject", r.Subject, n);
}

template struct FixedRecord<OutboxRecord, 5672>;

QStringList OutboxRecord::Pictures() const {
    QStringList names;
    for (const QString& name : PictureNames)
        if (!TrimText(name).isEmpty())
            names << TrimText(name);
    return names;
}

void OutboxRecord::SetPictures(const QStringList& names) {
    PictureNames.fill(QString());
    for (int i = 0; i < names.size() && i < kNamesWritten; ++i)
        PictureNames[size_t(i)] = names[i];
}

QDateTime OutboxRecord::SentDateTime() const { return DaysToDateTime(SentTime); }

void OutboxRecord::SetSentDateTime(const QDateTime& when) { SentTime = DateTimeToDays(when); }
