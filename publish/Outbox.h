#pragma once
// The e-mail outbox <program folder>SentItems/: one NNNNNN.DRK record and NNNNNN.KRD text per
// report, with copies of its pictures and notes (never overwritten once there).
#include "publish/OutboxRecord.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// What a report window hands to the outbox when it saves a report.
struct OutboxSaveInput {
    QString subject, reference, code, toText; // as typed
    QDateTime now;
    QStringList pictures;    // the picture list (names only)
    bool singlePictureMode = false;
    int position = 0;
    int camera = 0;          // 1, 2, 3 (history) or 0 (the outbox itself)
    QString cameraFolder;    // where the pictures lie ('/' at the end)
    QStringList freeText;    // the report's free text lines
};

struct OutboxRow {
    QString number; // "000001"
    QString text;   // "DD MMM HH:MM:SS " + recipient and subject
};

class Outbox {
public:
    explicit Outbox(QString folder); // '/' at the end
    const QString& Folder() const { return folder_; }

    // The first number without a .DRK file: "000001", "000002", ...
    QString NextReportNumber() const;
    // Saves the report into the working record and its files. A report opened from the
    // outbox (camera 0) and sent to the same recipient keeps its number and names. False
    // with *error when the record or the text could not be written.
    bool SaveReportToOutbox(OutboxRecord& working, const OutboxSaveInput& input, QString* error = nullptr);

    QList<OutboxRow> Rows() const;
    bool Read(const QString& number, OutboxRecord& record) const;
    // The report's free text (its .KRD), empty when missing.
    QStringList Summary(const QString& number) const;
    // The first ten picture entries whose copy is in the outbox, as paths.
    QStringList Thumbnails(const OutboxRecord& record) const;
    // Deletes the report's .DRK only.
    bool Delete(const QString& number);
    // Deletes every file of the outbox.
    bool Purge();

    // A picture name read back from a record is used only when it names a file of the
    // folder: no separators, no "..", no control characters.
    static bool IsSafePictureName(const QString& name);

private:
    QString DrkPath(const QString& number) const { return folder_ + number + QStringLiteral(".DRK"); }
    QString KrdPath(const QString& number) const { return folder_ + number + QStringLiteral(".KRD"); }

    QString folder_;
};
