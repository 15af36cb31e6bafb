#include "platform/SmtpClient.h"

#include <curl/curl.h>

namespace platform {

namespace {

#if LIBCURL_VERSION_NUM >= 0x080200
constexpr CURLoption kRcptAllowFails = CURLOPT_MAIL_RCPT_ALLOWFAILS;
#else
constexpr CURLoption kRcptAllowFails = CURLOPT_MAIL_RCPT_ALLLOWFAILS;
#endif

// Text for a MIME header value: printable ASCII only, no quote or angle bracket.
QByteArray HeaderValue(const QString& text) {
    QByteArray out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7f && u != u'"' && u != u'<' && u != u'>' && u != u'\\')
            out += char(u);
    }
    return out;
}

// The curl objects of one send, freed together.
struct SendResources {
    curl_slist* recipients = nullptr;
    curl_slist* headers = nullptr;
    curl_mime* mime = nullptr;
    CURLU* url = nullptr;
    ~SendResources() {
        curl_slist_free_all(recipients);
        curl_slist_free_all(headers);
        curl_mime_free(mime);
        curl_url_cleanup(url);
    }
};

void SetTextPart(curl_mimepart* part, const QString& text, const char* type) {
    const QByteArray utf8 = text.toUtf8();
    curl_mime_data(part, utf8.constData(), size_t(utf8.size()));
    curl_mime_type(part, type);
    // Quoted-printable keeps every line under SMTP's 998 characters.
    curl_mime_encoder(part, "quoted-printable");
}

// mixed > alternative > [plain, related > [html, pictures...]]
curl_mime* BuildBody(CURL* handle, const MailMessage& message) {
    curl_mime* mixed = curl_mime_init(handle);
    curl_mime* alternative = curl_mime_init(handle);
    curl_mime* related = curl_mime_init(handle);

    SetTextPart(curl_mime_addpart(alternative), message.plain, "text/plain; charset=UTF-8");
    SetTextPart(curl_mime_addpart(related), message.html, "text/html; charset=UTF-8");
    for (const MailInlinePart& picture : message.inlineParts) {
        curl_mimepart* part = curl_mime_addpart(related);
        curl_mime_data(part, picture.data.constData(), size_t(picture.data.size()));
        curl_mime_type(part, HeaderValue(picture.contentType).constData());
        curl_mime_encoder(part, "base64");
        // Our own disposition: without it curl would call the picture an attachment.
        curl_slist* headers = nullptr;
        headers = curl_slist_append(headers, ("Content-Disposition: inline; filename=\"" +
                                              HeaderValue(picture.fileName) + "\"")
                                                 .constData());
        headers = curl_slist_append(headers,
                                    ("Content-ID: <" + HeaderValue(picture.contentId) + ">").constData());
        curl_mime_headers(part, headers, 1);
    }

    curl_mimepart* relatedPart = curl_mime_addpart(alternative);
    curl_mime_subparts(relatedPart, related);
    curl_mime_type(relatedPart, "multipart/related");
    curl_mimepart* alternativePart = curl_mime_addpart(mixed);
    curl_mime_subparts(alternativePart, alternative);
    curl_mime_type(alternativePart, "multipart/alternative");
    return mixed;
}

bool IsNameCharacter(char16_t u) {
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'.' ||
           u == u'-' || u == u'_';
}

bool IsIpv6Text(QStringView text) {
    if (text.isEmpty() || !text.contains(u':')) return false;
    for (QChar c : text)
        if (!(c == u':' || c == u'.' || isxdigit(c.unicode()))) return false;
    return true;
}

// The host as the URL takes it and the port: "name", "name:port", "[v6]", "[v6]:port" or a
// bare IPv6 address (several colons, so no port). False for anything else.
bool SplitHost(const QString& typed, int defaultPort, QByteArray* urlHost, int* port) {
    if (typed.isEmpty() || typed.size() > 260) return false;
    QStringView name(typed);
    QStringView portText;
    bool ipv6 = false;
    if (typed.startsWith(u'[')) {
        const qsizetype close = typed.indexOf(u']');
        if (close < 0) return false;
        name = QStringView(typed).mid(1, close - 1);
        const QStringView rest = QStringView(typed).mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(u':')) return false;
        portText = rest.isEmpty() ? QStringView() : rest.mid(1);
        if (!rest.isEmpty() && portText.isEmpty()) return false;
        ipv6 = true;
    } else if (typed.count(u':') == 1) {
        const qsizetype colon = typed.indexOf(u':');
        name = QStringView(typed).left(colon);
        portText = QStringView(typed).mid(colon + 1);
        if (portText.isEmpty()) return false;
    } else if (typed.contains(u':')) {
        ipv6 = true;
    }
    if (ipv6) {
        if (!IsIpv6Text(name)) return false;
    } else {
        if (name.isEmpty() || name.size() > 253) return false;
        for (QChar c : name)
            if (!IsNameCharacter(c.unicode())) return false;
    }
    *port = defaultPort;
    if (!portText.isEmpty()) {
        for (QChar c : portText)
            if (!c.isDigit() || c.unicode() > 0x7f) return false;
        bool ok = false;
        *port = portText.toInt(&ok);
        if (!ok || *port < 1 || *port > 65535) return false;
    }
    *urlHost = ipv6 ? "[" + name.toLatin1() + "]" : name.toLatin1();
    return true;
}

// The address of an "RCPT TO:<address>" command line, else empty.
QByteArray RecipientOfCommand(const QByteArray& line) {
    if (!line.startsWith("RCPT TO:<")) return {};
    const qsizetype close = line.indexOf('>');
    return close < 0 ? QByteArray() : line.mid(9, close - 9);
}

} // namespace

SmtpClient::SmtpClient(int port, NetTimeouts timeouts) : port_(port) {
    NetCall::GlobalInit();
    call_.SetTimeouts(timeouts);
    handle_ = curl_easy_init();
}

SmtpClient::~SmtpClient() {
    call_.Abort();
    // No QUIT wait: the server may be the one that never answered.
    call_.Cleanup(handle_);
}

int SmtpClient::OnDebug(CURL*, int type, char* data, size_t size, void* self) {
    auto* client = static_cast<SmtpClient*>(self);
    if (type == CURLINFO_HEADER_OUT) {
        // Our commands: each RCPT waits for its reply before the next goes.
        for (size_t i = 0; i < size; ++i) {
            const char c = data[i];
            if (c == '\n') {
                const QByteArray to = RecipientOfCommand(client->commandLine_);
                if (!to.isEmpty()) client->awaitingRcpt_ << QString::fromLatin1(to);
                client->commandLine_.clear();
            } else if (c != '\r' && client->commandLine_.size() < 1024) {
                client->commandLine_ += c;
            }
        }
        return 0;
    }
    if (type != CURLINFO_HEADER_IN) return 0;
    for (size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\n') {
            // A refusal (4xx, 5xx) is kept over the "221 Bye" that follows it.
            const QByteArray& line = client->replyLine_;
            const bool refusal = !line.isEmpty() && (line[0] == '4' || line[0] == '5');
            if (!line.isEmpty() && (refusal || client->lastReply_.isEmpty() ||
                                    !(client->lastReply_[0] == '4' || client->lastReply_[0] == '5')))
                client->lastReply_ = line;
            // The last line of a reply ("250 ok", not "250-...") answers the RCPT in waiting.
            const bool last = line.size() >= 3 && (line.size() == 3 || line[3] == ' ');
            if (last && !client->awaitingRcpt_.isEmpty()) {
                const QString to = client->awaitingRcpt_.takeFirst();
                if (refusal) client->refused_ << to;
            }
            client->replyLine_.clear();
        } else if (c != '\r' && client->replyLine_.size() < 512) {
            client->replyLine_ += c;
        }
    }
    return 0;
}

MailSendResult SmtpClient::Send(const QString& host, const MailMessage& message) {
    MailSendResult result;
    // Refused before the handle is touched: the transfer in flight still uses it.
    if (call_.Busy()) {
        result.error = QStringLiteral("A mail is already being sent.");
        return result;
    }
    if (!handle_) {
        result.error = QStringLiteral("The mail transfer could not be set up.");
        return result;
    }
    QByteArray hostText;
    int port = port_;
    if (!SplitHost(host, port_, &hostText, &port)) {
        result.error = host.isEmpty()
                           ? QStringLiteral("No SMTP host is set.")
                           : QStringLiteral("\"%1\" is not a valid SMTP host.").arg(HeaderValue(host));
        return result;
    }
    const QList<QByteArray> headerLines = MailHeaderLines(message, &result.error);
    if (headerLines.isEmpty()) return result;

    SendResources r;
    r.url = curl_url();
    if (curl_url_set(r.url, CURLUPART_SCHEME, "smtp", 0) != CURLUE_OK ||
        curl_url_set(r.url, CURLUPART_HOST, hostText.constData(), 0) != CURLUE_OK ||
        curl_url_set(r.url, CURLUPART_PORT, QByteArray::number(port).constData(), 0) != CURLUE_OK) {
        result.error = QStringLiteral("\"%1\" is not a valid SMTP host.").arg(HeaderValue(host));
        return result;
    }
    for (const QString& to : message.recipients)
        r.recipients = curl_slist_append(r.recipients, ("<" + to.toLatin1() + ">").constData());
    for (const QByteArray& line : headerLines) r.headers = curl_slist_append(r.headers, line.constData());

    curl_easy_reset(handle_);
    r.mime = BuildBody(handle_, message);
    const QByteArray from = "<" + message.from.toLatin1() + ">";
    curl_easy_setopt(handle_, CURLOPT_CURLU, r.url);
    curl_easy_setopt(handle_, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(handle_, CURLOPT_MAIL_RCPT, r.recipients);
    // One refused recipient does not keep the mail from the others; only when the server
    // refuses them all does the send fail.
    curl_easy_setopt(handle_, kRcptAllowFails, 1L);
    curl_easy_setopt(handle_, CURLOPT_HTTPHEADER, r.headers);
    curl_easy_setopt(handle_, CURLOPT_MIMEPOST, r.mime);
    // The server's replies arrive through the debug callback only.
    curl_easy_setopt(handle_, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(handle_, CURLOPT_DEBUGFUNCTION, &SmtpClient::OnDebug);
    curl_easy_setopt(handle_, CURLOPT_DEBUGDATA, this);
    replyLine_.clear();
    lastReply_.clear();
    commandLine_.clear();
    awaitingRcpt_.clear();
    refused_.clear();

    const NetResult net = call_.Perform(handle_);
    curl_easy_reset(handle_); // drops every pointer into the resources freed below
    result.ok = net.ok;
    if (!net.ok) {
        result.error = net.error.isEmpty() ? QStringLiteral("The mail could not be sent.") : net.error;
        if (!refused_.isEmpty() && refused_.size() >= message.recipients.size())
            result.error = QStringLiteral("The server refused every recipient (%1)").arg(refused_.join(", "));
        if (!lastReply_.isEmpty())
            result.error += QStringLiteral(" (server: %1)").arg(QString::fromLatin1(lastReply_));
    } else {
        result.refused = refused_;
    }
    return result;
}

} // namespace platform
