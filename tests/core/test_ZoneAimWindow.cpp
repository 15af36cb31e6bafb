#include "core/ZoneAimWindow.h"
#include "support/QuietMainWindowLink.h"

#include "core/Helpers.h"
#include "core/SettingsRecord.h"
#include "core/ZoneOverlay.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <climits>

using TestSupport::WaitFor;

namespace {

// The main window as the zone window sees it; records what it is asked.
class MainWindowRecorder final : public QuietMainWindowLink {
public:
    QWidget* Window() override { return window; }
    bool CameraPreviews(int) const override { return true; }
    bool StartStopSurveillance() override { return true; }
    bool SwitchSurveillance(bool) override { return true; }
    bool MotionTimeRunning() const override { return motionTime; }
    void SetMotionTimeRunning(bool running) override {
        motionTime = running;
        ++motionTimeSets;
    }
    quint8 ViewSwitchRequest() const override { return viewSwitch; }
    void SetViewSwitchRequest(quint8 request) override { viewSwitch = request; }
    void ShowHelp(int topic) override { helpTopics.push_back(topic); }

    QWidget* window = nullptr;
    bool motionTime = false;
    int motionTimeSets = 0;
    quint8 viewSwitch = 0;
    std::vector<int> helpTopics;
};

class LayoutRecorder final : public LayoutLink {
public:
    void LayoutToolbar() override {}
    void LayoutMainToolbar() override {}
    void RestoreFullView() override { ++fullViews; }
    void ArrangeCameraPanels() override {}
    void PlaceWindowForScreen() override {}
    void Relayout() override {}
    void ArrangeAfterStart() override {}
    int LayoutScreenWidth() const override { return 1280; }
    bool IsCompactView() const override { return false; }
    void ShowLoggedPictures(int) override {}

    int fullViews = 0;
};

// Two previewing cameras with plain black frames; the zones are the windows' own.
class BlackCameras final : public MotionCameras {
public:
    bool IsPreviewing(int) const override { return true; }
    QImage ImageBitmap(int) const override { return frame; }
    bool ZoneOn(int) const override { return true; }
    ZoneRect Zone(int camera) const override { return zones[camera == 2 ? 1 : 0]; }

    QImage frame = [] {
        QImage image(320, 240, QImage::Format_RGB888);
        image.fill(Qt::black);
        return image;
    }();
    ZoneRect zones[2];
};

// Both zone windows over a real detector, bound as the station binds them.
struct WindowRig {
    WindowRig()
        : detector(record, cameras),
          camera1ZoneWindow(1, record, Parts(1)),
          camera2ZoneWindow(2, record) {
        // Made before the main window, as at start-up, and bound once it exists.
        camera2ZoneWindow.BindStation(Parts(2));
        detector.Hooks().ZoneWindowVisible = [this](int camera) {
            return (camera == 2 ? camera2ZoneWindow : camera1ZoneWindow).IsShown();
        };
        detector.Hooks().DrawTargetMarker = [this](platform::PictureCanvas& image, int x, int y, int camera) {
            DrawTargetMarker(image, x, y, cameras.Zone(camera).size, detector.Hooks().ZoneWindowVisible(camera),
                             record.CaptionFontSize);
        };
        camera1ZoneWindow.SetPictureGeometrySource(camera2ZoneWindow.livePicture);
    }

    ZoneWindowParts Parts(int camera) {
        ZoneWindowParts parts;
        parts.main = &main;
        parts.layout = &layout;
        parts.zone = &cameras.zones[camera == 2 ? 1 : 0];
        parts.DetectorPass = [this, camera] {
            ++passes[camera];
            if (camera == 2)
                detector.CheckZoneWindowMotionCam2();
            else
                detector.CheckMotionZoneCam1();
        };
        parts.Picture = [this, camera] { return detector.MarkedFrame(camera).Image(); };
        return parts;
    }

    ZoneAimWindow& Window(int camera) { return camera == 2 ? camera2ZoneWindow : camera1ZoneWindow; }

    SettingsRecord record;
    BlackCameras cameras;
    MotionDetector detector;
    MainWindowRecorder main;
    LayoutRecorder layout;
    int passes[3] = {};
    ZoneAimWindow camera1ZoneWindow;
    ZoneAimWindow camera2ZoneWindow;
};

// Shows the window and waits until it is the active one with its focus edit focused.
void ShowActive(ZoneAimWindow& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == &window && window.keyFocusEdit->hasFocus(); }));
}

bool White(const QImage& image, int x, int y) { return image.pixelColor(x, y) == QColor(Qt::white); }

TEST(ZoneAimWindow, ActivationPreparesTheWindowAndRunsOnePassWhenTargetIsTicked) {
    WindowRig rig;
    rig.record.Zone2Size = 80;
    ZoneAimWindow& w = rig.camera2ZoneWindow;
    w.SetZoneValues({"100", "60", "80", "3000"});
    w.SetTargetTicked(true);
    ShowActive(w);
    EXPECT_EQ(w.sizeTrackBar->value(), 80);
    EXPECT_TRUE(rig.main.motionTime);
    EXPECT_EQ(rig.passes[2], 1);
    // The pass drew the zone, and the window shows that frame.
    const QImage shown = w.livePicture->Picture();
    ASSERT_EQ(shown.size(), QSize(320, 240));
    EXPECT_TRUE(White(shown, 100, 70));
    w.hide();

    ShowActive(rig.camera1ZoneWindow);
    EXPECT_EQ(rig.passes[1], 0); // Target not ticked
}

TEST(ZoneAimWindow, ArrowKeysMoveTheZone) {
    for (int camera : {1, 2}) {
        SCOPED_TRACE(camera);
        WindowRig rig;
        ZoneAimWindow& w = rig.Window(camera);
        w.SetZoneValues({"100", "60", "50", "3000"});
        w.SetTargetTicked(true);
        ShowActive(w);
        const int before = rig.passes[camera];

        // The key goes to the control with the focus; the window sees it first.
        w.topEdit->setFocus();
        QTest::keyClick(w.topEdit, Qt::Key_Right);
        EXPECT_EQ(rig.passes[camera], before + 1);
        EXPECT_EQ(w.leftEdit->text(), "110");
        EXPECT_EQ(rig.cameras.zones[camera - 1].left, 110);
        EXPECT_TRUE(w.keyFocusEdit->hasFocus());

        QTest::keyClick(w.keyFocusEdit, Qt::Key_Down);
        EXPECT_EQ(w.topEdit->text(), "70");
        EXPECT_EQ(rig.passes[camera], before + 2);

        // Key-up switches the motion timer back on.
        rig.main.motionTime = false;
        QTest::keyRelease(w.keyFocusEdit, Qt::Key_Down);
        EXPECT_TRUE(rig.main.motionTime);

        // A held key: each repeated press moves one step, the repeated releases only switch
        // the timer on again.
        for (int i = 0; i < 3; ++i) {
            rig.main.motionTime = false;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(w.keyFocusEdit, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(w.keyFocusEdit, &release);
            EXPECT_TRUE(rig.main.motionTime);
        }
        EXPECT_EQ(w.leftEdit->text(), "80");
        EXPECT_EQ(rig.passes[camera], before + 5);
        w.hide();
    }
}

TEST(ZoneAimWindow, ExtremeTypedValuesNeverFreezeTheWindow) {
    for (int camera : {1, 2}) {
        SCOPED_TRACE(camera);
        WindowRig rig;
        ZoneAimWindow& w = rig.Window(camera);
        w.SetTargetTicked(true);
        w.SetZoneValues({QString::number(INT_MAX), QString::number(INT_MIN), "32767", ""});
        ShowActive(w);
        for (auto key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down})
            QTest::keyClick(w.keyFocusEdit, key);
        w.leftEdit->setText("-40000");
        w.topEdit->setText("99999999999");
        QTest::keyClick(w.topEdit, Qt::Key_Return);
        QTest::keyClick(w.keyFocusEdit, Qt::Key_Left);
        EXPECT_GE(rig.passes[camera], 6);
        EXPECT_EQ(w.livePicture->Picture().size(), QSize(320, 240));
        w.hide();
    }
}

TEST(ZoneAimWindow, FunctionKeysAndEscape) {
    WindowRig rig;
    // Camera 1: F2 nothing, F1 asks for the other view and closes (the twins' keys are the
    // editor tests' matter).
    bool f2LeftOpen = false;
    QTimer::singleShot(0, &rig.camera1ZoneWindow, [&] {
        ASSERT_TRUE(WaitFor([&] { return rig.camera1ZoneWindow.keyFocusEdit->hasFocus(); }));
        QTest::keyClick(rig.camera1ZoneWindow.keyFocusEdit, Qt::Key_F2);
        f2LeftOpen = rig.camera1ZoneWindow.isVisible();
        QTest::keyClick(rig.camera1ZoneWindow.keyFocusEdit, Qt::Key_F1);
    });
    rig.camera1ZoneWindow.SetTargetTicked(true);
    rig.camera1ZoneWindow.ShowModal();
    EXPECT_TRUE(f2LeftOpen);
    EXPECT_EQ(rig.main.viewSwitch, 1);
    EXPECT_FALSE(rig.camera1ZoneWindow.TargetTicked());
    EXPECT_GE(rig.layout.fullViews, 1);

    // Esc from any control closes, with Target unticked.
    rig.main.viewSwitch = 0;
    QTimer::singleShot(0, &rig.camera2ZoneWindow, [&] {
        ASSERT_TRUE(WaitFor([&] { return rig.camera2ZoneWindow.keyFocusEdit->hasFocus(); }));
        rig.camera2ZoneWindow.leftEdit->setFocus();
        QTest::keyClick(rig.camera2ZoneWindow.leftEdit, Qt::Key_Escape);
    });
    rig.camera2ZoneWindow.SetTargetTicked(true);
    rig.camera2ZoneWindow.ShowModal();
    EXPECT_FALSE(rig.camera2ZoneWindow.TargetTicked());
    EXPECT_EQ(rig.main.viewSwitch, 0);
}

TEST(ZoneAimWindow, AnotherStationWindowTakingOverUnticksTarget) {
    WindowRig rig;
    ZoneAimWindow& w = rig.camera2ZoneWindow;
    w.SetTargetTicked(true);
    ShowActive(w);
    const int fullViews = rig.layout.fullViews;

    // Switching to another program leaves no window of ours active: not a deactivation.
    QApplication::setActiveWindow(nullptr);
    ASSERT_TRUE(WaitFor([&] { return !QApplication::activeWindow(); }));
    EXPECT_TRUE(w.TargetTicked());
    EXPECT_EQ(rig.layout.fullViews, fullViews);
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == &w; }));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == &other; }));
    EXPECT_FALSE(w.TargetTicked());
    EXPECT_EQ(rig.layout.fullViews, fullViews + 1);
    // Closing later does not restore the view a second time.
    w.hide();
    w.reject();
    EXPECT_EQ(rig.layout.fullViews, fullViews + 1);
}

} // namespace
