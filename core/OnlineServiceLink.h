#pragma once
// The online picture service client's connection as the main window uses it.
#include "core/LinkUnavailable.h"

class OnlineServiceLink {
public:
    virtual ~OnlineServiceLink() = default;
    virtual void ResetPhoneLinkConnected() = 0;
    virtual bool PhoneLinkConnected() const = 0;
    // The connect of a camera switched on with auto-connect ticked; its failure is told.
    virtual void PhoneLinkConnect() = 0;
};

// Never connected.
class NullOnlineServiceLink final : public OnlineServiceLink {
public:
    static OnlineServiceLink& Instance() {
        static NullOnlineServiceLink link;
        return link;
    }
    void ResetPhoneLinkConnected() override { ReportLinkUnavailable("OnlineServiceLink", "ResetPhoneLinkConnected"); }
    bool PhoneLinkConnected() const override { return false; }
    void PhoneLinkConnect() override { ReportLinkUnavailable("OnlineServiceLink", "PhoneLinkConnect"); }
};
