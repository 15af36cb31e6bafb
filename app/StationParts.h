#pragma once
// The links of parts that were built before the links existed: small adapters over their
// own classes.
#include "core/CameraSetupLink.h"
#include "core/CaptionWindowLink.h"
#include "core/DriverAliasLink.h"

class CaptionSettings;
class DriverAliasRegistry;
class CameraSetupScreen;

class RegistryDriverAliases final : public DriverAliasLink {
public:
    explicit RegistryDriverAliases(DriverAliasRegistry& registry) : registry_(registry) {}
    void LoadDriverList() override;
    void RefreshDriverStatus() override;
    QString DriverAlias(const QString& name) const override;

private:
    DriverAliasRegistry& registry_;
};

class SetupScreen final : public CameraSetupLink {
public:
    explicit SetupScreen(CameraSetupScreen& form) : form_(form) {}
    void OpenSetupScreen(int deviceIndex, int camera) override;

private:
    CameraSetupScreen& form_;
};

// The caption window's state lives in its logic class; the window shows it.
class CaptionWindow final : public CaptionWindowLink {
public:
    explicit CaptionWindow(CaptionSettings& settings) : settings_(settings) {}
    void FontSettingsLoadFromSettings() override;
    void FontSettingsFillColorLists() override;
    bool Transparent() const override;
    void SetTransparent(bool transparent) override;

private:
    CaptionSettings& settings_;
};
