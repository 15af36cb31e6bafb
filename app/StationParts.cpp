#include "app/StationParts.h"

#include "capture/DriverAliasRegistry.h"
#include "capture/CameraSetupScreen.h"
#include "core/CaptionSettings.h"

void RegistryDriverAliases::LoadDriverList() { registry_.LoadDriverList(); }

void RegistryDriverAliases::RefreshDriverStatus() { registry_.RefreshDriverStatus(); }

QString RegistryDriverAliases::DriverAlias(const QString& name) const { return registry_.GetDriverAlias(name); }

void SetupScreen::OpenSetupScreen(int deviceIndex, int camera) { form_.OpenSetupScreen(deviceIndex, camera); }

void CaptionWindow::FontSettingsLoadFromSettings() { settings_.LoadFromSettings(); }

void CaptionWindow::FontSettingsFillColorLists() { settings_.FillColorLists(); }

bool CaptionWindow::Transparent() const { return settings_.Choices().transparent; }

void CaptionWindow::SetTransparent(bool transparent) { settings_.SetTransparentBox(transparent); }
