// The FTP window's handlers: each edit goes straight into the uploader's form, each
// command to the uploader.
#include "publish/FtpUploader.h"
#include "publish/FtpWindow.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

void BindText(QLineEdit* edit, QString& value) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [&value](const QString& text) { value = text; });
}

} // namespace

void FtpWindow::BindHandlers() {
    FtpForm& form = uploader_.Form();
    BindText(hostEdit, form.host);
    BindText(userEdit, form.user);
    BindText(passwordEdit, form.password);
    BindText(exportName1Edit, form.exportName1);
    BindText(exportName2Edit, form.exportName2);
    BindText(maxImagesEdit, form.maxImagesText);
    connect(qualitySlider, &QSlider::valueChanged, this, &FtpWindow::QualitySliderChange);
    connect(createWebPageBox, &QCheckBox::clicked, this, [&form](bool on) { form.createWebPage = on; });
    connect(saveSettingsBox, &QCheckBox::clicked, this, [&form](bool on) { form.saveSettings = on; });
    connect(passiveBox, &QCheckBox::clicked, this, [this](bool on) { uploader_.SetPassive(on); });
    connect(autoConnectBox, &QCheckBox::clicked, this, [this](bool on) { uploader_.SetAutoConnect(on); });
    // Only a click sets the dial-up quality; loading the box never does.
    connect(dialUpBox, &QCheckBox::clicked, this, [this](bool on) {
        uploader_.SetDialUp(on);
        qualitySlider->setValue(uploader_.Form().quality);
    });

    const std::pair<QRadioButton*, FtpExportMode> modes[] = {{exportAsRadio, FtpExportMode::ExportAs},
                                                             {exportDisabledRadio, FtpExportMode::Disabled},
                                                             {exportAllRadio, FtpExportMode::ExportAll},
                                                             {recycleRadio, FtpExportMode::Recycle}};
    for (const auto& [button, mode] : modes) {
        connect(button, &QRadioButton::clicked, this, [this, mode = mode] {
            uploader_.Form().exportMode = mode;
            UpdateExportModeControls();
        });
    }

    connect(connectButton, &QPushButton::clicked, this, [this] {
        uploader_.ConnectButtonClick();
        if (isVisible()) {
            raise();
            activateWindow();
        }
    });
    connect(hideButton, &QPushButton::clicked, this, &FtpWindow::HideFtpWindow);
    connect(saveButton, &QPushButton::clicked, this, [this] { uploader_.StoreFtpSettings(); });
    connect(pageTabs, &QTabBar::currentChanged, this, &FtpWindow::ShowTab);
    connect(backButton, &QPushButton::clicked, this, [this] { uploader_.BackButtonClick(); });

    connect(directoryList, &QTreeWidget::itemSelectionChanged, this, &FtpWindow::ListingClicked);
    connect(directoryList, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { uploader_.OpenListingRow(directoryList->indexOfTopLevelItem(item)); });
    const auto open = [this] { uploader_.OpenListingRow(SelectedListingRow()); };
    const auto remove = [this] { uploader_.DeleteListingRow(SelectedListingRow()); };
    connect(downloadButton, &QPushButton::clicked, this, open);
    connect(deleteButton, &QPushButton::clicked, this, remove);
    connect(createDirButton, &QPushButton::clicked, this, [this] { uploader_.CreateDirButtonClick(); });
    connect(abortButton, &QPushButton::clicked, this, [this] { uploader_.AbortButtonClick(); });

    listingMenu->addAction(QStringLiteral("Download"), this, open);
    listingMenu->addAction(QStringLiteral("Delete"), this, remove);
    QAction* back = listingMenu->addAction(QStringLiteral("Back"), this, [this] { uploader_.BackMenuClick(); });
    back->setVisible(false);
    QAction* page = listingMenu->addAction(QStringLiteral("Edit Webpage Code"));
    page->setCheckable(true);
    page->setVisible(false);
    connect(page, &QAction::toggled, webpagePanel, &QWidget::setVisible);
    connect(directoryList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { listingMenu->popup(directoryList->viewport()->mapToGlobal(at)); });

    connect(&uploader_, &FtpUploader::FormLoaded, this, &FtpWindow::FillControls);
}

void FtpWindow::FillControls() {
    const FtpForm& form = uploader_.Form();
    hostEdit->setText(form.host);
    userEdit->setText(form.user);
    passwordEdit->setText(form.password);
    remoteDirEdit->setText(form.remoteDir);
    exportName1Edit->setText(form.exportName1);
    exportName2Edit->setText(form.exportName2);
    maxImagesEdit->setText(form.maxImagesText);
    const int quality = form.quality;
    qualitySlider->setValue(quality);
    QualitySliderChange(quality); // also when the position did not move
    createWebPageBox->setChecked(form.createWebPage);
    passiveBox->setChecked(form.passive);
    saveSettingsBox->setChecked(form.saveSettings);
    autoConnectBox->setChecked(form.autoConnect);
    dialUpBox->setChecked(form.dialUp);
    switch (form.exportMode) {
    case FtpExportMode::ExportAs: exportAsRadio->setChecked(true); break;
    case FtpExportMode::Disabled: exportDisabledRadio->setChecked(true); break;
    case FtpExportMode::ExportAll: exportAllRadio->setChecked(true); break;
    case FtpExportMode::Recycle: recycleRadio->setChecked(true); break;
    }
    UpdateExportModeControls();
    pageTabs->setCurrentIndex(0);
    ShowTab(0);
}

void FtpWindow::UpdateExportModeControls() {
    const bool exportAs = uploader_.Form().exportMode == FtpExportMode::ExportAs;
    SetExportNamesEditable(exportAs);
    maxImagesEdit->setEnabled(!exportAs);
    QPalette colours = maxImagesEdit->palette();
    colours.setColor(QPalette::Base, exportAs ? QColor(Qt::lightGray) : QColor(Qt::white));
    colours.setColor(QPalette::Disabled, QPalette::Base, exportAs ? QColor(Qt::lightGray) : QColor(Qt::white));
    maxImagesEdit->setPalette(colours);
}

void FtpWindow::SetExportNamesEditable(bool editable) {
    for (QLineEdit* edit : {exportName1Edit, exportName2Edit}) {
        edit->setReadOnly(!editable);
        edit->setFocusPolicy(editable ? Qt::StrongFocus : Qt::NoFocus);
        QPalette colours = edit->palette();
        colours.setColor(QPalette::Base, editable ? QColor(Qt::white) : QColor(Qt::lightGray));
        edit->setPalette(colours);
    }
}

void FtpWindow::QualitySliderChange(int position) {
    uploader_.Form().quality = position;
    qualityLabel->setText(CompressionLabelText(position));
}

int FtpWindow::SelectedListingRow() const {
    const QList<QTreeWidgetItem*> selected = directoryList->selectedItems();
    return selected.isEmpty() ? -1 : directoryList->indexOfTopLevelItem(selected.first());
}

void FtpWindow::ListingClicked() {
    const QString caption = uploader_.DownloadCaptionFor(SelectedListingRow());
    if (!caption.isEmpty())
        downloadButton->setText(caption);
}

void FtpWindow::HideFtpWindow() {
    uploader_.StoreFtpSettings();
    hide();
}

void FtpWindow::reject() { HideFtpWindow(); }

void FtpWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    protocolLogList->show();
    webpagePanel->hide();
    uploader_.StayConnectedTimer().SetEnabled(uploader_.Form().autoConnect);
}

void FtpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (showHelp_)
            showHelp_();
        return;
    }
    // Enter in a field connects; it never ends a connection (only a click on Disconnect does).
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && connectButton->text() != QLatin1String("Connect") && !qobject_cast<QPushButton*>(focusWidget())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
