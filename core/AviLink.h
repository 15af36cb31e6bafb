#pragma once
// The AVI panel of the picture log: open, and make an AVI file from the logged pictures.
#include "core/LinkUnavailable.h"

class AviLink {
public:
    virtual ~AviLink() = default;
    virtual void OpenAviPanel() = 0;
    virtual void CreateAviFromPictures() = 0;
};

class NullAviLink final : public AviLink {
public:
    static AviLink& Instance() {
        static NullAviLink link;
        return link;
    }
    void OpenAviPanel() override { ReportLinkUnavailable("AviLink", "OpenAviPanel"); }
    void CreateAviFromPictures() override { ReportLinkUnavailable("AviLink", "CreateAviFromPictures"); }
};
