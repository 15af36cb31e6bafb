#pragma once
// The access lock's password prompt, and the gate the guarded commands ask.
#include "core/AccessLockLink.h"

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;
class QWidget;
class SettingsStore;

// The entry (as typed) against the stored password (trimmed); case counts.
bool CheckLockPassword(const QString& entry, const QString& storedPassword);
// False when the settings record cannot hold the password as it is (not Windows-1252).
bool LockPasswordStorable(const QString& password);

class PasswordPrompt : public QDialog {
    Q_OBJECT
public:
    explicit PasswordPrompt(SettingsStore& store, QWidget* parent = nullptr);

    // passwordEdit against the stored password.
    bool CheckPassword() const;
    static inline const QString kPasswordNotStorableText = QStringLiteral(
        "This password cannot be used: it holds characters that the settings file cannot store. "
        "Please use letters, digits and common signs.");

    // Stores the trimmed newPasswordEdit (at most 25 characters), saves the settings, accepts, closes;
    // a password the settings cannot store is refused with a message and the prompt stays.
    void SetNewPassword();

    // Opens the prompt modally: passwordEdit cleared, "New Password" hidden unless asked for, the
    // accepted flag 0 until OK. Returns the accepted flag.
    bool RunPrompt(bool newPassword = false);
    bool Accepted() const { return accepted_; }
    QString StoredPassword() const;

    QWidget* passwordPanel = nullptr;
    QLineEdit* passwordEdit = nullptr;
    QPushButton* okButton = nullptr;
    QWidget* newPasswordPanel = nullptr;
    QLineEdit* newPasswordEdit = nullptr;
    QPushButton* newPasswordOkButton = nullptr;

    // Replaces the modal run in tests (the prompt is prepared and shown; the runner acts on it).
    void SetModalRunner(std::function<void(PasswordPrompt&)> runner) { runner_ = std::move(runner); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Prepare(bool newPassword);
    void OkButtonClick();

    SettingsStore& store_;
    bool accepted_ = false;
    std::function<void(PasswordPrompt&)> runner_;
};

// The gate: free while the lock box is not ticked, else the password prompt; a refusal is
// said as "Invalid Password".
class StationAccessLock : public AccessLockLink {
public:
    StationAccessLock(PasswordPrompt& prompt, std::function<bool()> lockTicked)
        : prompt_(prompt), lockTicked_(std::move(lockTicked)) {}
    bool AccessAllowed() override;
    // "Lock Password...": the stored password first (when there is one), then a new one.
    bool ChangePassword(const QString& storedPassword);
    bool ChangeLockPassword() override { return ChangePassword(prompt_.StoredPassword()); }

private:
    PasswordPrompt& prompt_;
    std::function<bool()> lockTicked_;
};
