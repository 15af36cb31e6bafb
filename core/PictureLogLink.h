#pragma once
// The picture log window as the main window's logged-pictures view drives it.
#include "core/LinkUnavailable.h"

#include <QImage>
#include <QString>

class PictureLogLink {
public:
    virtual ~PictureLogLink() = default;
    // The folder shown (cam1/, cam2/ or history/) and its camera number.
    virtual void SetLogFolder(const QString& folder, int camera) = 0;
    virtual void RefreshImageList() = 0;
    virtual bool IsShown() const = 0;
    // Shows the window modally until it closes.
    virtual void RunModal() = 0;
    // Told it was opened from the main window.
    virtual void SetOpenedFromMainWindow(bool opened) = 0;
    // True when it was last closed by its F1/F2 keys.
    virtual bool ClosedByKey() const = 0;
    // Every grabbed frame of a camera (the log's live picture while it shows that camera).
    virtual void FrameGrabbed(int camera, const QImage& frame) = 0;
};

class NullPictureLogLink final : public PictureLogLink {
public:
    static PictureLogLink& Instance() {
        static NullPictureLogLink link;
        return link;
    }
    void SetLogFolder(const QString&, int) override { Say("SetLogFolder"); }
    void RefreshImageList() override { Say("RefreshImageList"); }
    bool IsShown() const override { return false; }
    void RunModal() override { Say("RunModal"); }
    void SetOpenedFromMainWindow(bool) override { Say("SetOpenedFromMainWindow"); }
    bool ClosedByKey() const override { return false; }
    void FrameGrabbed(int, const QImage&) override {} // every frame: nothing to say

private:
    static void Say(const char* routine) { ReportLinkUnavailable("PictureLogLink", routine); }
};
