#pragma once
// The camera view of one camera: owns its capture control `cap`, shows the latest grabbed
// frame with its caption in `Image`, and carries a small set-up panel for the capture modes
// and the driver dialogs. Everything that needs a camera's picture asks IsPreviewing and
// then reads ImageBitmap.
//
// Owners that want every frame too connect to cap->OnBitmapGrabbed after constructing the
// view: the view's own handler runs first, so the image and its caption are up to date.
#include "capture/CapturedBitmap.h"
#include "capture/StretchedImage.h"
#include "capture/VideoCaptureDialogs.h"
#include "platform/PictureCanvas.h"
#include "platform/ProgramFolder.h"

#include <QFrame>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class TGraphConfig;
class TVideoCapture;

class TtorCap : public QFrame {
    Q_OBJECT
public:
    // Stamps the caption of a camera on a frame; set once by the application.
    using CaptionPainter = std::function<void(platform::PictureCanvas& image, int camera)>;
    static void SetCaptionPainter(CaptionPainter painter);

    explicit TtorCap(const platform::ProgramFolder& folder, QWidget* parent = nullptr);
    // A running recording is finished first, so the file plays.
    ~TtorCap() override;

    int CameraNumber = 0; // 1 or 2

    bool ConnectCamera(bool connect, int deviceIndex);
    bool InitGraph();
    bool IsPreviewing() const;
    bool IsCapturing() const;
    // The latest frame with its caption; read or copy it, do not keep the reference.
    platform::PictureCanvas& ImageBitmap();
    // The latest frame as it came, without the caption (null before the first).
    QImage UncaptionedFrame() const { return uncaptioned_; }
    int VideoSourceIndex();
    void SetTag(int value) { CameraTag = value; }
    int Tag() const { return CameraTag; }
    void SetRecordFileName(const QString& name) { RecordFileName = name; }
    QString GetRecordFileName() const { return RecordFileName; }
    // Records the running camera into the file named by SetRecordFileName; false when the
    // camera does not preview, no name was given or the recording could not start.
    bool StartRecording();
    // Ends a running recording so the file is complete; false when it could not be finished.
    bool StopRecording();
    void ShowSetupPanel();

    // The driver dialogs of the current graph.
    TVideoCaptureDialogs& Dialogs() { return *dialogs_; }
    const TGraphConfig* GetGraphConfig() const { return GraphConfig.get(); }

    // Event handlers.
    void capBitmapGrabbed(const TCapturedBitmap& CapturedImage);
    void capChangeDevice();
    void capFrameRendered();
    void lbDialogsDblClick();
    void lbDialogsKeyDown(int key);
    void cbVModesChange();
    void cbAModesChange();
    void Button1Click() {}
    void Button2Click();

    // Components.
    TVideoCapture* cap = nullptr;
    QPushButton* Button1 = nullptr;
    StretchedImage* Image = nullptr;
    QFrame* SetupPanel = nullptr;
    QComboBox* cbVModes = nullptr;
    QComboBox* cbAModes = nullptr;
    QListWidget* lbDialogs = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* camName = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;

signals:
    void ImageClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildSetupPanel();
    void SelectCurrentModes();
    void RestoreRecordingSettings();

    platform::ProgramFolder folder_;
    std::unique_ptr<TGraphConfig> GraphConfig;
    std::shared_ptr<TVideoCaptureDialogs> dialogs_;
    int CameraTag = 0;
    QString RecordFileName;
    quint64 shownRun_ = 0; // the capture run whose frames Image shows
    QImage uncaptioned_;

    // The control's file settings from before a recording, put back when it ends.
    struct SavedCaptureSettings {
        bool active = false;
        bool wantCapture = false;
        bool useTempFile = false;
        QString captureFileName;
    } savedCapture_;
};
