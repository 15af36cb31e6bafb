#pragma once
// One stored e-mail report (SentItems/NNNNNN.DRK): a file of 5672-byte records whose record 1
// is the report; record 0 stays zero.
#include "core/FixedRecord.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>

struct OutboxRecord : FixedRecord<OutboxRecord, 5672> {
    static constexpr int kTextCapacity = 100;
    static constexpr int kNameEntries = 51;  // entries 0..50
    static constexpr int kNamesWritten = 50; // a report names at most 50 pictures

    QString ReportNumber;
    QString ToAddress;
    std::array<QString, kNameEntries> PictureNames;
    QString Reference;
    QString Code;
    double SentTime = 0;
    QString Subject;

    // Every non-empty trimmed name of the 51 entries, in order.
    QStringList Pictures() const;
    // Clears all entries, then stores the first 50 names.
    void SetPictures(const QStringList& names);

    QDateTime SentDateTime() const;
    void SetSentDateTime(const QDateTime& when);

    template <class Record, class Visitor> static void VisitFields(Record& r, Visitor&& v);
};
