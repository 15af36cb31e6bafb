#include "app/LoggedPictures.h"
#include "support/QuietMainWindowLink.h"
#include "core/PictureLogLink.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

class FakeMain final : public QuietMainWindowLink {
public:
    bool CameraPreviews(int camera) const override { return running == camera; }
    void AimCamera(int camera) override {
        calls << QString("aim %1").arg(camera);
        // Aiming takes the request only while the camera runs.
        if (running == camera)
            request = 0;
    }
    quint8 ViewSwitchRequest() const override { return request; }
    void SetViewSwitchRequest(quint8 value) override { request = value; }
    void ShowHelp(int topic) override { calls << QString("help %1").arg(topic); }

    int running = 0;
    quint8 request = 7;
    QStringList calls;
};

class FakeLog final : public PictureLogLink {
public:
    explicit FakeLog(QStringList& calls) : calls_(calls) {}
    void SetLogFolder(const QString& folder, int camera) override { calls_ << QString("folder %1 %2").arg(folder).arg(camera); }
    void RefreshImageList() override { calls_ << "refresh"; }
    bool IsShown() const override { return shown; }
    void RunModal() override {
        calls_ << "modal";
        closedByKey = closeByKey;
    }
    void SetOpenedFromMainWindow(bool opened) override { calls_ << QString("opened %1").arg(opened); }
    bool ClosedByKey() const override { return closedByKey; }
    void FrameGrabbed(int, const QImage&) override {}

    bool shown = false, closeByKey = false, closedByKey = false;

private:
    QStringList& calls_;
};

} // namespace

TEST(LoggedPictures, OpensTheLogAndOnItsCameraKeyTurnsToTheZoneWindowOrHelp) {
    FakeMain main;
    FakeLog log(main.calls);
    int toolbar = 0;
    ShowLoggedPictures(2, "/cam2/", main, log, [&] { ++toolbar; });
    // The log lists its folder when it opens, not before as well.
    EXPECT_EQ(main.calls, QStringList({"opened 1", "folder /cam2/ 2", "modal"}));
    EXPECT_EQ(main.request, 0);
    EXPECT_EQ(toolbar, 1);

    // Closed by F1 while camera 1 runs: camera 1's zone window.
    main.calls.clear();
    main.running = 1;
    log.closeByKey = true;
    ShowLoggedPictures(1, "/cam1/", main, log);
    EXPECT_EQ(main.calls.mid(3), QStringList({"aim 1"}));
    EXPECT_EQ(main.request, 0);

    // Camera 1 off: no zone window, the help on topic 0.
    main.calls.clear();
    main.running = 0;
    ShowLoggedPictures(1, "/cam1/", main, log);
    EXPECT_EQ(main.calls.mid(3), QStringList({"aim 1", "help 0"}));
    EXPECT_EQ(main.request, 0);

    // Already shown: not opened again.
    main.calls.clear();
    log.shown = true;
    log.closedByKey = log.closeByKey = false;
    ShowLoggedPictures(3, "/history/", main, log);
    EXPECT_EQ(main.calls, QStringList({"opened 1", "folder /history/ 3", "refresh"}));
}
