#include "publish/ContactSettingsTab.h"

#include "core/SettingsStore.h"
#include "publish/AddressBook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* MakeEdit(QWidget* parent, const char* name, int x, int y) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(ContactSettingsTab::kEditLength);
    edit->setGeometry(x, y, 180, 22);
    return edit;
}

QComboBox* MakeList(QWidget* parent, const char* name, int x, int y, int width) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setGeometry(x, y, width, 22);
    return combo;
}

void Caption(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, 180, 18);
}

void Select(QComboBox* combo, int index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

} // namespace

ContactSettingsTab::ContactSettingsTab(QWidget* parent) : QWidget(parent) {
    Caption(this, QStringLiteral("Contact"), 10, 8);
    firstNameEdit = MakeEdit(this, "firstNameEdit", 10, 26);
    secondNameEdit = MakeEdit(this, "secondNameEdit", 200, 26);
    Caption(this, QStringLiteral("Phone"), 10, 54);
    firstPhoneEdit = MakeEdit(this, "firstPhoneEdit", 10, 72);
    secondPhoneEdit = MakeEdit(this, "secondPhoneEdit", 200, 72);
    Caption(this, QStringLiteral("Address"), 10, 100);
    firstAddressEdit = MakeEdit(this, "firstAddressEdit", 10, 118);
    secondAddressEdit = MakeEdit(this, "secondAddressEdit", 200, 118);
    Caption(this, QStringLiteral("Notes"), 10, 146);
    firstNoteEdit = MakeEdit(this, "firstNoteEdit", 10, 164);
    secondNoteEdit = MakeEdit(this, "secondNoteEdit", 200, 164);
    Caption(this, QStringLiteral("Contact between"), 10, 194);
    fromTimeCombo = MakeList(this, "fromTimeCombo", 10, 212, 80);
    toTimeCombo = MakeList(this, "toTimeCombo", 100, 212, 80);
    contactDayCombo = MakeList(this, "contactDayCombo", 200, 212, 120);
    useContactInfoBox = new QCheckBox(QStringLiteral("Include Contact Details"), this);
    useContactInfoBox->setObjectName(QStringLiteral("useContactInfoBox"));
    useContactInfoBox->setGeometry(10, 244, 200, 20);
    closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setGeometry(300, 270, 80, 26);
    connect(closeButton, &QPushButton::clicked, this, &ContactSettingsTab::CloseClicked);
    FillLists();
}

void ContactSettingsTab::FillLists() {
    fromTimeCombo->clear();
    fromTimeCombo->addItems(ContactTimeItems());
    toTimeCombo->clear();
    toTimeCombo->addItems(ContactTimeItems());
    contactDayCombo->clear();
    contactDayCombo->addItems(ContactDayItems());
}

bool ContactSettingsTab::LoadContactSettings(SettingsStore& store) {
    FillLists();
    fromTimeCombo->setCurrentIndex(kDefaultContactFromTime);
    toTimeCombo->setCurrentIndex(kDefaultContactToTime);
    contactDayCombo->setCurrentIndex(kDefaultContactDay);
    useContactInfoBox->setChecked(false);
    if (!QFileInfo::exists(store.EmailFilePath())) return true;
    if (!store.LoadAlertSettingsFile()) return false;
    ShowEdits(ContactEditsFromRecord(store.EmailRecord()));
    return true;
}

ContactEdits ContactSettingsTab::Edits() const {
    ContactEdits edits;
    edits.firstName = firstNameEdit->text();
    edits.secondName = secondNameEdit->text();
    edits.phone1 = firstPhoneEdit->text();
    edits.phone2 = secondPhoneEdit->text();
    edits.address1 = firstAddressEdit->text();
    edits.address2 = secondAddressEdit->text();
    edits.note1 = firstNoteEdit->text();
    edits.note2 = secondNoteEdit->text();
    edits.fromTime = fromTimeCombo->currentIndex();
    edits.toTime = toTimeCombo->currentIndex();
    edits.day = contactDayCombo->currentIndex();
    edits.useContactInfo = useContactInfoBox->isChecked();
    return edits;
}

void ContactSettingsTab::ShowEdits(const ContactEdits& shown) {
    firstNameEdit->setText(shown.firstName);
    secondNameEdit->setText(shown.secondName);
    firstPhoneEdit->setText(shown.phone1);
    secondPhoneEdit->setText(shown.phone2);
    firstAddressEdit->setText(shown.address1);
    secondAddressEdit->setText(shown.address2);
    firstNoteEdit->setText(shown.note1);
    secondNoteEdit->setText(shown.note2);
    Select(fromTimeCombo, shown.fromTime);
    Select(toTimeCombo, shown.toTime);
    Select(contactDayCombo, shown.day);
    useContactInfoBox->setChecked(shown.useContactInfo);
}

bool LoadAddressBook(QComboBox& toAddress, const QString& path, QString* error) {
    toAddress.clear();
    QStringList lines;
    if (!AddressBook::Read(path, lines, error)) return false;
    toAddress.addItems(AddressBook::Sorted(lines));
    return true;
}

void AddSortedAddress(QComboBox& toAddress, const QString& address) {
    QStringList items;
    for (int i = 0; i < toAddress.count(); ++i) items << toAddress.itemText(i);
    toAddress.insertItem(int(AddressBook::SortedPosition(items, address)), address);
}
