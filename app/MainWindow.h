#pragma once
// The main window: borderless, covering the screen. Its life is the program's life.
// Split by concern: MainWindow.cpp (creation, destruction, show and activation events),
// MainWindowControls.cpp and MainWindowSetupPanel.cpp (the controls), MainWindowStartup.cpp (first
// show, activation, start-up sequence), MainWindowShutdown.cpp (shutdown, restart, installer
// hand-off), MainWindowSettings.cpp (copying between the controls and the settings record).
#include "app/CommandCameras.h"
#include "app/SettingsCopy.h"
#include "app/StationEnvironment.h"
#include "app/StationLinks.h"
#include "core/MainWindowLink.h"
#include "core/MotionDetector.h"
#include "core/StartupFlags.h"
#include "platform/WinTimer.h"
#include "publish/AlertPaintBoxes.h"
#include "publish/AlertsTab.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class NetworkPanel;
class RemoteAccessPage;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabBar;
class SettingsStore;
class CapturedBitmap;
class CameraView;
class Magnifier;
namespace platform {
class PictureCanvas;
}

class MainWindow : public QWidget, public MainWindowLink {
    Q_OBJECT
public:
    // The texts the main window keeps for its messages and captions.
    static inline const QString kStartCameraText = QStringLiteral("You must start the camera to use this feature.");
    static inline const QString kLockNeedsLoggingText = QStringLiteral("Start logging to use password Locking.");
    static inline const QString kCameraNotInstalledText = QStringLiteral("Camera Not Installed.");
    static inline const QString kNotInstalledText = QStringLiteral("Not Installed");
    static inline const QString kInvalidPasswordText = QStringLiteral("Invalid Password");
    static inline const QString kCameraStartGuardText =
        QStringLiteral("The cameras were not started: the last two start-ups ended while they were starting. "
                       "Auto-start has been switched off; switch it on again once the cameras work.");
    static inline const QString kOnText = QStringLiteral("ON");
    static inline const QString kOffText = QStringLiteral("OFF");
    static inline const QString kOffOnText = QStringLiteral("Off/On");
    static inline const QString kMotionText = QStringLiteral("Motion");
    static inline const QString kWindowCaption = QStringLiteral("TORVEK 7.07");
    static inline const QString kPleaseWaitText = QStringLiteral("Please wait...");
    static constexpr int kShutdownCameraPauseMs = 500;

    // FormCreate runs here. The links are read at each use: the composition root may point
    // them at their parts after creation.
    MainWindow(SettingsStore& store, StartupFlags& flags, StationLinks& links, StationEnvironment env,
           QWidget* parent = nullptr);
    ~MainWindow() override; // FormDestroy

    // Hides and shows that the program makes itself (a view change, new window flags) run
    // inside this scope: they run neither FormShow nor FormActivate, so the window keeps
    // the geometry and tool bar the program gave it.
    class ProgramShowScope {
    public:
        explicit ProgramShowScope(MainWindow& mainWindow) : mainWindow_(mainWindow) { ++mainWindow_.programShows_; }
        ~ProgramShowScope() { --mainWindow_.programShows_; }
        ProgramShowScope(const ProgramShowScope&) = delete;
        ProgramShowScope& operator=(const ProgramShowScope&) = delete;

    private:
        MainWindow& mainWindow_;
    };

    // Event handlers.
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormDestroy();
    void StartupSequenceTimerTick();
    // Starts the cameras whose pending flags are set, then brings surveillance into line.
    void AutoStartCameras();

    // Shutdown and its three entries.
    void ShutDown();
    // Switches a running camera (1 or 2) off directly, whatever its button would do.
    void SwitchCameraOff(int camera);
    void ExitActionClick();   // menu "Exit": asks the access lock first
    void CloseButtonClick(); // tool bar "Close"
    void CloseActionClick();  // tray menu "Close"
    bool IsShuttingDown() const override { return shuttingDown_; }

    // Esc with no camera running: FTP disconnected, then the program ends without gathering
    // or saving the settings and without removing the capture buffer files.
    void EndWithoutSaving();
    QSize ScreenSize() const { return env_.ScreenSize(); }

    void ShowPleaseWait();
    void CleanUpInstallerFile();
    // Stores the set-up panel's values and saves the settings, starts our own executable
    // again and ends this process. False (and a message) when the new process could not be
    // started; this one then keeps running.
    bool RestartProgram();

    // Settings copy.
    void GatherAndSaveSettings() override;
    void ApplySettingsToControls();
    void ReadColourChannelBoxes();
    OptionControlValues ReadControls() const;
    void WriteControls(const OptionControlValues& values);

    // Camera commands (MainWindowAim.cpp, MainWindowRecording.cpp, MainWindowPictures.cpp,
    // MainWindowViews.cpp, MainWindowCycle.cpp; controls in MainWindowCommandControls.cpp).
    void AimCamera(int camera) override;
    void AimCamera1();
    void AimCamera2();
    void Aim1ButtonClick() { AimCamera1(); }
    void Aim2ButtonClick() { AimCamera2(); }
    // Switches the cameras off, runs the camera set-up screen for camera 1 or 2 and restarts.
    void CameraSetupAndRestart(int camera);
    void Camera2SetupButtonClick();
    void RecordCamera1ActionClick();
    void RecordCamera2ActionClick();
    void StopRecordingActionClick();
    void TakePicture(int camera) override;
    void TakePicture1();
    void TakePicture2();
    void TakePicture1ButtonClick();
    void TakePicture2ButtonClick();
    void CameraFrame1DblClick();
    void CameraFrame2DblClick();
    bool ArrangeViewLayout();
    void CameraFrame1Click();
    void CameraFrame2Click();
    void FormClick();
    void FullScreenActionClick();
    void ShowViewsButtonClick();
    void HideViewsButtonClick();
    void CycleActionClick();
    void CycleTimerTick();
    void CycleStopButtonClick();
    void CycleHideButtonClick();
    void CycleSecondsEditChange();
    void CycleHelpButtonClick();
    // The one way to a camera's view and whether it runs; null while it has none.
    CommandCamera* CommandCameraOf(int camera) const;
    bool CameraPreviews(int camera) const override;

    bool RecordingActive = false; // an AVI recording started from the menu runs
    qint16 CyclePosition = -1;    // device shown by camera cycling
    // Byte flag of the layout: the full tool bar layout.
    quint8 FullToolbarLayout = 1;

    SettingsStore& Store() { return store_; }
    StartupFlags& Flags() { return flags_; }
    StationLinks& Links() { return links_; }

    // What the other windows ask of the main window.
    QWidget* Window() override { return this; }
    bool SwitchSurveillance(bool on) override;
    bool MotionTimeRunning() const override;
    void SetMotionTimeRunning(bool running) override;
    bool TimeLapseTimerRunning() const override;
    void SetTimeLapseTimerRunning(bool running) override;
    QString MotionText(int camera) const override;
    // "MO 00000" on both cameras.
    void ResetMotionCounters() override;
    // A zone window's or the picture log's request to switch to the other view of a camera.
    quint8 ViewSwitchRequest() const override { return viewSwitchRequest_; }
    void SetViewSwitchRequest(quint8 request) override { viewSwitchRequest_ = request; }
    QString ProgramFolder() const override { return programFolder_; }
    QString HistoryFolder() const override { return historyFolder_; }
    QString SmtpHost() const override;
    QString ReplyAddress() const override;
    void SetCaption(const QString& text) override;
    void SetCameraAreaColour(const QColor& colour) override;
    void ShowHelp(int topic) override;

    // Timers, the program's scheduler.
    platform::WinTimer motionTimer;
    platform::WinTimer arrangeTimer;
    platform::WinTimer cycleTimer;
    platform::WinTimer timeLapseTimer;
    platform::WinTimer timeLapseFlashTimer;
    platform::WinTimer clockTimer;
    platform::WinTimer relayoutTimer;
    platform::WinTimer startupSequenceTimer;

    // Camera view frames (replaced when a camera is switched off).
    QWidget* cameraFrame1 = nullptr;
    QWidget* cameraFrame2 = nullptr;

    // Controls, named as their objectName.
    QWidget* setupPanel = nullptr;
    QWidget* tabArea = nullptr; // setupTabs with its pages
    RemoteAccessPage* remoteAccessPage = nullptr; // hidden tab page
    QPushButton* saveLocationsButton = nullptr;
    QPushButton* setupFtpButton = nullptr; // set-up "FTP", hidden
    QLabel* windowMenuLabel = nullptr; // "more": the window's menu
    QGroupBox* cameraAreaBox = nullptr;
    QWidget* mainToolbar = nullptr;
    QWidget* phoneSettingsPage = nullptr;
    QWidget* screenPage = nullptr;
    AlertsTab* alertsPage = nullptr; // the E-Alerts tab
    QWidget* driverListPage = nullptr;
    QWidget* autoStartPage = nullptr;
    QWidget* advancedPage = nullptr;
    QWidget* toolbarSpacerPanel = nullptr;
    NetworkPanel* networkPanel = nullptr;
    QWidget* surveillanceSetupPanel = nullptr;
    QGroupBox* surveillanceBox = nullptr;
    QGroupBox* cameraBox = nullptr;
    QGroupBox* viewsBox = nullptr;
    QLabel* pleaseWaitPanel = nullptr;
    QLabel* camera1Panel = nullptr;
    QLabel* camera2Panel = nullptr;
    Magnifier* magnifier1 = nullptr; // camera pictures of the panels
    Magnifier* magnifier2 = nullptr;
    QLabel* toolbarTitleLabel = nullptr;
    QLineEdit* focusEdit = nullptr; // 1 x 1, off screen: keeps the keyboard focus
    QLabel* cameraLabel1 = nullptr;
    QLabel* cameraLabel2 = nullptr;
    QLabel* zoneLabel = nullptr;
    QPushButton* log1Button = nullptr;
    QPushButton* log2Button = nullptr;
    QPushButton* hideButton = nullptr;
    QPushButton* view1Button = nullptr;  // "1", "2", "3" of the Views box
    QPushButton* view2Button = nullptr;
    QPushButton* view3Button = nullptr;
    QWidget* zoomPanel = nullptr;
    QLabel* zoomImageLabel = nullptr;
    AlertClockBox* clockBox = nullptr; // clock and motion counts on the tool bar
    AlertBlockBox* alertBlockBox = nullptr; // e-alert block over the camera area
    QTabBar* setupTabs = nullptr;
    QLabel* masterSensitivityLabel = nullptr;
    QLabel* pixelErrorsLabel = nullptr;
    QLabel* cycleSecondsLabel = nullptr;
    QLabel* motionCount1Label = nullptr; // motion-count texts of the set-up panel
    QLabel* motionCount2Label = nullptr;
    QPushButton* camera1Button = nullptr;
    QPushButton* camera2Button = nullptr;
    QPushButton* surveillanceButton = nullptr;
    QPushButton* resetButton = nullptr;
    QPushButton* timeLapseButton = nullptr;
    QPushButton* camera1SetupButton = nullptr;
    QPushButton* aim2Button = nullptr;
    QPushButton* camera2SetupButton = nullptr;
    QPushButton* viewsFtpButton = nullptr;
    QPushButton* aim1Button = nullptr;
    QPushButton* viewsSetupButton = nullptr;
    QPushButton* setupHideButton = nullptr;
    QPushButton* cycleHelpButton = nullptr;
    QPushButton* tcpIpButton = nullptr;
    QPushButton* viewsHelpButton = nullptr;
    QPushButton* cycleStopButton = nullptr;
    QPushButton* cycleHideButton = nullptr;
    QPushButton* viewsCloseButton = nullptr;
    QPushButton* showViewsButton = nullptr;
    QPushButton* takePicture1Button = nullptr;
    QPushButton* takePicture2Button = nullptr;
    QPushButton* setupButton = nullptr;
    QPushButton* viewsButton = nullptr;
    QPushButton* helpButton = nullptr;
    QPushButton* ftpButton = nullptr;
    QPushButton* closeButton = nullptr;
    QPushButton* captionsButton = nullptr;
    QCheckBox* showOnMotionBox = nullptr;
    QCheckBox* logBox = nullptr;
    QCheckBox* lockBox = nullptr;
    QCheckBox* DisabledCaptions1 = nullptr;
    QCheckBox* DisabledCaptions2 = nullptr;
    QCheckBox* phoneAutoConnectBox = nullptr;
    QCheckBox* alertsActiveBox = nullptr;
    QCheckBox* diskControlBox = nullptr;
    QRadioButton* dialUpButton = nullptr;
    QRadioButton* broadbandButton = nullptr;
    QCheckBox* clearQueueBox = nullptr;
    QRadioButton* startMotionButton = nullptr;
    QRadioButton* startTimerButton = nullptr;
    QRadioButton* startMotionAndTimerButton = nullptr;
    QCheckBox* placeOnTrayBox = nullptr;
    QCheckBox* hotZone1Box = nullptr;
    QCheckBox* hotZone2Box = nullptr;
    QCheckBox* AutoStart1 = nullptr;
    QCheckBox* AutoStart2 = nullptr;
    QCheckBox* soundAlarmBox = nullptr;
    QCheckBox* onStartupBox = nullptr;
    QCheckBox* tvOutBox = nullptr;
    QCheckBox* redChannelBox = nullptr;
    QCheckBox* greenChannelBox = nullptr;
    QCheckBox* blueChannelBox = nullptr;
    QComboBox* emailLimitCombo = nullptr;
    QLabel* limitUnitLabel = nullptr;
    QLabel* minutesUnitLabel = nullptr;
    QLabel* imagesUnitLabel = nullptr;
    QLabel* alertSummaryLabel = nullptr;
    QLabel* alertStatusLabel = nullptr; // sent / next / queue line
    QPushButton* sendNowButton = nullptr;
    QLineEdit* phoneNumberEdit = nullptr;
    QLineEdit* phoneCodeEdit = nullptr;
    QLineEdit* bufferSize1Edit = nullptr;
    QLineEdit* bufferSize2Edit = nullptr;
    QLineEdit* alertEmailEdit = nullptr;
    QLineEdit* siteLocationEdit = nullptr;
    QLineEdit* Location1 = nullptr;
    QLineEdit* Location2 = nullptr;
    QLineEdit* smtpEdit = nullptr;
    QLineEdit* smtpUserEdit = nullptr;
    QLineEdit* smtpPasswordEdit = nullptr;
    QLineEdit* replyAddressEdit = nullptr;
    QComboBox* phoneSizeCombo = nullptr;
    QComboBox* minutesCombo = nullptr;
    QComboBox* maxImagesCombo = nullptr;
    QComboBox* videoMode1Combo = nullptr;
    QComboBox* videoMode2Combo = nullptr;
    QComboBox* alertFormatCombo = nullptr;
    QComboBox* DefaultCam1 = nullptr;
    QComboBox* DefaultCam2 = nullptr;
    QComboBox* cam1List = nullptr;
    QComboBox* cam2List = nullptr;
    QSlider* sampleRateSlider = nullptr;
    QSlider* masterSensitivitySlider = nullptr;
    QPlainTextEdit* phoneLogEdit = nullptr;
    QMenuBar* menuBar = nullptr;
    QMenu* windowMenu = nullptr;
    QMenu* trayMenu = nullptr;
    QAction* exitAction = nullptr;
    QAction* lockPasswordAction = nullptr;
    QAction* installAction = nullptr;
    QAction* closeAction = nullptr;
    // Hidden "Video Capture" menu and the other hidden menu items of the camera commands.
    QMenu* videoCaptureMenu = nullptr;
    QAction* recordCamera1Action = nullptr;
    QAction* recordCamera2Action = nullptr;
    QAction* stopRecordingAction = nullptr;
    QAction* cycleAction = nullptr;
    QAction* fullScreenAction = nullptr;
    QLabel* recordingLabel = nullptr;
    QLabel* cycleLabel = nullptr;
    QLineEdit* cycleSecondsEdit = nullptr;
    QPushButton* hideViewsButton = nullptr; // "X" of the Views box

    // ---- Camera switching and surveillance (MainWindowCameras.cpp, MainWindowCameraLists.cpp,
    // MainWindowSurveillance.cpp).
    static inline const QString kCameraFailedText =
        QStringLiteral("Your camera has failed to open. Please plug it in then restart your PC");
    static inline const QString kStartErrorText =
        QStringLiteral("Start Error maybe the camera is not plugged in or it is switched off");
    static inline const QString kStopRecordingFirstText = QStringLiteral("Please stop recording first.");
    static inline const QString kStartACameraText = QStringLiteral("Please start a Camera to use this feature.");
    static inline const QString kSurveillanceMethodText = QStringLiteral("Surveillance Method");
    static constexpr qint16 kNoDriver = -1;
    static constexpr int kCamera2SettleMs = 1000;

    // Frees a camera's view (after its events are cut off) and creates a fresh one.
    void CreateCameraFrame1();
    void CreateCameraFrame2();
    // The camera frame as the capture side's view, for what only it has (its capture
    // control, the camera name label); null when the frame is not a camera view.
    CameraView* Cap(int camera) const;
    // The zone window of a camera (camera 1: Camera1ZoneWindow, camera 2: Camera2ZoneWindow).
    ZoneWindow& ZoneWindowOf(int camera) const { return camera == 2 ? *links_.zoneWindow2 : *links_.zoneWindow1; }

    void FillCameraLists();
    QString SelectedCameraName(int camera) const;
    void StoreCameraChoice();
    bool OpenCamera1Driver();
    bool OpenCamera2Driver();
    void StartCamera1();
    void StartCamera2();
    void Camera1ButtonClick();
    void Camera2ButtonClick();
    void cam2ListChange();
    void cam2ListClick();
    void CameraFrame1PictureGrabbed(const QImage& CapturedImage);
    void CameraFrame2PictureGrabbed(const QImage& CapturedImage);
    // Stamps the motion counter on a picture; see MotionCounterText.
    void DrawMotionCounter(platform::PictureCanvas& picture, qint32 count);
    // Connects the online service once the camera start is over (one connect for both).
    void AutoConnectPhoneLink();
    // The start-up's FTP connect, after the start-up sequence, unattended as it was.
    void ConnectFtpAfterStartup();
    // Runs fn from the event loop once no start-up sequence or camera start is under way, so
    // a connect's wait never holds them up (they run nested event loops of their own).
    void WhenStartsAreOver(std::function<void()> fn, int delayMs = 0);
    // Selects the stored video mode (VideoMode1 / VideoMode2) on a running camera.
    void SelectSavedVideoMode(int camera);

    void SurveillanceButtonClick();
    // False when StartStopSurveillance refused and nothing changed.
    bool ToggleSurveillance();
    bool StartStopSurveillance() override;
    void StopIdleSurveillance();
    void EnableOptionControls();
    void DisableOptionControls();
    // The lock holds the option controls off; the tray's and pop-up menus' items to windows
    // holding settings follow it when they open.
    bool OptionControlsLocked() const;
    // The lock box changed: locks (password given while surveillance runs) or unticks it.
    void LockBoxClick();
    // Surveillance is switched on (a motion event holds motionTimer off while it reacts).
    bool SurveillanceRuns() const { return motionTimer.Enabled() || motionReaction_; }
    // The motion event's tick of the lock box, while it holds motionTimer off.
    void TickLockBoxForMotion();
    // Copies a camera's zone from its zone window into CameraZone (size below 0 becomes 50).
    void CopyZoneValues(int camera);

    qint16 DriverIndex1 = kNoDriver;
    qint16 DriverIndex2 = kNoDriver;
    bool CamerasPresent = false;
    // The zone of each camera as the detector uses it ([0] camera 1, [1] camera 2).
    ZoneRect CameraZone[2];

signals:
    // A camera view was made and wired (at binding and after every switch-off); its
    // click handlers are connected here.
    void CameraFrameCreated(int camera);

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void StartPendingCameras();
    void RunStartupSequence();
    // A message of the camera and surveillance routines: posted, and each text once,
    // while the start-up sequence runs unattended; otherwise the message box.
    void Tell(const QString& text);
    void BuildControls();
    void BuildToolbar();
    void BuildSetupPanel();
    void BuildCameraArea();
    void ConnectTimers();
    void SizeToScreen();
    QWidget* MakeCameraFrame(QWidget* parent, const QString& name);
    void BindCameraControls();
    void SetUpCameraFrame(int camera, bool fresh);
    void SetUpCameraLists();
    // Nothing the camera views send reaches this window any more (it is going).
    void ReleaseCameraViews();
    void ReplaceCameraFrame(int camera);
    void StartCamera(int camera);
    bool OpenCameraDriver(int camera);
    void CameraButtonClick(int camera);
    void CameraFrameGrabbed(int camera, CameraView* frame);
    void OnFocusWindowChanged();
    void BuildCommandControls();
    void StartVideoCapture(int camera);
    void ShowZoneWindowModal(int camera);
    void StartSurveillanceForAim();
    void SetOptionControlsEnabled(bool enabled);
    void CopyPictureCaptions(int camera);
    QString AskSaveFileName(const QString& title, const QString& filter, const QString& name);

    SettingsStore& store_;
    StartupFlags& flags_;
    StationLinks& links_;
    StationEnvironment env_;
    mutable FrameCameraViews ownViews_;

    QString programFolder_;
    QString historyFolder_;
    bool activationPending_ = false;
    bool shuttingDown_ = false;
    bool destroyed_ = false;
    bool lastFocusWasOurs_ = false;
    quint8 viewSwitchRequest_ = 0;
    int programShows_ = 0;
    bool unattended_ = false;
    QStringList toldUnattended_;
    bool motionReaction_ = false;
    // The password given for a camera button also covers that command's surveillance step.
    bool surveillanceAccessGiven_ = false;
    // A close request waits for the lock's answer; a second one meanwhile is the same.
    bool closeAsked_ = false;
    bool phoneConnectPending_ = false;
    int camerasStarting_ = 0;
};
