#include "publish/Outbox.h"

#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "platform/Ansi.h"
#include "platform/RecordFile.h"
#include "publish/EAlertPage.h"
#include "publish/ReportPage.h"

#include <QDir>
#include <QFile>

namespace {

QString SixDigits(int n) { return QStringLiteral("%1").arg(n, 6, 10, QLatin1Char('0')).right(6); }

} // namespace

Outbox::Outbox(QString folder) : folder_(std::move(folder)) {}

bool Outbox::IsSafePictureName(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QStringLiteral("..")))
        return false;
    for (const QChar c : name)
        if (c.unicode() < 32 || c.unicode() == 127)
            return false;
    return true;
}

QString Outbox::NextReportNumber() const {
    for (int n = 1;; ++n)
        if (!QFile::exists(DrkPath(SixDigits(n))))
            return SixDigits(n);
}

bool Outbox::SaveReportToOutbox(OutboxRecord& working, const OutboxSaveInput& in, QString* error) {
    working.Subject = TrimText(in.subject);
    working.Reference = TrimText(in.reference);
    working.Code = TrimText(in.code);
    working.SetSentDateTime(in.now);
    QDir().mkpath(folder_);

    QString number;
    if (in.camera == 0 && TrimText(working.ToAddress) == TrimText(in.toText)) {
        number = TrimText(working.ReportNumber);
    } else {
        working.ToAddress = TrimText(in.toText);
        number = NextReportNumber();
        working.SetPictures(ReportPictures(in.pictures, in.singlePictureMode, in.position));
        if (in.camera >= 1 && in.camera <= 3) {
            for (const QString& stored : working.Pictures()) {
                if (!IsSafePictureName(stored))
                    continue;
                const QString note = stored.left(stored.size() - 4) + QStringLiteral(".txt");
                // Copies never replace what the outbox holds already.
                QFile::copy(in.cameraFolder + stored, folder_ + stored);
                QFile::copy(in.cameraFolder + note, folder_ + note);
            }
        }
    }

    QByteArray summary;
    for (const QString& line : in.freeText)
        summary += platform::ToAnsi(line) + "\r\n";
    if (!platform::WriteFileAtomically(KrdPath(number), summary, error))
        return false;
    working.ReportNumber = number;
    // For its owner alone from the moment it appears: it names the recipients.
    return platform::WriteRecordFile(DrkPath(number), 1, working.Encode(), error, true);
}

QList<OutboxRow> Outbox::Rows() const {
    QList<OutboxRow> rows;
    const QDir dir(folder_);
    if (!dir.exists())
        return rows;
    for (const QString& file : dir.entryList({QStringLiteral("*.DRK")}, QDir::Files, QDir::Name)) {
        const QString number = file.left(file.size() - 4);
        OutboxRecord record;
        Read(number, record);
        rows << OutboxRow{number, FormatDateTime(QStringLiteral("DD MMM HH:MM:SS "), record.SentDateTime()) +
                                      TrimText(TrimText(record.ToAddress) + QStringLiteral(" ") +
                                               TrimText(record.Subject))};
    }
    return rows;
}

bool Outbox::Read(const QString& number, OutboxRecord& record) const {
    // A short or damaged file reads as far as it goes; the rest stays empty.
    QFile file(DrkPath(number));
    if (!file.open(QIODevice::ReadOnly)) {
        record = OutboxRecord();
        return false;
    }
    const QByteArray image = file.read(2 * OutboxRecord::kSize).mid(OutboxRecord::kSize);
    record = OutboxRecord::Decode(image);
    return image.size() == OutboxRecord::kSize;
}

QStringList Outbox::Summary(const QString& number) const { return ReadNoteLines(KrdPath(number)); }

QStringList Outbox::Thumbnails(const OutboxRecord& record) const {
    QStringList paths;
    for (int i = 0; i < 10; ++i) {
        const QString name = TrimText(record.PictureNames[size_t(i)]);
        if (IsSafePictureName(name) && QFile::exists(folder_ + name))
            paths << folder_ + name;
    }
    return paths;
}

bool Outbox::Delete(const QString& number) { return QFile::remove(DrkPath(number)); }

bool Outbox::Purge() {
    bool all = true;
    const QDir dir(folder_);
    for (const QString& file : dir.entryList(QDir::Files))
        all = QFile::remove(folder_ + file) && all;
    return all;
}
