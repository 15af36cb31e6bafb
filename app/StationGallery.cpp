#include "app/StationGallery.h"

#include "app/MainWindow.h"
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

StationGallery::StationGallery(MainWindow& mainWindow, SettingsStore& store, GalleryHttp& http)
    : mainWindow_(mainWindow), service_(store, http, *this, [](bool busy) { TransferBusy::Set(busy); }) {
    service_.RemoveScratchCopies();
    QWidget* page = mainWindow.phoneSettingsPage;
    Caption(page, QStringLiteral("UserID or Cell Number"), 10, 0)->move(220, 12);
    Caption(page, QStringLiteral("Password or Pass Code"), 10, 0)->move(220, 40);
    Caption(page, QStringLiteral("Phone Screen Size"), 10, 0)->move(120, 68);
    mainWindow.phoneAutoConnectBox->setText(QStringLiteral("Connect to Z4 Service"));
    mainWindow.phoneCodeEdit->setEchoMode(QLineEdit::Password);
    if (mainWindow.phoneSizeCombo->count() == 0)
        mainWindow.phoneSizeCombo->addItems(PhoneSizes());

    serviceConnectButton = new QPushButton(QStringLiteral("Connect"), page);
    serviceConnectButton->setObjectName(QStringLiteral("serviceConnectButton"));
    serviceConnectButton->setGeometry(10, 120, 100, 24);
    testPictureButton = new QPushButton(QStringLiteral("Test"), page);
    testPictureButton->setObjectName(QStringLiteral("testPictureButton"));
    testPictureButton->setGeometry(120, 120, 60, 24);

    previewBox = new QGroupBox(QStringLiteral("Phone Preview"), page);
    previewBox->setGeometry(380, 4, 170, 170);
    previewLabel = new QLabel(previewBox);
    previewLabel->setObjectName(QStringLiteral("previewLabel"));
    previewLabel->setGeometry(10, 20, 150, 140);
    previewLabel->setScaledContents(true);

    serviceStatusBox = new QGroupBox(QStringLiteral("Service Status"), page);
    serviceStatusBox->setGeometry(10, 150, 360, 110);
    mainWindow.phoneLogEdit->setParent(serviceStatusBox);
    mainWindow.phoneLogEdit->setGeometry(8, 18, 344, 86);
    mainWindow.phoneLogEdit->show();

    connect(serviceConnectButton, &QPushButton::clicked, this, [this] { service_.ToggleConnection(); });
    connect(testPictureButton, &QPushButton::clicked, this, &StationGallery::TakeTestPicture);
    // A size picked by the user is tried at once, so the preview shows it.
    connect(mainWindow.phoneSizeCombo, &QComboBox::activated, this, &StationGallery::TakeTestPicture);
}

void StationGallery::TakeTestPicture() {
    if (mainWindow_.CameraPreviews(1))
        mainWindow_.TakePicture1ButtonClick();
    else if (mainWindow_.CameraPreviews(2))
        mainWindow_.TakePicture2ButtonClick();
}

QString StationGallery::UserText() const { return mainWindow_.phoneNumberEdit->text(); }
QString StationGallery::CodeText() const { return mainWindow_.phoneCodeEdit->text(); }
QString StationGallery::SizeText() const { return mainWindow_.phoneSizeCombo->currentText(); }
void StationGallery::SetSizeText(const QString& text) { mainWindow_.phoneSizeCombo->setEditText(text); }
void StationGallery::SetConnectCaption(const QString& caption) { serviceConnectButton->setText(caption); }
void StationGallery::ShowLog(const QStringList& lines) { mainWindow_.phoneLogEdit->setPlainText(lines.join(QLatin1Char('\n'))); }
void StationGallery::ShowPreview(const QImage& picture) { previewLabel->setPixmap(QPixmap::fromImage(picture)); }
void StationGallery::SetTestEnabled(bool enabled) { testPictureButton->setEnabled(enabled); }
