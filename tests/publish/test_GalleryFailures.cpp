// The online picture service when it misbehaves: a reply too long to be an answer, posts
// that fail, a second connect while one waits, and the scratch copies of the posts.
#include "publish/GalleryService.h"

#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "platform/Jpeg.h"
#include "tests/support/ServerProcess.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

struct Page : GalleryPageView {
    QString UserText() const override { return "5551234"; }
    QString CodeText() const override { return "secret"; }
    QString SizeText() const override { return "150"; }
    void SetSizeText(const QString&) override {}
    void SetConnectCaption(const QString&) override {}
    void ShowLog(const QStringList& lines) override { log = lines; }
    void ShowPreview(const QImage&) override {}
    void SetTestEnabled(bool) override {}
    QStringList log;
};

struct ScriptedHttp : GalleryHttp {
    GalleryReply Post(const QString& path, const QList<GalleryFormField>&) override {
        paths << path;
        if (duringPost)
            duringPost();
        return replies.isEmpty() ? GalleryReply{true, "HTTP/1.0 200 OK", "g/1", {}} : replies.takeFirst();
    }
    QStringList paths;
    QList<GalleryReply> replies;
    std::function<void()> duringPost;
};

struct Station {
    Station() : store(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop") {
        SetMessageBoxHandler([this](const QString& text) { boxes << text; });
        store.FirstRunInit();
        store.Record().PhonePictureSize = "100";
        QDir().mkpath(dir.file("cam1"));
        QImage frame(320, 240, QImage::Format_RGB888);
        frame.fill(Qt::blue);
        platform::SaveJpeg(frame, 90, picture(), nullptr);
    }
    ~Station() { SetMessageBoxHandler({}); }
    QString picture() const { return dir.file("cam1/000003OFFICE.jpg"); }
    QStringList Scratch() const { return QDir(dir.file("temp/z4")).entryList(QDir::Files); }

    TestSupport::TempProgramFolder dir;
    SettingsStore store;
    QStringList boxes;
};

} // namespace

TEST(GalleryFailures, FailedPostsAreLoggedToldOnceUntilOneSucceedsAndLeaveNoScratchCopy) {
    Station s;
    ScriptedHttp http;
    Page page;
    GalleryService service(s.store, http, page, {});
    // A connect asked for while one waits for the service is not made a second time.
    http.duringPost = [&] { service.Connect2Z4Click(); };
    service.Connect2Z4Click();
    http.duringPost = {};
    ASSERT_TRUE(service.GalleryConnected());
    EXPECT_EQ(http.paths.size(), 1);

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
        EXPECT_EQ(s.boxes.size(), post.toldAfter);
        EXPECT_TRUE(s.Scratch().isEmpty());
        if (!post.reply.ok) {
            EXPECT_EQ(page.log.last(), "The picture service did not take 000003OFFICE.jpg: Operation too slow");
        }
    }

    // What an interrupted run left in the scratch folder goes at the next start.
    TestSupport::WriteAll(s.dir.file("temp/z4/000002OFFICE.jpg"), "left");
    service.RemoveScratchCopies();
    EXPECT_TRUE(s.Scratch().isEmpty());
}

TEST(GalleryFailures, AReplyLongerThanTheLimitIsAFailureAndIsNotKept) {
    Station s;
    TestSupport::ServerProcess server;
    const QString log = s.dir.file("requests.jsonl");
    ASSERT_TRUE(server.Start("gallery_server.py", {"--log", log, "--mode", "endless"}));
    CurlGalleryHttp http(QStringLiteral("http://127.0.0.1:%1").arg(server.Port()));
    const GalleryReply reply = http.Post("/torvek/auth.php", {{"u", "5551234", {}, {}}});
    EXPECT_FALSE(reply.ok);
    EXPECT_EQ(reply.error, "The service's reply is longer than 1024 KB.");
    EXPECT_TRUE(reply.body.isEmpty());

    // Through the service: the connect fails as any refusal does.
    Page page;
    GalleryService service(s.store, http, page, {});
    service.Connect2Z4Click();
    EXPECT_FALSE(service.GalleryConnected());
    EXPECT_EQ(page.log.value(0), "Status: Server Failed");
}
