#include "app/StationEAlertMail.h"

#include "app/MainWindow.h"
#include "core/SettingsStore.h"
#include "platform/ProgramFolder.h"
#include "platform/SystemInfo.h"
#include "publish/AlertOptions.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

QString FolderText(const QString& folder) {
    return folder.isEmpty() ? folder : platform::WithTrailingSlash(folder);
}

} // namespace

StationEAlertMail::StationEAlertMail(MainWindow& mainWindow, SettingsStore& settings, StationEAlertMailLinks links)
    : mainWindow_(mainWindow),
      settings_(settings),
      links_(std::move(links)),
      client_(links_.smtpPort, links_.timeouts),
      composer_([this] { return Snapshot(); }, client_) {}

EAlertSnapshot StationEAlertMail::Snapshot() const {
    const SettingsRecord& record = settings_.Record();
    EAlertSnapshot s;
    s.alertFormat = record.AlertFormat;
    s.alertMaxImages = record.AlertMaxImages;
    s.alertImageCount = AlertImageCount(record, mainWindow_.alertFormatCombo ? mainWindow_.alertFormatCombo->currentIndex() : -1);
    s.siteLocation = record.SiteLocation;
    s.dialUp = record.DialUp;
    s.cameraFolders[0] = FolderText(settings_.CameraFolder(1));
    s.cameraFolders[1] = FolderText(settings_.CameraFolder(2));
    s.cameraFolders[2] = FolderText(mainWindow_.HistoryFolder());
    s.programFolder = settings_.Folder().Root();
    s.smtpHost = mainWindow_.smtpEdit ? mainWindow_.smtpEdit->text() : QString();
    s.sender = mainWindow_.replyAddressEdit ? mainWindow_.replyAddressEdit->text() : QString();
    s.recipients = mainWindow_.alertEmailEdit ? mainWindow_.alertEmailEdit->text() : QString();
    s.now = links_.now ? links_.now() : QDateTime::currentDateTime();
    s.online = links_.online ? links_.online() : platform::IsInternetConnected();
    return s;
}
