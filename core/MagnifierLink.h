#pragma once
// The magnifier frames of the main window (magnifier1, magnifier2) and the part that binds them.
#include "core/LinkUnavailable.h"

class MagnifierFrame {
public:
    virtual ~MagnifierFrame() = default;
    virtual void CreateImage() = 0; // binds the frame: lens off, start values
    virtual void FreeImage() = 0;   // lens off
};

class MagnifierLink {
public:
    virtual ~MagnifierLink() = default;
    virtual void CreateMagnifierImage(MagnifierFrame& frame) = 0;
    virtual void FreeMagnifierImage(MagnifierFrame& frame) = 0;
};

class NullMagnifierLink final : public MagnifierLink {
public:
    static MagnifierLink& Instance() {
        static NullMagnifierLink link;
        return link;
    }
    void CreateMagnifierImage(MagnifierFrame&) override { ReportLinkUnavailable("MagnifierLink", "CreateMagnifierImage"); }
    void FreeMagnifierImage(MagnifierFrame&) override { ReportLinkUnavailable("MagnifierLink", "FreeMagnifierImage"); }
};
