#pragma once
// The logic of the caption settings window: its lists, selections and preview, and the rules
// that move choices between the window and the settings record. The window binds to it; the
// caption drawing reads the same choices while the window is hidden.
#include "core/CaptionChoices.h"
#include "platform/PictureCanvas.h"

#include <QDateTime>
#include <QImage>
#include <QStringList>

#include <functional>

class PictureCaptions;
class SettingsStore;
struct SettingsRecord;

// A camera view as the caption window sees it.
struct CaptionCameraViews {
    std::function<bool(int camera)> isPreviewing;
    std::function<QImage(int camera)> imageBitmap; // the latest frame with its caption
};

class CaptionSettings {
public:
    static inline const QString kCameraOffText =
        QStringLiteral("You must start the camera to use this feature.");
    static inline const QString kCaptionFontName = QStringLiteral("Courier New");

    CaptionSettings(SettingsStore& store, CaptionChoices& choices, PictureCaptions& captions);

    void SetCameraViews(CaptionCameraViews views) { views_ = std::move(views); }
    // Copies the main window's controls to the record and saves; the default only saves.
    void SetGatherAndSave(std::function<void()> gatherAndSave) { gatherAndSave_ = std::move(gatherAndSave); }
    // Called after every change the window has to show.
    void SetChangedHandler(std::function<void()> changed) { changed_ = std::move(changed); }

    const CaptionChoices& Choices() const { return choices_; }
    const QStringList& ColorCombos() const { return colorCombos_; }
    const QStringList& FontColorList() const { return fontColor_; }
    const QStringList& BackColorList() const { return backColor_; }
    const QStringList& FontList() const { return fontList_; }
    const QStringList& FontSizeList() const { return fontSizeList_; }
    const QStringList& FormatList() const { return formatList_; }
    // The preview picture (previewImage).
    const platform::PictureCanvas& Preview() const { return preview_; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    // The main window's Captions command: false (after saying why) when no camera runs;
    // otherwise the preview gets the running camera's latest frame and the window may open.
    bool CaptionsActionClick(bool camera1Previewing, bool camera2Previewing);
    // What happens before the window is shown modally.
    void PrepareShowDialog();
    void LoadFromSettings();
    void FillColorLists();
    void ApplyColorPreset();
    void ApplyChoices();

    // The controls' events. Rows are -1 for "none".
    void TopRightClick();
    void ClassicCaptionClick();
    void ColorCombosClick(int row);
    void FontColorClick(int row);
    void BackColorClick(int row);
    void FontListClick(int row);
    void FontSizeListClick(int row);
    void FormatListClick(int row);
    void TransparentBoxClick(bool checked);
    void OverVideoClick();
    void FormActivate();
    // "Hide": stores the choices and saves the settings; the window closes.
    void HideButtonClick();

    // The transparent box changed by code (the main window applying the settings): its click
    // runs only when the state changes.
    void SetTransparentBox(bool checked);

    // The text an owner-drawn format row shows: the current time in that format.
    QString FormatRowText(int row, const QDateTime& now) const;

private:
    void SelectLayout(bool topRight);
    // The font, size and date format rows as the record keeps them.
    void StoreFontAndFormat();
    void PickRow(int& choice, const QStringList& list, int row);
    static int RowIn(const QStringList& list, int row);
    void Changed();

    SettingsStore& store_;
    SettingsRecord& record_;
    CaptionChoices& choices_;
    PictureCaptions& captions_;
    CaptionCameraViews views_;
    std::function<void()> gatherAndSave_;
    std::function<void()> changed_;
    bool visible_ = false;

    QStringList colorCombos_;
    QStringList fontColor_;
    QStringList backColor_;
    QStringList fontList_;
    QStringList fontSizeList_;
    QStringList formatList_;
    platform::PictureCanvas preview_;
};
