#include "publish/GalleryClient.h"

#include <QUrl>
#include <curl/curl.h>

QString GalleryBaseUrl() {
    static const QString base = [] {
        const QString configured = qEnvironmentVariable("TORVEK_GALLERY_URL").trimmed();
        const QUrl url(configured);
        if (!configured.isEmpty() && url.isValid() && (url.scheme() == "http" || url.scheme() == "https"))
            return configured.endsWith('/') ? configured.chopped(1) : configured;
        return QString::fromLatin1(kDefaultGalleryUrl);
    }();
    return base;
}

namespace {

struct ReplyCollector {
    GalleryReply* reply = nullptr;
    bool tooLong = false;
};

size_t CollectBody(char* data, size_t size, size_t count, void* collector) {
    auto* c = static_cast<ReplyCollector*>(collector);
    const size_t bytes = size * count;
    if (!platform::AppendWithinLimit(c->reply->body, data, bytes, CurlGalleryHttp::kMaxReplyBytes)) {
        c->tooLong = true;
        return 0; // curl ends the transfer with a write error
    }
    return bytes;
}

size_t CollectStatus(char* data, size_t size, size_t count, void* reply) {
    auto* r = static_cast<GalleryReply*>(reply);
    if (r->statusLine.isEmpty())
        r->statusLine = QString::fromLatin1(data, qsizetype(size * count)).trimmed();
    return size * count;
}

} // namespace

CurlGalleryHttp::CurlGalleryHttp(const QString& baseUrl) : baseUrl_(baseUrl) {
    platform::NetCall::GlobalInit();
    curl_ = curl_easy_init();
    platform::NetTimeouts timeouts;
    timeouts.connectSeconds = 15;
    timeouts.responseSeconds = 15;
    timeouts.lowSpeedSeconds = 15;
    call_.SetTimeouts(timeouts);
    // Cookies are kept in memory for the handle's life (the service's session).
    curl_easy_setopt(curl_, CURLOPT_COOKIEFILE, "");
}

CurlGalleryHttp::~CurlGalleryHttp() { curl_easy_cleanup(curl_); }

GalleryReply CurlGalleryHttp::Post(const QString& path, const QList<GalleryFormField>& fields) {
    GalleryReply reply;
    CURL* curl = curl_;
    curl_mime* mime = curl_mime_init(curl);
    for (const GalleryFormField& field : fields) {
        curl_mimepart* part = curl_mime_addpart(mime);
        curl_mime_name(part, field.name.toUtf8().constData());
        curl_mime_data(part, field.value.constData(), size_t(field.value.size()));
        if (!field.fileName.isEmpty()) {
            curl_mime_filename(part, field.fileName.toUtf8().constData());
            curl_mime_type(part, field.contentType.toUtf8().constData());
        }
    }
    curl_slist* headers = curl_slist_append(nullptr, "Accept: text/html, */*");
    // The first header line must be the reply's own status, not a "100 Continue".
    headers = curl_slist_append(headers, "Expect:");

    const QByteArray url = (baseUrl_ + path).toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_MIMEPOST, mime);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &CollectBody);
    ReplyCollector collector{&reply};
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &collector);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &CollectStatus);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &reply);

    const platform::NetResult result = call_.Perform(curl);

    curl_easy_setopt(curl, CURLOPT_MIMEPOST, nullptr);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, nullptr);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, nullptr);
    curl_slist_free_all(headers);
    curl_mime_free(mime);

    if (collector.tooLong) {
        reply.body.clear();
        reply.error = QStringLiteral("The service's reply is longer than %1 KB.").arg(kMaxReplyBytes / 1024);
        return reply;
    }
    if (!result.ok) {
        reply.error = result.error;
        return reply;
    }
    if (result.responseCode >= 400) {
        reply.error = QStringLiteral("The service answered %1").arg(reply.statusLine);
        return reply;
    }
    reply.ok = true;
    return reply;
}
