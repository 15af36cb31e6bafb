#pragma once
// The controls of the set-up panel's E-Alerts tab, each under its own name. The main window
// hosts the tab and keeps pointers to its controls; AlertsBinding gives them behaviour.
#include "publish/EmailSettings.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class AlertsTab : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSiteLocationLength = 100;
    static constexpr int kAlertEmailLength = 255;
    static constexpr int kSmtpEditLength = 100;

    explicit AlertsTab(QWidget* parent = nullptr);

    // The four SMTP edits as typed.
    SmtpEdits SmtpEditTexts() const;

    QComboBox* emailLimitCombo = nullptr;
    QLabel* limitUnitLabel = nullptr;
    QComboBox* minutesCombo = nullptr;
    QLabel* minutesUnitLabel = nullptr;
    QComboBox* maxImagesCombo = nullptr;
    QLabel* imagesUnitLabel = nullptr;
    QComboBox* alertFormatCombo = nullptr;
    QLineEdit* siteLocationEdit = nullptr;
    QLineEdit* alertEmailEdit = nullptr;
    QLineEdit* replyAddressEdit = nullptr;
    QLineEdit* smtpUserEdit = nullptr;
    QLineEdit* smtpPasswordEdit = nullptr;
    QLineEdit* smtpEdit = nullptr;
    QCheckBox* alertsActiveBox = nullptr;
    QCheckBox* clearQueueBox = nullptr;
    QPushButton* sendNowButton = nullptr;
    QLabel* alertSummaryLabel = nullptr;
    QLabel* alertStatusLabel = nullptr;
};
