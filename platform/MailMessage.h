#pragma once
// One e-mail as the station sends it: a plain text, an HTML page and the pictures the page
// shows, all held in memory. The SMTP client turns it into
//   multipart/mixed > multipart/alternative > [text/plain, multipart/related > [text/html,
//   image/jpeg ...]]
// so that readers resolve the page's "cid:" references inside the related part.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

struct MailInlinePart {
    QByteArray data;     // the picture's bytes
    QString contentId;   // without angle brackets; the page refers to it as "cid:" + contentId
    QString fileName;    // shown by readers that save the picture
    QString contentType = QStringLiteral("image/jpeg");
};

struct MailMessage {
    QString from;
    QStringList recipients;
    QString subject;
    QString plain;
    QString html;
    QList<MailInlinePart> inlineParts;
    QDateTime date; // the Date header; an invalid one means now
};

// Splits a comma-separated address list; items are trimmed and empty ones dropped.
QStringList SplitAddressList(const QString& list);

// A bare address (local@domain) that is safe in an envelope and a header: printable ASCII,
// no blanks, no control characters, no <>()[],;:" or backslash, exactly one '@' with text
// on both sides. On refusal *why says so.
bool IsSendableAddress(const QString& address, QString* why = nullptr);

// The Content-ID (no angle brackets) of an inline picture, which its page refers to as
// "cid:" + the same text. Letters, digits, '.', '-' and '_' stay; any other character
// becomes '=' and two hex digits per UTF-8 byte ('=' itself too), so that different names
// never share an ID and neither the header nor the page's reference needs decoding.
QString MailContentId(const QString& name);

// Header text with CR, LF and other control characters removed; non-ASCII text becomes
// RFC 2047 encoded words (UTF-8, base64).
QByteArray EncodeHeaderText(const QString& text);

// "Sun, 06 Dec 2026 20:43:17 +0000": English names and a numeric zone.
QByteArray FormatMailDate(const QDateTime& when);

// A unique "<...@domain>" for the Message-ID header; the domain is the sender's.
QByteArray MakeMessageId(const QString& from, const QDateTime& when);

// The header lines From, To, Subject, Date and Message-ID of the message (MIME-Version is
// added with the body), or an empty list and *error when an address cannot be sent.
QList<QByteArray> MailHeaderLines(const MailMessage& message, QString* error = nullptr);

// What a send gives back. The error holds the transport's message and the server's last
// reply. A mail that went out may still have been refused for some recipients.
struct MailSendResult {
    bool ok = false;
    QString error;
    QStringList refused; // recipients the server refused while it took the mail for the rest
};

// Sends a message to an SMTP host; the SMTP client, or a fake in tests.
class MailTransport {
public:
    virtual ~MailTransport() = default;
    // May run a nested event loop while the mail goes out.
    virtual MailSendResult Send(const QString& host, const MailMessage& message) = 0;
    // Ends a send in flight; it then returns with ok = false.
    virtual void Abort() {}
};

} // namespace platform
