#pragma once
// The mail of an e-mail report and the sender it goes through: a plain text, the report
// page and the report's pictures from memory, each shown by the page as "cid:0" + name.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct ReportMail {
    struct Picture {
        QString name;    // the picture's file name; content id and file name are "0" + name
        QByteArray data; // the JPEG's bytes
    };
    QString host; // SMTP host, trimmed
    QString from;
    QStringList recipients;
    QString subject;
    QString plain; // the free text
    QString html;  // the report page
    QList<Picture> pictures;
};

class ReportMailSender {
public:
    virtual ~ReportMailSender() = default;
    // May run a nested event loop while the mail goes out. False with *error on failure.
    virtual bool SendReportMail(const ReportMail& mail, QString* error) = 0;
    // The recipients the server refused in the last mail that went out to the others.
    virtual QStringList RefusedRecipients() const { return {}; }
};

// A comma-separated recipient text as its addresses, trimmed, empty items dropped.
QStringList SplitRecipients(const QString& text);
// Every address of the list passes the address check (free mail allowed); an empty list
// does not.
bool ValidRecipients(const QString& text);

// Reads the report's pictures from the folder. Pictures that cannot be read are left out
// and named in *missing.
QList<ReportMail::Picture> ReadReportPictures(const QString& folder, const QStringList& names,
                                              QStringList* missing = nullptr);
