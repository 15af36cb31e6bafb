#include "app/StationEAlertMail.h"

#include "app/Tzones.h"
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

StationEAlertMail::StationEAlertMail(Tzones& zones, SettingsStore& settings, StationEAlertMailLinks links)
    : zones_(zones),
      settings_(settings),
      links_(std::move(links)),
      client_(links_.smtpPort, links_.timeouts),
      composer_([this] { return Snapshot(); }, client_) {}

EAlertSnapshot StationEAlertMail::Snapshot() const {
    const SettingsRecord& record = settings_.Record();
    EAlertSnapshot s;
    s.alertFormat = record.AlertFormat;
    s.alertMaxImages = record.AlertMaxImages;
    s.alertImageCount = AlertImageCount(record, zones_.AlertFormat ? zones_.AlertFormat->currentIndex() : -1);
    s.siteLocation = record.SiteLocation;
    s.dialUp = record.DialUp;
    s.cameraFolders[0] = FolderText(settings_.CameraFolder(1));
    s.cameraFolders[1] = FolderText(settings_.CameraFolder(2));
    s.cameraFolders[2] = FolderText(zones_.HistoryFolder());
    s.programFolder = settings_.Folder().Root();
    s.smtpHost = zones_.smtpEdit ? zones_.smtpEdit->text() : QString();
    s.sender = zones_.ReplyEmailAddressText ? zones_.ReplyEmailAddressText->text() : QString();
    s.recipients = zones_.AlertEmail ? zones_.AlertEmail->text() : QString();
    s.now = links_.now ? links_.now() : QDateTime::currentDateTime();
    s.online = links_.online ? links_.online() : platform::IsInternetConnected();
    return s;
}
