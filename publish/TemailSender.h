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

class TemailSender : public QDialog, public EmailWindowsLink {
    Q_OBJECT
public:
    static constexpr int kWidth = 406;
    static constexpr int kHeight = 480;
    static constexpr int kThumbnails = 10;

    // sender: where reports go out; unset: an SMTP client of the window's own on port 25.
    TemailSender(SettingsStore& store, MainWindowLink& main, std::unique_ptr<ReportMailSender> sender = {},
                 ReportWindowLinks links = {}, QWidget* parent = nullptr);
    ~TemailSender() override;

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
    void BitBtn1Click();
    void Button3Click();
    void Button8Click();
    void ListBox1Click();
    void DeleteSelectedReport();
    void ScrollBar1Change();
    void TabControl1Change(int index);

    // State this window keeps in hidden controls.
    QStringList filelist;
    int ReportCamera = 0;
    bool SinglePictureMode = false;
    QStringList temptext; // the report page's lines, as last built
    const OutboxRecord& WorkingRecord() const { return working_; }
    bool Sending() const { return sending_; }
    // The folder of the camera's pictures: 1, 2, 3 (history) or 0 (the outbox), '/' at the end.
    QString CameraFolder(int camera) const;
    QString OutboxFolder() const;
    int CurrentTab() const;

    QTabBar* TabControl1 = nullptr;
    QWidget* settingsPanel = nullptr;
    QWidget* sendPanel = nullptr;
    QWidget* sentPanel = nullptr;
    ContactSettingsTab* contactTab = nullptr;
    // Send Image
    QLineEdit* SubjectEdit = nullptr;
    QComboBox* ToAddress = nullptr;
    QPlainTextEdit* RichEdit1 = nullptr;
    QLabel* Image1 = nullptr;
    QPlainTextEdit* RichEdit2 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QLabel* postion_caption = nullptr;
    QLineEdit* ref = nullptr;
    QLineEdit* code = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QLabel* pleaseWaitPanel = nullptr;
    // Sent Images
    QListWidget* ListBox1 = nullptr;
    QPlainTextEdit* EmailSummary = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* SentImage[kThumbnails] = {};
    QPushButton* Button3 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* CloseButton2 = nullptr;

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
    void LoadImage1(const QString& path);
    QString CurrentPicturePath() const;

    SettingsStore& store_;
    MainWindowLink& main_;
    std::unique_ptr<ReportMailSender> sender_;
    ReportWindowLinks links_;
    QString programFolder_;
    OutboxRecord working_;
    QStringList rowNumbers_; // the report number of each row of ListBox1
    QImage placeholder_; // Image2: blanks a thumbnail
    QSet<QString> unsafeNamesTold_;
    bool active_ = false;
    QString shownPicture_; // what Image1 shows
    bool loadPending_ = false;
    bool sending_ = false; // a report is going out: Send is off and the window stays
};
