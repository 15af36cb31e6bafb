#include "app/StationGallery.h"

#include "app/Tzones.h"
#include "core/TransferBusy.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QLabel* Caption(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, 180, 18);
    return label;
}

} // namespace

QStringList StationGallery::PhoneSizes() {
    return {"50",  "75",  "100", "125", "150", "175", "200", "225", "250", "275",
            "300", "325", "350", "400", "500", "600", "700", "800", "900", "1000"};
}

StationGallery::StationGallery(Tzones& zones, SettingsStore& store, GalleryHttp& http)
    : zones_(zones), service_(store, http, *this, [](bool busy) { TransferBusy::Set(busy); }) {
    service_.RemoveScratchCopies();
    QWidget* page = zones.phonesettings;
    Caption(page, QStringLiteral("UserID or Cell Number"), 10, 0)->move(220, 12);
    Caption(page, QStringLiteral("Password or Pass Code"), 10, 0)->move(220, 40);
    Caption(page, QStringLiteral("Phone Screen Size"), 10, 0)->move(120, 68);
    zones.phautoconnect->setText(QStringLiteral("Connect to Z4 Service"));
    zones.phcode->setEchoMode(QLineEdit::Password);
    if (zones.sizelist->count() == 0)
        zones.sizelist->addItems(PhoneSizes());

    Connect2Z4 = new QPushButton(QStringLiteral("Connect"), page);
    Connect2Z4->setObjectName(QStringLiteral("Connect2Z4"));
    Connect2Z4->setGeometry(10, 120, 100, 24);
    Button43 = new QPushButton(QStringLiteral("Test"), page);
    Button43->setObjectName(QStringLiteral("Button43"));
    Button43->setGeometry(120, 120, 60, 24);

    PreviewBox = new QGroupBox(QStringLiteral("Phone Preview"), page);
    PreviewBox->setGeometry(380, 4, 170, 170);
    Image5 = new QLabel(PreviewBox);
    Image5->setObjectName(QStringLiteral("Image5"));
    Image5->setGeometry(10, 20, 150, 140);
    Image5->setScaledContents(true);

    StatusBox = new QGroupBox(QStringLiteral("Service Status"), page);
    StatusBox->setGeometry(10, 150, 360, 110);
    zones.PhLOg->setParent(StatusBox);
    zones.PhLOg->setGeometry(8, 18, 344, 86);
    zones.PhLOg->show();

    connect(Connect2Z4, &QPushButton::clicked, this, [this] { service_.Connect2Z4Click(); });
    connect(Button43, &QPushButton::clicked, this, &StationGallery::TakeTestPicture);
    // A size picked by the user is tried at once, so the preview shows it.
    connect(zones.sizelist, &QComboBox::activated, this, &StationGallery::TakeTestPicture);
}

void StationGallery::TakeTestPicture() {
    if (zones_.CameraPreviews(1))
        zones_.Button22Click();
    else if (zones_.CameraPreviews(2))
        zones_.Button23Click();
}

QString StationGallery::UserText() const { return zones_.phnumber->text(); }
QString StationGallery::CodeText() const { return zones_.phcode->text(); }
QString StationGallery::SizeText() const { return zones_.sizelist->currentText(); }
void StationGallery::SetSizeText(const QString& text) { zones_.sizelist->setEditText(text); }
void StationGallery::SetConnectCaption(const QString& caption) { Connect2Z4->setText(caption); }
void StationGallery::ShowLog(const QStringList& lines) { zones_.PhLOg->setPlainText(lines.join(QLatin1Char('\n'))); }
void StationGallery::ShowPreview(const QImage& picture) { Image5->setPixmap(QPixmap::fromImage(picture)); }
void StationGallery::SetTestEnabled(bool enabled) { Button43->setEnabled(enabled); }
