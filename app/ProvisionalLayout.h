#pragma once
// A plain arrangement used until the station's own layout routines exist: tool bar along
// the bottom, camera area above it, the running cameras' views side by side.
#include "core/LayoutLink.h"

class Tzones;

class ProvisionalLayout final : public LayoutLink {
public:
    explicit ProvisionalLayout(Tzones& zones) : zones_(zones) {}
    void LayoutToolbar() override {}
    void LayoutMainToolbar() override {}
    void RestoreFullView() override { ArrangeCameraPanels(); }
    void ArrangeCameraPanels() override;
    void PlaceWindowForScreen() override {}
    void Relayout() override;
    void ArrangeAfterStart() override;
    int LayoutScreenWidth() const override;
    bool IsCompactView() const override { return false; }
    void ShowLoggedPictures(int which) override;

private:
    Tzones& zones_;
};
