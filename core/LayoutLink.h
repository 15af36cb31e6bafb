#pragma once
// Layout and view modes of the main window: tool bar geometry, full and compact views,
// the camera panels, the logged-pictures view. The layout part implements it.
#include "core/LinkUnavailable.h"

class LayoutLink {
public:
    virtual ~LayoutLink() = default;
    virtual void LayoutToolbar() = 0;
    virtual void LayoutMainToolbar() = 0;
    virtual void RestoreFullView() = 0;
    virtual void ArrangeCameraPanels() = 0;
    virtual void PlaceWindowForScreen() = 0;
    virtual void Relayout() = 0;          // tick of relayoutTimer
    virtual void ArrangeAfterStart() = 0; // tick of arrangeTimer
    // The width the layout places the compact view against.
    virtual int LayoutScreenWidth() const = 0;
    virtual bool IsCompactView() const = 0;
    // The picture log on camera 1's or 2's pictures, or on the history (3).
    virtual void ShowLoggedPictures(int which) = 0;
};

class NullLayoutLink final : public LayoutLink {
public:
    static LayoutLink& Instance() {
        static NullLayoutLink link;
        return link;
    }
    void LayoutToolbar() override { Say("LayoutToolbar"); }
    void LayoutMainToolbar() override { Say("LayoutMainToolbar"); }
    void RestoreFullView() override { Say("RestoreFullView"); }
    void ArrangeCameraPanels() override { Say("ArrangeCameraPanels"); }
    void PlaceWindowForScreen() override { Say("PlaceWindowForScreen"); }
    void Relayout() override { Say("Relayout"); }
    void ArrangeAfterStart() override { Say("ArrangeAfterStart"); }
    int LayoutScreenWidth() const override { return Say("LayoutScreenWidth"), 0; }
    bool IsCompactView() const override { return Say("IsCompactView"), false; }
    void ShowLoggedPictures(int) override { Say("ShowLoggedPictures"); }

private:
    static void Say(const char* routine) { ReportLinkUnavailable("LayoutLink", routine); }
};
