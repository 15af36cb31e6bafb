#include "app/PasswordPrompt.h"

#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "platform/Ansi.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

QWidget* BlackPanel(QWidget* parent, const char* name, const QString& caption, QLineEdit*& edit,
                    QPushButton*& ok) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(palette);
    panel->setGeometry(0, 0, 260, 100);
    auto* label = new QLabel(caption, panel);
    QFont font = label->font();
    font.setPixelSize(24);
    label->setFont(font);
    label->setGeometry(10, 6, 240, 30);
    edit = new QLineEdit(panel);
    edit->setEchoMode(QLineEdit::Password);
    edit->setGeometry(10, 44, 160, 24);
    ok = new QPushButton(QStringLiteral("OK"), panel);
    ok->setGeometry(178, 44, 70, 24);
    return panel;
}

} // namespace

bool CheckLockPassword(const QString& entry, const QString& storedPassword) {
    return entry == TrimText(storedPassword);
}

PasswordPrompt::PasswordPrompt(SettingsStore& store, QWidget* parent)
    // On top: it may be asked for over the installer, which stays on top itself.
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), store_(store) {
    setObjectName(QStringLiteral("passwordPrompt"));
    setFixedSize(260, 100);
    setModal(true);
    passwordPanel = BlackPanel(this, "Password", QStringLiteral("Password"), passwordEdit, okButton);
    passwordEdit->setObjectName(QStringLiteral("passwordEdit"));
    newPasswordPanel = BlackPanel(this, "NewPassword", QStringLiteral("New Password"), newPasswordEdit, newPasswordOkButton);
    newPasswordEdit->setObjectName(QStringLiteral("newPasswordEdit"));
    newPasswordPanel->hide();

    connect(okButton, &QPushButton::clicked, this, &PasswordPrompt::OkButtonClick);
    connect(passwordEdit, &QLineEdit::returnPressed, this, &PasswordPrompt::OkButtonClick);
    connect(newPasswordOkButton, &QPushButton::clicked, this, &PasswordPrompt::SetNewPassword);
    connect(newPasswordEdit, &QLineEdit::returnPressed, this, &PasswordPrompt::SetNewPassword);
}

QString PasswordPrompt::StoredPassword() const { return store_.Record().LockPassword; }

bool PasswordPrompt::CheckPassword() const { return CheckLockPassword(passwordEdit->text(), store_.Record().LockPassword); }

void PasswordPrompt::OkButtonClick() {
    accepted_ = CheckPassword();
    accept();
}

bool LockPasswordStorable(const QString& password) {
    for (const QChar c : password)
        if (platform::CharToAnsiByte(c) < 0)
            return false;
    return true;
}

void PasswordPrompt::SetNewPassword() {
    const QString password = TrimText(newPasswordEdit->text()).left(25);
    if (!LockPasswordStorable(password)) {
        // Stored, it would come back with '?' in its place and never match again.
        ShowMessageBox(kPasswordNotStorableText);
        newPasswordEdit->selectAll();
        newPasswordEdit->setFocus();
        return;
    }
    store_.Record().LockPassword = password;
    store_.SaveSettings();
    accepted_ = true;
    accept();
}

void PasswordPrompt::Prepare(bool newPassword) {
    // An earlier good entry never opens a later prompt that was closed without OK.
    accepted_ = false;
    passwordEdit->clear();
    newPasswordEdit->clear();
    passwordPanel->setVisible(!newPassword);
    newPasswordPanel->setVisible(newPassword);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void PasswordPrompt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    (newPasswordPanel->isVisible() ? newPasswordEdit : passwordEdit)->setFocus();
}

bool PasswordPrompt::RunPrompt(bool newPassword) {
    Prepare(newPassword);
    if (runner_) {
        show();
        runner_(*this);
        hide();
    } else {
        exec();
    }
    return accepted_;
}

bool StationAccessLock::AccessAllowed() {
    if (!lockTicked_())
        return true;
    if (prompt_.RunPrompt())
        return true;
    ShowMessageBox(QStringLiteral("Invalid Password"));
    return false;
}

bool StationAccessLock::ChangePassword(const QString& storedPassword) {
    if (!TrimText(storedPassword).isEmpty() && !prompt_.RunPrompt()) {
        ShowMessageBox(QStringLiteral("Invalid Password"));
        return false;
    }
    return prompt_.RunPrompt(true);
}
