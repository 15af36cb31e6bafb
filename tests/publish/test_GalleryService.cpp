// The online picture service: connect/disconnect texts and state, the upload of a saved
// picture and what happens when the service misbehaves, first against a recording fake, then
// against a loopback service over real HTTP.
#include "publish/GalleryService.h"

#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "platform/Jpeg.h"
#include "tests/support/ServerProcess.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonArray>
#include <QTimer>
#include <gtest/gtest.h>

using TestSupport::TempProgramFolder;

namespace {

struct FakePage : GalleryPageView {
    QString UserText() const override { return user; }
    QString CodeText() const override { return code; }
    QString SizeText() const override { return size; }
    void SetSizeText(const QString& text) override { size = text; }
    void SetConnectCaption(const QString& text) override { caption = text; }
    void ShowLog(const QStringList& lines) override { log = lines; }
    void ShowPreview(const QImage& picture) override { preview = picture; }
    void SetTestEnabled(bool enabled) override { testEnabled = enabled; }
    QString user = " 5551234 ", code = " secret ", size, caption = "Connect";
    QStringList log;
    QImage preview;
    bool testEnabled = true, busyFlag = false;
};

struct FakeHttp : GalleryHttp {
    GalleryReply Post(const QString& path, const QList<GalleryFormField>& fields) override {
        paths << path;
        posts << fields;
        if (duringPost) duringPost();
        return replies.isEmpty() ? reply : replies.takeFirst();
    }
    QStringList paths;
    QList<QList<GalleryFormField>> posts;
    GalleryReply reply{true, "HTTP/1.0 200 OK", "galleries/g1", {}};
    QList<GalleryReply> replies; // taken first, one a post
    std::function<void()> duringPost;
};

// A program folder with its settings and one saved picture with its note.
struct Station {
    Station() : store(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop") {
        store.FirstRunInit();
        store.Record().PhonePictureSize = "150";
        QDir().mkpath(dir.file("cam1"));
        QImage frame(640, 480, QImage::Format_RGB888);
        frame.fill(QColor(30, 160, 90));
        platform::SaveJpeg(frame, 100, picture(), nullptr);
        TestSupport::WriteAll(dir.file("cam1/000007OFFICE.txt"), note);
    }
    QString picture() const { return dir.file("cam1/000007OFFICE.jpg"); }
    TempProgramFolder dir;
    SettingsStore store;
    QByteArray note = "N.o. 000007\r\nCam Location Hall\r\n000007OFFICE.jpg Captured \xe9t\xe9\r\n";
};

// A service on the fakes whose told failures are recorded.
struct ToldService {
    ToldService() { SetMessageBoxHandler([this](const QString& text) { boxes << text; }); }
    ~ToldService() { SetMessageBoxHandler({}); }
    Station s;
    FakeHttp http;
    FakePage page;
    QStringList boxes;
    GalleryService service{s.store, http, page, {}};
};

} // namespace

TEST(GalleryService, ConnectFillsSizesAndWelcomesThenDisconnectReminds) {
    Station s;
    FakeHttp http;
    FakePage page;
    GalleryService service(s.store, http, page, [&](bool busy) { page.busyFlag = busy; });
    QFile::remove(s.store.SettingsFilePath());

    service.ToggleConnection();
    EXPECT_TRUE(service.GalleryConnected());
    EXPECT_EQ(service.GalleryPath(), "galleries/g1");
    EXPECT_EQ(page.log.value(1), "Welcome! Connected to torvek Z4 service");
    EXPECT_TRUE(QFile::exists(s.store.SettingsFilePath()));
    ASSERT_EQ(http.posts.size(), 1);
    EXPECT_EQ(http.posts[0][0].value, "5551234");
    EXPECT_EQ(http.posts[0][1].value, "secret");
    EXPECT_FALSE(page.busyFlag);

    page.code = "  ";
    service.ToggleConnection();
    EXPECT_FALSE(service.GalleryConnected());
    EXPECT_EQ(page.log, QStringList({"<<=== You need to eneter the correct details!", "Not Connected to Z4 System"}));
    EXPECT_EQ(http.posts.size(), 1); // nothing is sent on disconnect
}

TEST(GalleryService, RefusalsAndEmptyAnswersLeaveItDisconnected) {
    Station s;
    FakeHttp http;
    FakePage page;
    GalleryService service(s.store, http, page, {});
    const QStringList failed{"Status: Server Failed", "", "Try again latter Please contact support."};
    for (const QByteArray& body : {QByteArray("FAILED!"), QByteArray("  \r\n")}) {
        http.reply.body = body;
        service.ToggleConnection();
        EXPECT_FALSE(service.GalleryConnected());
        EXPECT_EQ(page.log, failed);
    }
}

TEST(GalleryService, AFailedAutoConnectIsToldOnceUntilAConnectSucceeds) {
    ToldService told;
    auto& [s, http, page, boxes, service] = told;
    const GalleryReply tooLong{false, {}, {}, "The service's reply is longer than 1024 KB."};
    const GalleryReply refused{true, "HTTP/1.0 200 OK", "FAILED!", {}};
    const GalleryReply gallery{true, "HTTP/1.0 200 OK", "galleries/g1", {}};
    const struct {
        GalleryReply reply;
        bool userPressed; // Connect on the page: the page tells it
        QStringList told;
    } connects[] = {
        {tooLong, false, {"The picture service could not be connected: The service's reply is longer than 1024 KB. "
                          "Surveillance goes on."}},
        {refused, false, {}}, // the second camera switched on: told already
        {refused, true, {}},
        {gallery, true, {}},
        {refused, false, {"The picture service could not be connected: The service refused the user ID or pass code. "
                          "Surveillance goes on."}},
    };
    for (const auto& c : connects) {
        SCOPED_TRACE(http.paths.size());
        if (service.GalleryConnected())
            service.ToggleConnection(); // the user disconnects
        boxes.clear();
        http.replies = {c.reply};
        c.userPressed ? service.ToggleConnection() : service.AutoConnect();
        EXPECT_EQ(service.GalleryConnected(), c.reply.body == gallery.body);
        EXPECT_EQ(boxes, c.told);
        if (!service.GalleryConnected()) {
            EXPECT_EQ(page.log.value(0), "Status: Server Failed");
        }
    }
}

TEST(GalleryService, NothingIsPostedWithoutAPictureOrASize) {
    Station s;
    FakeHttp http;
    FakePage page;
    GalleryService service(s.store, http, page, {});
    EXPECT_FALSE(service.UploadSavedPicture(s.dir.file("cam1/gone.jpg")));
    for (const char* size : {"", "0", "-5", "abc"}) {
        s.store.Record().PhonePictureSize = size;
        EXPECT_FALSE(service.UploadSavedPicture(s.picture()));
    }
    EXPECT_TRUE(http.posts.isEmpty());
}

TEST(GalleryService, FailedPostsAreLoggedToldOnceUntilOneSucceedsAndLeaveNoScratchCopy) {
    ToldService told;
    auto& [s, http, page, boxes, service] = told;
    // A connect asked for while one waits for the service is not made a second time.
    http.duringPost = [&] { service.ToggleConnection(); };
    service.ToggleConnection();
    http.duringPost = {};
    ASSERT_TRUE(service.GalleryConnected());
    EXPECT_EQ(http.paths.size(), 1);

    const auto scratch = [&] { return QDir(s.dir.file("temp/z4")).entryList(QDir::Files); };
    const GalleryReply timedOut{false, {}, {}, "Operation too slow"};
    const GalleryReply received{true, "HTTP/1.0 200 OK", "Picture received", {}};
    const struct {
        GalleryReply reply;
        int toldAfter;
    } posts[] = {{timedOut, 1}, {timedOut, 1}, {received, 1}, {timedOut, 2}};
    for (const auto& post : posts) {
        SCOPED_TRACE(http.paths.size());
        http.replies = {post.reply};
        EXPECT_EQ(service.UploadSavedPicture(s.picture()), post.reply.ok);
        EXPECT_EQ(boxes.size(), post.toldAfter);
        EXPECT_TRUE(scratch().isEmpty());
        if (!post.reply.ok) {
            EXPECT_EQ(page.log.last(),
                      "The picture service did not take 000007OFFICE.jpg: Operation too slow");
        }
    }
    SetMessageBoxHandler({});

    // What an interrupted run left in the scratch folder goes at the next start.
    TestSupport::WriteAll(s.dir.file("temp/z4/000002OFFICE.jpg"), "left");
    service.RemoveScratchCopies();
    EXPECT_TRUE(scratch().isEmpty());
}

TEST(GalleryService, UploadPathIsTrimmedAndEncoded) {
    EXPECT_EQ(GalleryUploadPath("galleries/g1"), "/torvek/upload/galleries/g1/");
    EXPECT_EQ(GalleryUploadPath(" a b/c?d#e\r\n"), "/torvek/upload/a%20b/c%3Fd%23e/");
}

// Over real HTTP against the loopback service.
namespace {

struct LiveService {
    bool Start(const QString& mode) {
        log = dir.file("requests.jsonl");
        if (!server.Start("gallery_server.py", {"--log", log, "--mode", mode}))
            return false;
        http = std::make_unique<CurlGalleryHttp>(QStringLiteral("http://127.0.0.1:%1").arg(server.Port()));
        platform::NetTimeouts quick;
        quick.connectSeconds = 2;
        quick.responseSeconds = 2;
        quick.lowSpeedSeconds = 1;
        http->SetTimeouts(quick);
        return true;
    }
    QList<QJsonObject> Requests() const {
        QList<QJsonObject> list;
        for (const QByteArray& line : TestSupport::ReadAll(log).split('\n'))
            if (!line.isEmpty())
                list << QJsonDocument::fromJson(line).object();
        return list;
    }
    TempProgramFolder dir;
    QString log;
    TestSupport::ServerProcess server;
    std::unique_ptr<CurlGalleryHttp> http;
};

} // namespace

TEST(GalleryServiceLive, ConnectsAndUploadsWithTheSessionCookie) {
    Station s;
    LiveService live;
    ASSERT_TRUE(live.Start("ok")) << live.server.Output().toStdString();
    FakePage page;
    page.size = "150";
    bool busy = false, busyDuringPost = false;
    GalleryService service(s.store, *live.http, page, [&](bool b) { busyDuringPost |= busy = b; });
    service.ToggleConnection();
    ASSERT_TRUE(service.GalleryConnected()) << page.log.join('|').toStdString();
    EXPECT_EQ(service.GalleryPath(), "galleries/test user");
    ASSERT_TRUE(service.UploadSavedPicture(s.picture()));
    EXPECT_TRUE(busyDuringPost && !busy && page.testEnabled);
    EXPECT_EQ(page.preview.size(), QSize(150, 150));
    // The camera folder keeps the original; only the posted copy is scaled.
    QImage original;
    ASSERT_TRUE(platform::LoadJpeg(s.picture(), &original));
    EXPECT_EQ(original.size(), QSize(640, 480));

    const QList<QJsonObject> requests = live.Requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0]["path"].toString(), "/torvek/auth.php");
    QStringList authNames;
    for (const auto& part : requests[0]["parts"].toArray())
        authNames << part.toObject()["name"].toString();
    EXPECT_EQ(authNames, QStringList({"u", "p", "passwordok"}));

    const QJsonObject upload = requests[1];
    EXPECT_EQ(upload["path"].toString(), "/torvek/upload/galleries/test%20user/");
    EXPECT_EQ(upload["headers"].toObject()["Accept"].toString(), "text/html, */*");
    EXPECT_TRUE(upload["headers"].toObject()["Cookie"].toString().contains("session=z4test"));
    const QJsonArray parts = upload["parts"].toArray();
    ASSERT_EQ(parts.size(), 6);
    EXPECT_EQ(parts[2].toObject()["hex"].toString().toLatin1(), s.note.toHex());
    EXPECT_TRUE(parts[2].toObject()["content_type"].isNull());
    const QJsonObject image = parts[4].toObject();
    EXPECT_EQ(image["filename"].toString(), "000007OFFICE.jpg");
    EXPECT_EQ(image["content_type"].toString(), "image");
    QImage sent;
    ASSERT_TRUE(platform::DecodeJpeg(QByteArray::fromHex(image["hex"].toString().toLatin1()), &sent));
    EXPECT_EQ(sent.size(), QSize(150, 150));
    EXPECT_EQ(page.log.value(1), "HTTP/1.0 200 OK");
}

TEST(GalleryServiceLive, ServerTroubleGivesFailureWithoutHoldingTheStation) {
    for (const QString mode : {"error500", "empty", "slow"}) {
        Station s;
        LiveService live;
        ASSERT_TRUE(live.Start(mode));
        FakePage page;
        bool busy = false;
        int ticks = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(50);
        GalleryService service(s.store, *live.http, page, [&](bool b) { busy = b; });
        service.ToggleConnection();
        EXPECT_FALSE(service.GalleryConnected()) << mode.toStdString();
        EXPECT_EQ(page.log.value(0), "Status: Server Failed");
        EXPECT_FALSE(busy);
        if (mode == "slow") {
            EXPECT_GT(ticks, 0); // the window went on during the wait
        }
    }
}

TEST(GalleryServiceLive, AReplyLongerThanTheLimitIsAFailureAndIsNotKept) {
    Station s;
    LiveService live;
    ASSERT_TRUE(live.Start("endless"));
    const GalleryReply reply = live.http->Post("/torvek/auth.php", {{"u", "5551234", {}, {}}});
    EXPECT_FALSE(reply.ok);
    EXPECT_EQ(reply.error, "The service's reply is longer than 1024 KB.");
    EXPECT_TRUE(reply.body.isEmpty());
}
