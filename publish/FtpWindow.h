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

class FtpWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCreatedHeight = 385;
    static constexpr int kFileLogHeight = 420;
    static constexpr int kImageExportsHeight = 315;
    static constexpr int kSettingsHeight = 290;
    static constexpr quint32 kSelectedRowColour = 9002762; // 0x00BBGGRR

    // showHelp opens the help window on the connectivity topic (F1).
    FtpWindow(FtpUploader& uploader, std::function<void()> showHelp, QWidget* parent = nullptr);

    // Stores the settings and hides the window; the connection stays (Hide, Esc).
    void HideFtpWindow();
    // The uploader's form into the controls, first tab shown (every show).
    void FillControls();

    QLineEdit* FtpServerEdit = nullptr;
    QLineEdit* UserIDEdit = nullptr;
    QLineEdit* PasswordEdit = nullptr;
    QPushButton* ConnectButton = nullptr;
    QPushButton* hideButton = nullptr;
    QPushButton* saveButton = nullptr;
    QTabBar* pageTabs = nullptr;

    QGroupBox* fileLogBox = nullptr;
    QPushButton* backButton = nullptr;
    QTreeWidget* DirectoryListBox = nullptr;
    QListView* DebugListBox = nullptr;
    QLineEdit* CurrentDirEdit = nullptr;

    QGroupBox* imageExportsBox = nullptr;
    QRadioButton* exportAsRadio = nullptr;
    QRadioButton* exportDisabledRadio = nullptr;
    QRadioButton* ExportAll = nullptr;
    QRadioButton* RecycleTheImage = nullptr;
    QLineEdit* exportName1Edit = nullptr;
    QLineEdit* exportName2Edit = nullptr;
    QLineEdit* maxImages = nullptr;
    QSlider* qualitySlider = nullptr;
    QLabel* qualityLabel = nullptr;
    QCheckBox* CreateWebPage = nullptr;

    QGroupBox* Settings = nullptr;
    QCheckBox* UsePassive = nullptr;
    QCheckBox* SaveSettingsCheckBox = nullptr;
    QCheckBox* autoConnectBox = nullptr;
    QCheckBox* dialUpBox = nullptr; // hidden

    QWidget* commandPanel = nullptr; // hidden; AbortButton shows on its own
    QPushButton* AbortButton = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* DownloadButton = nullptr;
    QPushButton* CreateDirButton = nullptr; // hidden
    QProgressBar* transferProgressBar = nullptr;
    QMenu* listingMenu = nullptr;
    QWidget* webpagePanel = nullptr; // hidden
    QTextEdit* webpageCodeEdit = nullptr;

public slots:
    void reject() override; // Esc

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Layout (FtpWindow.cpp).
    void BuildTopRow();
    void BuildFileLog();
    void BuildImageExports();
    void BuildSettings();
    void BuildHiddenParts();
    void ShowTab(int index);

    // Listing and protocol log (FtpWindowViews.cpp).
    void BindViews();
    void FillListing();
    void ShowNewLogRow(int row);
    void UpdateTransferState();

    // Handlers (FtpWindowHandlers.cpp).
    void BindHandlers();
    void UpdateExportModeControls();
    void SetExportNamesEditable(bool editable);
    void ListingClicked();
    int SelectedListingRow() const;
    void QualitySliderChange(int position);

    FtpUploader& uploader_;
    std::function<void()> showHelp_;
};
