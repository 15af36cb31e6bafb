#pragma once
// The HTTP side of the online picture service: multipart form posts through libcurl, one
// handle for the program's life (its cookies carry the service's session), run through
// NetCall so the window keeps working during a post.
#include "platform/NetCall.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct GalleryFormField {
    QString name;
    QByteArray value;
    QString fileName;    // non-empty: a file part
    QString contentType; // file parts only
};

struct GalleryReply {
    bool ok = false;      // the exchange ran and the status was below 400
    QString statusLine;   // the first header line, e.g. "HTTP/1.0 200 OK"
    QByteArray body;
    QString error;        // why it failed; never holds a form value
};

class GalleryHttp {
public:
    virtual ~GalleryHttp() = default;
    virtual GalleryReply Post(const QString& path, const QList<GalleryFormField>& fields) = 0;
};

// The service's address: a reserved name that never resolves unless TORVEK_GALLERY_URL (read
// once, http or https only) names another.
QString GalleryBaseUrl();
inline constexpr const char* kDefaultGalleryUrl = "http://gallery.invalid";

class CurlGalleryHttp : public GalleryHttp {
public:
    // A reply body longer than this ends the post as a failure; the service's answers are a
    // few words.
    static constexpr qsizetype kMaxReplyBytes = 1024 * 1024;

    // 15 s to connect, and a reply slower than 1 byte/s over 15 s ends the post.
    explicit CurlGalleryHttp(const QString& baseUrl = GalleryBaseUrl());
    ~CurlGalleryHttp() override;
    CurlGalleryHttp(const CurlGalleryHttp&) = delete;
    CurlGalleryHttp& operator=(const CurlGalleryHttp&) = delete;

    void SetTimeouts(const platform::NetTimeouts& timeouts) { call_.SetTimeouts(timeouts); }
    GalleryReply Post(const QString& path, const QList<GalleryFormField>& fields) override;
    void Abort() { call_.Abort(); }

private:
    QString baseUrl_;
    void* curl_ = nullptr;
    platform::NetCall call_;
};
