#pragma once
// The report window's Settings tab: the sender's contact details that a report can carry,
// with their choice lists, and a Close button. The report window hosts it.
#include "publish/EmailSettings.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class SettingsStore;

class ContactSettingsTab : public QWidget {
    Q_OBJECT
public:
    static constexpr int kEditLength = 100;

    explicit ContactSettingsTab(QWidget* parent = nullptr);

    // Fills the lists, shows the defaults, then (when the file exists) reads the whole mail
    // settings record from it and shows its contact details. False when the file could not
    // be read; the store has told the user.
    bool LoadContactSettings(SettingsStore& store);
    // The details as the user has them now.
    ContactEdits Edits() const;
    void ShowEdits(const ContactEdits& shown);

    QLineEdit* firstNameEdit = nullptr;
    QLineEdit* secondNameEdit = nullptr;
    QLineEdit* firstPhoneEdit = nullptr;
    QLineEdit* secondPhoneEdit = nullptr;
    QLineEdit* firstAddressEdit = nullptr;
    QLineEdit* secondAddressEdit = nullptr;
    QLineEdit* firstNoteEdit = nullptr;
    QLineEdit* secondNoteEdit = nullptr;
    QComboBox* fromTimeCombo = nullptr;
    QComboBox* toTimeCombo = nullptr;
    QComboBox* contactDayCombo = nullptr;
    QCheckBox* useContactInfoBox = nullptr;
    QPushButton* closeButton = nullptr;

signals:
    void CloseClicked();

private:
    void FillLists();
};

// The recipient list toAddressCombo: the address book's lines, sorted, as stored.
// False (with *error) when the book exists but could not be read; the list is then empty.
bool LoadAddressBook(QComboBox& toAddress, const QString& path, QString* error = nullptr);
// Adds an item where the list's order wants it.
void AddSortedAddress(QComboBox& toAddress, const QString& address);
