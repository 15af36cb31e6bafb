#pragma once
// The e-mail report window: the sender's contact details ("Settings"), a report composed of
// pictures from the picture log ("Send Image") and the outbox of sent reports ("Sent
// Images"). Every report is saved to the outbox before it is sent.
#include "core/EmailWindowsLink.h"
#include "publish/EmailSettings.h"
#include "publish/OutboxRecord.h"
#include "publish/ReportMail.h"

#include <QDateTime>
#include <QDialog>
#include <QImage>
#include <QSet>
#include <functional>
#include <memory>

class ContactSettingsTab;
class MainWindowLink;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QTabBar;
class SettingsStore;

// What the window takes from the station; unset members use the real thing.
struct ReportWindowLinks {
    std::function<bool()> online;       // platform::IsInternetConnected
    std::function<QDateTime()> now;     // the clock
    std::function<SmtpEdits()> smtpEdits; // the set-up panel's four SMTP edits; unset: as stored
    std::function<bool(const QString& question)> askYesNo; // unset: a Yes/No box
};

class EmailWindow : public QDialog, public EmailWindowsLink {
    Q_OBJECT
public:
    static constexpr int kWidth = 406;
    static constexpr int kHeight = 480;
    static constexpr int kThumbnails = 10;

    // sender: where reports go out; unset: an SMTP client of the window's own on port 25.
    EmailWindow(SettingsStore& store, MainWindowLink& main, std::unique_ptr<ReportMailSender> sender = {},
                 ReportWindowLinks links = {}, QWidget* parent = nullptr);
    ~EmailWindow() override;

    // EmailWindowsLink
    void ShowEmailWindow() override;
    void OpenSendImagePage(bool singlePictureMode, int position, const QStringList& pictures,
                           const QString& currentName, int camera) override;

    void SelectEmailTab(int tab);
    void ShowCurrentSendImage(bool repaintWindow);
    void ShowSendImagePicture(const QString& name, int camera);
    // The outbox's rows; the given report's row is selected (the last row when empty or
    // not listed) and shown.
    void RefreshOutboxList(const QString& selectNumber = {});
    void ShowOutboxReport();

    // Handlers.
    void SendButtonClick();
    void OpenButtonClick();
    void PurgeButtonClick();
    void OutboxListClick();
    void DeleteSelectedReport();
    void PictureScrollChange();
    void PageTabsChange(int index);

    // State this window keeps in hidden controls.
    QStringList pictureNames;
    int ReportCamera = 0;
    bool SinglePictureMode = false;
    QStringList reportPageLines; // the report page's lines, as last built
    const OutboxRecord& WorkingRecord() const { return working_; }
    bool Sending() const { return sending_; }
    // The folder of the camera's pictures: 1, 2, 3 (history) or 0 (the outbox), '/' at the end.
    QString CameraFolder(int camera) const;
    QString OutboxFolder() const;
    int CurrentTab() const;

    QTabBar* pageTabs = nullptr;
    QWidget* settingsPanel = nullptr;
    QWidget* sendPanel = nullptr;
    QWidget* sentPanel = nullptr;
    ContactSettingsTab* contactTab = nullptr;
    // Send Image
    QLineEdit* subjectEdit = nullptr;
    QComboBox* toAddressCombo = nullptr;
    QPlainTextEdit* messageEdit = nullptr;
    QLabel* pictureLabel = nullptr;
    QPlainTextEdit* pictureNoteEdit = nullptr;
    QScrollBar* pictureScroll = nullptr;
    QLabel* positionLabel = nullptr;
    QLineEdit* referenceEdit = nullptr;
    QLineEdit* codeEdit = nullptr;
    QPushButton* sendButton = nullptr;
    QLabel* pleaseWaitPanel = nullptr;
    // Sent Images
    QListWidget* outboxList = nullptr;
    QPlainTextEdit* summaryEdit = nullptr;
    QLabel* sentTimeLabel = nullptr;
    QLabel* thumbnailLabels[kThumbnails] = {};
    QPushButton* openButton = nullptr;
    QPushButton* purgeButton = nullptr;
    QPushButton* closeButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildSettingsPanel();
    void BuildSendPanel();
    void BuildSentPanel();
    void FormActivate();
    void FormDeactivate();
    void ShowModalIfHidden();
    void CollectAndSaveSettings();
    void LoadAddressBookItems();
    // False (the user told) when the report could not be stored.
    bool SaveReportToOutbox(const QStringList& pictures, int camera);
    // pictures: those the report carries (see ReportPictures).
    QString BuildReportHtml(const QStringList& pictures);
    void SendReportEmail(const QStringList& pictures);
    void BlankThumbnails();
    // Every safe non-empty picture name of the working record; unsafe names are left out
    // and told once per report.
    QStringList RecordPictures();
    QString DefaultSubject(int camera, const QString& timePattern) const;
    QDateTime Now() const;
    bool Online() const;
    bool AskYesNo(const QString& question);
    void SetPosition(int position);
    void LoadPictureLabel(const QString& path);
    QString CurrentPicturePath() const;

    SettingsStore& store_;
    MainWindowLink& main_;
    std::unique_ptr<ReportMailSender> sender_;
    ReportWindowLinks links_;
    QString programFolder_;
    OutboxRecord working_;
    QStringList rowNumbers_; // the report number of each row of outboxList
    QImage placeholder_; // blanks a thumbnail
    QSet<QString> unsafeNamesTold_;
    bool active_ = false;
    QString shownPicture_; // what pictureLabel shows
    bool loadPending_ = false;
    bool sending_ = false; // a report is going out: Send is off and the window stays
};
