#pragma once
// The online picture service on the set-up panel's phone page: the page's controls, the
// service client and the link the camera commands use to connect it.
#include "core/OnlineServiceLink.h"
#include "publish/GalleryService.h"

#include <QObject>

class QGroupBox;
class QLabel;
class QPushButton;
class SettingsStore;
class MainWindow;

class StationGallery : public QObject, public OnlineServiceLink, public GalleryPageView {
    Q_OBJECT
public:
    // The sizes the page offers while no other list fills it.
    static QStringList PhoneSizes();

    StationGallery(MainWindow& mainWindow, SettingsStore& store, GalleryHttp& http);

    GalleryService& Service() { return service_; }

    // OnlineServiceLink.
    void ResetPhoneLinkConnected() override { service_.ResetGalleryConnected(); }
    bool PhoneLinkConnected() const override { return service_.GalleryConnected(); }
    void PhoneLinkConnect() override { service_.AutoConnect(); }

    // GalleryPageView over the page's controls.
    QString UserText() const override;
    QString CodeText() const override;
    QString SizeText() const override;
    void SetSizeText(const QString& text) override;
    void SetConnectCaption(const QString& caption) override;
    void ShowLog(const QStringList& lines) override;
    void ShowPreview(const QImage& picture) override;
    void SetTestEnabled(bool enabled) override;

    QPushButton* serviceConnectButton = nullptr;
    QGroupBox* previewBox = nullptr; // "Phone Preview"
    QLabel* previewLabel = nullptr;
    QGroupBox* serviceStatusBox = nullptr; // "Service Status"
    QPushButton* testPictureButton = nullptr;

private:
    // PhoneSizeComboChange and "Test": a picture of camera 1 when it runs, else of camera 2.
    void TakeTestPicture();

    MainWindow& mainWindow_;
    GalleryService service_;
};
