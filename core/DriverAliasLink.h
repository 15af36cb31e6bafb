#pragma once
// Driver aliases: the names the user gave the capture devices, and the drivers' statuses.
#include "core/LinkUnavailable.h"

#include <QString>

class DriverAliasLink {
public:
    virtual ~DriverAliasLink() = default;
    virtual void LoadDriverList() = 0;
    virtual void RefreshDriverStatus() = 0;
    // The alias of a device name; the name itself when it has none.
    virtual QString DriverAlias(const QString& name) const = 0;
};

// No aliases: every device goes by its own name.
class NullDriverAliasLink final : public DriverAliasLink {
public:
    static DriverAliasLink& Instance() {
        static NullDriverAliasLink link;
        return link;
    }
    void LoadDriverList() override { ReportLinkUnavailable("DriverAliasLink", "LoadDriverList"); }
    void RefreshDriverStatus() override { ReportLinkUnavailable("DriverAliasLink", "RefreshDriverStatus"); }
    QString DriverAlias(const QString& name) const override { return name; }
};
