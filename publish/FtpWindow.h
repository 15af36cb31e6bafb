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

    QLineEdit* hostEdit = nullptr;
    QLineEdit* userEdit = nullptr;
    QLineEdit* passwordEdit = nullptr;
    QPushButton* connectButton = nullptr;
    QPushButton* hideButton = nullptr;
    QPushButton* saveButton = nullptr;
    QTabBar* pageTabs = nullptr;

    QGroupBox* fileLogBox = nullptr;
    QPushButton* backButton = nullptr;
    QTreeWidget* directoryList = nullptr;
    QListView* protocolLogList = nullptr;
    QLineEdit* remoteDirEdit = nullptr;

    QGroupBox* imageExportsBox = nullptr;
    QRadioButton* exportAsRadio = nullptr;
    QRadioButton* exportDisabledRadio = nullptr;
    QRadioButton* exportAllRadio = nullptr;
    QRadioButton* recycleRadio = nullptr;
    QLineEdit* exportName1Edit = nullptr;
    QLineEdit* exportName2Edit = nullptr;
    QLineEdit* maxImagesEdit = nullptr;
    QSlider* qualitySlider = nullptr;
    QLabel* qualityLabel = nullptr;
    QCheckBox* createWebPageBox = nullptr;

    QGroupBox* settingsBox = nullptr;
    QCheckBox* passiveBox = nullptr;
    QCheckBox* saveSettingsBox = nullptr;
    QCheckBox* autoConnectBox = nullptr;
    QCheckBox* dialUpBox = nullptr; // hidden

    QWidget* commandPanel = nullptr; // hidden; abortButton shows on its own
    QPushButton* abortButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QPushButton* downloadButton = nullptr;
    QPushButton* createDirButton = nullptr; // hidden
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
