#pragma once
// The installer window.
#include "core/LinkUnavailable.h"

class InstallerLink {
public:
    virtual ~InstallerLink() = default;
    virtual void ShowInstallWindow() = 0;
};

class NullInstallerLink final : public InstallerLink {
public:
    static InstallerLink& Instance() {
        static NullInstallerLink link;
        return link;
    }
    void ShowInstallWindow() override { ReportLinkUnavailable("InstallerLink", "ShowInstallWindow"); }
};
