// Both cameras' pictures reach the online picture service: time-lapse saves a picture of each
// camera in one tick, as a motion tick with both zones firing does, and the picture store hands
// both to the station's uploads, whose service client posts them to a loopback stand-in.
#include "app/StationUploads.h"
#include "core/TransferBusy.h"
#include "publish/GalleryService.h"
#include "tests/core/TimeLapseRig.h"
#include "tests/support/ServerProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using TestSupport::WaitFor;

namespace {

struct Page : GalleryPageView {
    QString UserText() const override { return "5551234"; }
    QString CodeText() const override { return "code"; }
    QString SizeText() const override { return "150"; }
    void SetSizeText(const QString&) override {}
    void SetConnectCaption(const QString&) override {}
    void ShowLog(const QStringList& lines) override { log = lines; }
    void ShowPreview(const QImage&) override {}
    void SetTestEnabled(bool) override {}
    QStringList log;
};

// The service client connected to the loopback service, as the picture store's upload target.
class ConnectedService {
public:
    bool Connect(SettingsStore& settings, PictureStore& pictures, const QString& folder) {
        log_ = folder + "requests.jsonl";
        settings.Record().PhonePictureSize = "150";
        if (!server_.Start("gallery_server.py", {"--log", log_}))
            return false;
        http_ = std::make_unique<CurlGalleryHttp>(QStringLiteral("http://127.0.0.1:%1").arg(server_.Port()));
        service_ = std::make_unique<GalleryService>(settings, *http_, page_, [](bool busy) { TransferBusy::Set(busy); });
        uploads_ = std::make_unique<StationUploads>(*service_, noFtp_);
        pictures.SetUploadTarget(uploads_.get());
        pictures.Hooks().internetConnected = [] { return true; };
        service_->ToggleConnection();
        return service_->GalleryConnected();
    }
    ~ConnectedService() { TransferBusy::Set(false); }

    // The picture names of the uploads the service received, in order.
    QStringList Posted() const {
        QStringList names;
        for (const QByteArray& line : TestSupport::ReadAll(log_).split('\n')) {
            const QJsonObject request = QJsonDocument::fromJson(line).object();
            if (!request["path"].toString().startsWith("/torvek/upload/"))
                continue;
            for (const QJsonValue& part : request["parts"].toArray())
                if (part.toObject()["name"].toString() == "image")
                    names << part.toObject()["filename"].toString();
        }
        return names;
    }
    bool WaitForPosts(qsizetype count) const {
        return WaitFor([&] { return Posted().size() >= count; }, 20000) && Posted().size() == count;
    }
    QString Failure() const { return server_.Output() + page_.log.join('|'); }

private:
    TestSupport::ServerProcess server_;
    QString log_;
    std::unique_ptr<CurlGalleryHttp> http_;
    Page page_;
    std::unique_ptr<GalleryService> service_;
    NullPictureUploadTarget noFtp_;
    std::unique_ptr<StationUploads> uploads_;
};

} // namespace

TEST(GalleryUploads, BothPicturesOfEveryTickArePostedThroughAMinuteOfTimeLapse) {
    timelapse_test::Rig rig;
    ConnectedService service;
    ASSERT_TRUE(service.Connect(rig.settings, *rig.pictures, rig.dir.path())) << service.Failure().toStdString();
    rig.cameras.previewing[1] = rig.cameras.zone[1] = true;

    // A tick every 2 seconds for a minute; the service answers well within a tick.
    for (int tick = 1; tick <= 31; ++tick) {
        rig.now = rig.now.addSecs(2);
        rig.lapse->TimeLapseTimerTick();
        ASSERT_TRUE(service.WaitForPosts(2 * tick)) << "tick " << tick << ": " << service.Posted().size();
        if (tick == 1) {
            EXPECT_EQ(service.Posted(), rig.Jpegs(1) + rig.Jpegs(2)); // camera 1's, then camera 2's
        }
    }
    EXPECT_EQ(rig.Jpegs(1).size() + rig.Jpegs(2).size(), 62);
}
