#pragma once
// The FTP window: host, user and password, the remote listing with the protocol log, the
// export choices and the connection settings. A thin view over FtpUploader, which holds
// the values and does the work; the window copies the uploader's form into its controls at
// every show and writes each edit back as it is made.
#include <QDialog>
#include <functional>

class FtpUploader;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabBar;
class QTextEdit;
class QTreeWidget;
class QWidget;

class TFTPMainForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCreatedHeight = 385;
    static constexpr int kFileLogHeight = 420;
    static constexpr int kImageExportsHeight = 315;
    static constexpr int kSettingsHeight = 290;
    static constexpr quint32 kSelectedRowColour = 9002762; // 0x00BBGGRR

    // showHelp opens the help window on the connectivity topic (F1).
    TFTPMainForm(FtpUploader& uploader, std::function<void()> showHelp, QWidget* parent = nullptr);

    // Stores the settings and hides the window; the connection stays (Hide, Esc).
    void HideFtpWindow();
    // The uploader's form into the controls, first tab shown (every show).
    void FillControls();

    QLineEdit* FtpServerEdit = nullptr;
    QLineEdit* UserIDEdit = nullptr;
    QLineEdit* PasswordEdit = nullptr;
    QPushButton* ConnectButton = nullptr;
    QPushButton* Button1 = nullptr; // Hide
    QPushButton* Button3 = nullptr; // Save
    QTabBar* TabControl1 = nullptr;

    QGroupBox* GroupBox2 = nullptr; // File Log
    QPushButton* Button2 = nullptr; // "<<"
    QTreeWidget* DirectoryListBox = nullptr;
    QListView* DebugListBox = nullptr;
    QLineEdit* CurrentDirEdit = nullptr;

    QGroupBox* GroupBox1 = nullptr; // Image Exports
    QRadioButton* exportasWebPage = nullptr;
    QRadioButton* DisableExportall = nullptr;
    QRadioButton* ExportAll = nullptr;
    QRadioButton* RecycleTheImage = nullptr;
    QLineEdit* webpageimagename = nullptr;
    QLineEdit* webpageimagename2 = nullptr;
    QLineEdit* maxImages = nullptr;
    QSlider* TrackBar1 = nullptr;
    QLabel* Label7 = nullptr;
    QCheckBox* CreateWebPage = nullptr;

    QGroupBox* Settings = nullptr;
    QCheckBox* UsePassive = nullptr;
    QCheckBox* SaveSettingsCheckBox = nullptr;
    QCheckBox* autoconnect = nullptr;
    QCheckBox* dailupMode = nullptr; // hidden

    QWidget* commandPanel = nullptr; // hidden; AbortButton shows on its own
    QPushButton* AbortButton = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* DownloadButton = nullptr;
    QPushButton* CreateDirButton = nullptr; // hidden
    QProgressBar* ProgressBar1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QWidget* webpagePanel = nullptr; // hidden
    QTextEdit* RichEdit1 = nullptr;

public slots:
    void reject() override; // Esc

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Layout (TFTPMainForm.cpp).
    void BuildTopRow();
    void BuildFileLog();
    void BuildImageExports();
    void BuildSettings();
    void BuildHiddenParts();
    void ShowTab(int index);

    // Listing and protocol log (TFTPMainFormViews.cpp).
    void BindViews();
    void FillListing();
    void ShowNewLogRow(int row);
    void UpdateTransferState();

    // Handlers (TFTPMainFormHandlers.cpp).
    void BindHandlers();
    void UpdateExportModeControls();
    void SetExportNamesEditable(bool editable);
    void ListingClicked();
    int SelectedListingRow() const;
    void TrackBar1Change(int position);

    FtpUploader& uploader_;
    std::function<void()> showHelp_;
};
