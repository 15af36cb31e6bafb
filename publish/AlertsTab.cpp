#include "publish/AlertsTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

template <typename T>
T* Make(QWidget* parent, const char* name, const QRect& place, const QString& text = QString()) {
    auto* w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(place);
    if constexpr (!std::is_same_v<T, QComboBox> && !std::is_same_v<T, QLineEdit>) {
        if (!text.isEmpty()) w->setText(text);
    }
    return w;
}

QComboBox* MakeCombo(QWidget* parent, const char* name, const QRect& place, bool editable) {
    auto* combo = Make<QComboBox>(parent, name, place);
    combo->setEditable(editable);
    // Typed text never turns into a new list entry.
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QRect& place, int maxLength) {
    auto* edit = Make<QLineEdit>(parent, name, place);
    edit->setMaxLength(maxLength);
    return edit;
}

} // namespace

AlertsTab::AlertsTab(QWidget* parent) : QWidget(parent) {
    Make<QLabel>(this, "EmailLimitCaption", {10, 10, 40, 20}, QStringLiteral("Limit"));
    emailLimitCombo = MakeCombo(this, "emailLimitCombo", {50, 8, 90, 22}, true);
    limitUnitLabel = Make<QLabel>(this, "limitUnitLabel", {146, 10, 60, 20}, QStringLiteral("email(s)"));
    Make<QLabel>(this, "MinsComboCaption", {215, 10, 75, 20}, QStringLiteral("Send Every"));
    minutesCombo = MakeCombo(this, "minutesCombo", {290, 8, 70, 22}, true);
    minutesUnitLabel = Make<QLabel>(this, "minutesUnitLabel", {366, 10, 70, 20}, QStringLiteral("minute(s)"));

    Make<QLabel>(this, "MaxImagesCaption", {10, 38, 90, 20}, QStringLiteral("a maximum of"));
    maxImagesCombo = MakeCombo(this, "maxImagesCombo", {100, 36, 60, 22}, true);
    imagesUnitLabel = Make<QLabel>(this, "imagesUnitLabel", {166, 38, 60, 20}, QStringLiteral("image(s)"));
    Make<QLabel>(this, "AlertFormatCaption", {240, 38, 50, 20}, QStringLiteral("format"));
    alertFormatCombo = MakeCombo(this, "alertFormatCombo", {290, 36, 70, 22}, false);

    struct EditRow {
        QLineEdit** edit;
        const char* name;
        const char* caption;
        const char* captionText;
        int maxLength;
    };
    const EditRow rows[] = {
        {&siteLocationEdit, "siteLocationEdit", "siteLocationCaption", "Site Location", kSiteLocationLength},
        {&alertEmailEdit, "alertEmailEdit", "AlertEmailCaption", "To Email", kAlertEmailLength},
        {&replyAddressEdit, "replyAddressEdit", "ReplyEmailCaption", "Reply Email", kSmtpEditLength},
        {&smtpUserEdit, "smtpUserEdit", "UserEditCaption", "User Name", kSmtpEditLength},
        {&smtpPasswordEdit, "smtpPasswordEdit", "PassEditCaption", "Password", kSmtpEditLength},
        {&smtpEdit, "smtpEdit", "smtpEditCaption", "SMTP Host", kSmtpEditLength},
    };
    int y = 68;
    for (const EditRow& row : rows) {
        Make<QLabel>(this, row.caption, {10, y + 2, 85, 20}, QString::fromLatin1(row.captionText));
        *row.edit = MakeEdit(this, row.name, {100, y, 210, 22}, row.maxLength);
        y += 28;
    }
    smtpPasswordEdit->setEchoMode(QLineEdit::Password);

    alertsActiveBox = Make<QCheckBox>(this, "alertsActiveBox", {330, 68, 200, 20}, QStringLiteral("E-Alerts Active"));
    clearQueueBox = Make<QCheckBox>(this, "clearQueueBox", {330, 94, 200, 20}, QStringLiteral("Clear cue on send"));
    sendNowButton = Make<QPushButton>(this, "sendNowButton", {330, 124, 100, 26}, QStringLiteral("&Send Now"));
    alertStatusLabel = Make<QLabel>(this, "alertStatusLabel", {330, 164, 270, 20}, QStringLiteral("Email Alerts"));
    alertSummaryLabel = Make<QLabel>(this, "alertSummaryLabel", {10, 240, 590, 20});
}

SmtpEdits AlertsTab::SmtpEditTexts() const {
    return {smtpEdit->text(), smtpUserEdit->text(), smtpPasswordEdit->text(), replyAddressEdit->text()};
}
