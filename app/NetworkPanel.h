#pragma once
// The "TCP/IP Connection" panel of the main window (its log, its picture of camera 1 and
// the listener's button) and the hidden remote-access page of the set-up panel.
#include "app/TcpListener.h"
#include "core/NetworkPanelLink.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;

class NetworkPanel : public QWidget, public NetworkPanelLink {
    Q_OBJECT
public:
    // save: writes the settings (the panel's "Save").
    NetworkPanel(QWidget* parent, std::function<void()> save);

    // Inserts a line at the top of the log, which keeps its newest TcpListener::kMaxLogRows.
    void AddTcpLog(const QString& line);
    // The same for lines oldest first, in one go.
    void AddTcpLogLines(const QStringList& oldestFirst);
    // Camera 1's grabbed frames, shown only while the listener runs.
    void FrameGrabbed(int camera, const QImage& frame) override;
    // The "TCP/IP" button of the set-up panel: shown and brought to the front.
    void ShowPanel();
    void ShowNetworkPanel() override { ShowPanel(); }

    TcpListener& Server() { return server_; }

    QListWidget* tcpLogList = nullptr;
    QLabel* camera1Image = nullptr;
    QPushButton* startListenerButton = nullptr;
    QPushButton* hideButton = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* connectButton = nullptr;

private:
    TcpListener server_;
    std::function<void()> save_;
};

// The remote-access page: its values are neither stored nor used; only its hints and the
// slider's label react.
class RemoteAccessPage : public QWidget {
    Q_OBJECT
public:
    explicit RemoteAccessPage(QWidget* parent);

    QLineEdit* port1PasswordEdit = nullptr;
    QLineEdit* port2PasswordEdit = nullptr;
    QComboBox* port1Combo = nullptr;
    QComboBox* port2Combo = nullptr;
    QCheckBox* port1ActiveBox = nullptr;
    QCheckBox* port2ActiveBox = nullptr;
    QPushButton* listen1Button = nullptr;
    QPushButton* listen2Button = nullptr;
    QSlider* percentSlider = nullptr;
    QLabel* percentLabel = nullptr;
    QLabel* hintLabel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
