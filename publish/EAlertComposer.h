#pragma once
// The e-alert mail: turns a copy of the alert queue into one HTML mail whose pictures travel
// inline, either the pictures themselves ("1 x 1") or proof sheets of thumbnails. Reading,
// decoding, drawing and encoding run on a worker thread while the GUI thread waits in a
// nested event loop; the mail goes out through the given transport.
#include "platform/MailMessage.h"
#include "publish/AlertSender.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

// Everything the composer reads from the station, taken once per mail.
struct EAlertSnapshot {
    int alertFormat = 0;     // stored format index 0..5: grid size - 1
    int alertMaxImages = 1;
    int alertImageCount = 1; // pictures one mail carries, from the live format choice
    QString siteLocation;
    bool dialUp = false;
    QString cameraFolders[3]; // digit 1, 2 and 3 (the history folder), each ending in '/'
    QString programFolder;    // ending in '/'
    QString smtpHost;
    QString sender;
    QString recipients; // comma-separated
    QDateTime now;
    bool online = true;
    QLocale locale;
};

class EAlertComposer : public AlertSender {
public:
    using SnapshotSource = std::function<EAlertSnapshot()>;
    EAlertComposer(SnapshotSource snapshot, platform::MailTransport& transport);

    // Sends the queue copy (camera digit + picture name, newest first) as one mail. When
    // none of the pictures can be read, the lines count as used but no mail goes (ok, not
    // mailed); a failed send uses no lines.
    AlertSendResult SendEAlert(const QStringList& queue) override;

    bool Busy() const { return busy_; }
    // Ends the alert in flight: drawing stops and the send is aborted.
    void Abort();

    // The files the composer writes, for tests and the station's clean-up.
    static QString SinglePageFile(const QString& programFolder);
    static QString ProofSheetFolder(const QString& programFolder);

private:
    AlertSendResult SendSingles(const QStringList& queue, const EAlertSnapshot& s);
    AlertSendResult SendProofSheets(const QStringList& queue, const EAlertSnapshot& s);
    AlertSendResult Deliver(const EAlertSnapshot& s, int lines, const QString& html,
                         QList<platform::MailInlinePart> parts);

    // Aborted, or the station is shutting down.
    bool Stopping() const;

    SnapshotSource snapshot_;
    platform::MailTransport& transport_;
    bool busy_ = false;
    std::atomic<bool> abort_{false};
};

// The path of a queue line's picture: the folder by its camera digit plus the trimmed name;
// empty for an unknown digit.
QString AlertPicturePath(const QString& queueLine, const QString (&folders)[3]);
// The trimmed picture name of a queue line.
QString AlertPictureName(const QString& queueLine);
