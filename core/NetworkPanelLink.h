#pragma once
// The "TCP/IP Connection" panel and its listener.
#include "core/LinkUnavailable.h"

#include <QImage>

class NetworkPanelLink {
public:
    virtual ~NetworkPanelLink() = default;
    virtual void ShowNetworkPanel() = 0;
    // Every grabbed frame of a camera, after its view has shown it.
    virtual void FrameGrabbed(int camera, const QImage& frame) = 0;
};

class NullNetworkPanelLink final : public NetworkPanelLink {
public:
    static NetworkPanelLink& Instance() {
        static NullNetworkPanelLink link;
        return link;
    }
    void ShowNetworkPanel() override { ReportLinkUnavailable("NetworkPanelLink", "ShowNetworkPanel"); }
    void FrameGrabbed(int, const QImage&) override {} // every frame: nothing to say
};
