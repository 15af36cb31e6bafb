// The FTP window's handlers: each edit goes straight into the uploader's form, each
// command to the uploader.
#include "publish/FtpUploader.h"
#include "publish/TFTPMainForm.h"

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

void TFTPMainForm::BindHandlers() {
    FtpForm& form = uploader_.Form();
    BindText(FtpServerEdit, form.host);
    BindText(UserIDEdit, form.user);
    BindText(PasswordEdit, form.password);
    BindText(webpageimagename, form.exportName1);
    BindText(webpageimagename2, form.exportName2);
    BindText(maxImages, form.maxImagesText);
    connect(TrackBar1, &QSlider::valueChanged, this, &TFTPMainForm::TrackBar1Change);
    connect(CreateWebPage, &QCheckBox::clicked, this, [&form](bool on) { form.createWebPage = on; });
    connect(SaveSettingsCheckBox, &QCheckBox::clicked, this, [&form](bool on) { form.saveSettings = on; });
    connect(UsePassive, &QCheckBox::clicked, this, [this](bool on) { uploader_.SetPassive(on); });
    connect(autoconnect, &QCheckBox::clicked, this, [this](bool on) { uploader_.SetAutoConnect(on); });
    // Only a click sets the dial-up quality; loading the box never does.
    connect(dailupMode, &QCheckBox::clicked, this, [this](bool on) {
        uploader_.SetDialUp(on);
        TrackBar1->setValue(uploader_.Form().quality);
    });

    const std::pair<QRadioButton*, FtpExportMode> modes[] = {{exportasWebPage, FtpExportMode::ExportAs},
                                                             {DisableExportall, FtpExportMode::Disabled},
                                                             {ExportAll, FtpExportMode::ExportAll},
                                                             {RecycleTheImage, FtpExportMode::Recycle}};
    for (const auto& [button, mode] : modes) {
        connect(button, &QRadioButton::clicked, this, [this, mode = mode] {
            uploader_.Form().exportMode = mode;
            UpdateExportModeControls();
        });
    }

    connect(ConnectButton, &QPushButton::clicked, this, [this] {
        uploader_.ConnectButtonClick();
        if (isVisible()) {
            raise();
            activateWindow();
        }
    });
    connect(Button1, &QPushButton::clicked, this, &TFTPMainForm::HideFtpWindow);
    connect(Button3, &QPushButton::clicked, this, [this] { uploader_.StoreFtpSettings(); });
    connect(TabControl1, &QTabBar::currentChanged, this, &TFTPMainForm::ShowTab);
    connect(Button2, &QPushButton::clicked, this, [this] { uploader_.BackButtonClick(); });

    connect(DirectoryListBox, &QTreeWidget::itemSelectionChanged, this, &TFTPMainForm::ListingClicked);
    connect(DirectoryListBox, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { uploader_.OpenListingRow(DirectoryListBox->indexOfTopLevelItem(item)); });
    const auto open = [this] { uploader_.OpenListingRow(SelectedListingRow()); };
    const auto remove = [this] { uploader_.DeleteListingRow(SelectedListingRow()); };
    connect(DownloadButton, &QPushButton::clicked, this, open);
    connect(DeleteButton, &QPushButton::clicked, this, remove);
    connect(CreateDirButton, &QPushButton::clicked, this, [this] { uploader_.CreateDirButtonClick(); });
    connect(AbortButton, &QPushButton::clicked, this, [this] { uploader_.AbortButtonClick(); });

    PopupMenu1->addAction(QStringLiteral("Download"), this, open);
    PopupMenu1->addAction(QStringLiteral("Delete"), this, remove);
    QAction* back = PopupMenu1->addAction(QStringLiteral("Back"), this, [this] { uploader_.BackMenuClick(); });
    back->setVisible(false);
    QAction* page = PopupMenu1->addAction(QStringLiteral("Edit Webpage Code"));
    page->setCheckable(true);
    page->setVisible(false);
    connect(page, &QAction::toggled, webpagePanel, &QWidget::setVisible);
    connect(DirectoryListBox, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(DirectoryListBox->viewport()->mapToGlobal(at)); });

    connect(&uploader_, &FtpUploader::FormLoaded, this, &TFTPMainForm::FillControls);
}

void TFTPMainForm::FillControls() {
    const FtpForm& form = uploader_.Form();
    FtpServerEdit->setText(form.host);
    UserIDEdit->setText(form.user);
    PasswordEdit->setText(form.password);
    CurrentDirEdit->setText(form.remoteDir);
    webpageimagename->setText(form.exportName1);
    webpageimagename2->setText(form.exportName2);
    maxImages->setText(form.maxImagesText);
    const int quality = form.quality;
    TrackBar1->setValue(quality);
    TrackBar1Change(quality); // also when the position did not move
    CreateWebPage->setChecked(form.createWebPage);
    UsePassive->setChecked(form.passive);
    SaveSettingsCheckBox->setChecked(form.saveSettings);
    autoconnect->setChecked(form.autoConnect);
    dailupMode->setChecked(form.dialUp);
    switch (form.exportMode) {
    case FtpExportMode::ExportAs: exportasWebPage->setChecked(true); break;
    case FtpExportMode::Disabled: DisableExportall->setChecked(true); break;
    case FtpExportMode::ExportAll: ExportAll->setChecked(true); break;
    case FtpExportMode::Recycle: RecycleTheImage->setChecked(true); break;
    }
    UpdateExportModeControls();
    TabControl1->setCurrentIndex(0);
    ShowTab(0);
}

void TFTPMainForm::UpdateExportModeControls() {
    const bool exportAs = uploader_.Form().exportMode == FtpExportMode::ExportAs;
    SetExportNamesEditable(exportAs);
    maxImages->setEnabled(!exportAs);
    QPalette colours = maxImages->palette();
    colours.setColor(QPalette::Base, exportAs ? QColor(Qt::lightGray) : QColor(Qt::white));
    colours.setColor(QPalette::Disabled, QPalette::Base, exportAs ? QColor(Qt::lightGray) : QColor(Qt::white));
    maxImages->setPalette(colours);
}

void TFTPMainForm::SetExportNamesEditable(bool editable) {
    for (QLineEdit* edit : {webpageimagename, webpageimagename2}) {
        edit->setReadOnly(!editable);
        edit->setFocusPolicy(editable ? Qt::StrongFocus : Qt::NoFocus);
        QPalette colours = edit->palette();
        colours.setColor(QPalette::Base, editable ? QColor(Qt::white) : QColor(Qt::lightGray));
        edit->setPalette(colours);
    }
}

void TFTPMainForm::TrackBar1Change(int position) {
    uploader_.Form().quality = position;
    Label7->setText(CompressionLabelText(position));
}

int TFTPMainForm::SelectedListingRow() const {
    const QList<QTreeWidgetItem*> selected = DirectoryListBox->selectedItems();
    return selected.isEmpty() ? -1 : DirectoryListBox->indexOfTopLevelItem(selected.first());
}

void TFTPMainForm::ListingClicked() {
    const QString caption = uploader_.DownloadCaptionFor(SelectedListingRow());
    if (!caption.isEmpty())
        DownloadButton->setText(caption);
}

void TFTPMainForm::HideFtpWindow() {
    uploader_.StoreFtpSettings();
    hide();
}

void TFTPMainForm::reject() { HideFtpWindow(); }

void TFTPMainForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    DebugListBox->show();
    webpagePanel->hide();
    uploader_.StayConnectedTimer().SetEnabled(uploader_.Form().autoConnect);
}

void TFTPMainForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (showHelp_)
            showHelp_();
        return;
    }
    // Enter in a field connects; it never ends a connection (only a click on Disconnect does).
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && ConnectButton->text() != QLatin1String("Connect") && !qobject_cast<QPushButton*>(focusWidget())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
