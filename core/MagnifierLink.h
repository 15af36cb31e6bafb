#pragma once
// The zoom window and the magnifier frames.
#include "core/LinkUnavailable.h"

class MagnifierLink {
public:
    virtual ~MagnifierLink() = default;
    virtual void CreateMagnifierImage() = 0;
    virtual void FreeMagnifierImage() = 0;
};

class NullMagnifierLink final : public MagnifierLink {
public:
    static MagnifierLink& Instance() {
        static NullMagnifierLink link;
        return link;
    }
    void CreateMagnifierImage() override { ReportLinkUnavailable("MagnifierLink", "CreateMagnifierImage"); }
    void FreeMagnifierImage() override { ReportLinkUnavailable("MagnifierLink", "FreeMagnifierImage"); }
};
