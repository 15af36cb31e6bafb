#pragma once
// The help window, opened on a topic. Windows reach it through MainWindowLink::ShowHelp.
#include "core/LinkUnavailable.h"

class HelpLink {
public:
    virtual ~HelpLink() = default;
    virtual void ShowHelp(int topic) = 0;
};

class NullHelpLink final : public HelpLink {
public:
    static HelpLink& Instance() {
        static NullHelpLink link;
        return link;
    }
    void ShowHelp(int) override { ReportLinkUnavailable("HelpLink", "ShowHelp"); }
};
