#include "app/TpasswordBox.h"

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

TpasswordBox::TpasswordBox(SettingsStore& store, QWidget* parent)
    // On top: it may be asked for over the installer, which stays on top itself.
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), store_(store) {
    setObjectName(QStringLiteral("passwordBox"));
    setFixedSize(260, 100);
    setModal(true);
    PasswordPanel = BlackPanel(this, "Password", QStringLiteral("Password"), Edit1, OkButton);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    NewPasswordPanel = BlackPanel(this, "NewPassword", QStringLiteral("New Password"), Edit3, NewOkButton);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    NewPasswordPanel->hide();

    connect(OkButton, &QPushButton::clicked, this, &TpasswordBox::OkClick);
    connect(Edit1, &QLineEdit::returnPressed, this, &TpasswordBox::OkClick);
    connect(NewOkButton, &QPushButton::clicked, this, &TpasswordBox::SetNewPassword);
    connect(Edit3, &QLineEdit::returnPressed, this, &TpasswordBox::SetNewPassword);
}

QString TpasswordBox::StoredPassword() const { return store_.Record().LockPassword; }

bool TpasswordBox::CheckPassword() const { return CheckLockPassword(Edit1->text(), store_.Record().LockPassword); }

void TpasswordBox::OkClick() {
    accepted_ = CheckPassword();
    accept();
}

bool LockPasswordStorable(const QString& password) {
    for (const QChar c : password)
        if (platform::CharToAnsiByte(c) < 0)
            return false;
    return true;
}

void TpasswordBox::SetNewPassword() {
    const QString password = TrimText(Edit3->text()).left(25);
    if (!LockPasswordStorable(password)) {
        // Stored, it would come back with '?' in its place and never match again.
        ShowMessageBox(kPasswordNotStorableText);
        Edit3->selectAll();
        Edit3->setFocus();
        return;
    }
    store_.Record().LockPassword = password;
    store_.SaveSettings();
    accepted_ = true;
    accept();
}

void TpasswordBox::Prepare(bool newPassword) {
    // An earlier good entry never opens a later prompt that was closed without OK.
    accepted_ = false;
    Edit1->clear();
    Edit3->clear();
    PasswordPanel->setVisible(!newPassword);
    NewPasswordPanel->setVisible(newPassword);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TpasswordBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    (NewPasswordPanel->isVisible() ? Edit3 : Edit1)->setFocus();
}

bool TpasswordBox::RunPrompt(bool newPassword) {
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
