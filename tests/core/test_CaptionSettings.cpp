#include "core/CaptionSettings.h"
#include "core/PictureCaption.h"
#include "core/SettingsStore.h"
#include "core/CaptionFontDialog.h"
#include "support/TestSupport.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <array>

namespace {

QImage Frame(QColor color, int w = 320, int h = 240) {
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(color);
    return image;
}

class CaptionSettingsTest : public ::testing::Test {
protected:
    CaptionSettingsTest()
        : store(platform::ProgramFolder(folder.path()), folder.file("torvek"), folder.file("Desktop")),
          captions(store.Record(), choices),
          settings(store, choices, captions) {
        store.SetDefaultSettings();
        captions.Hooks().now = [] { return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)); };
        settings.SetCameraViews({[this](int camera) { return camera == 1 ? cam1On : cam2On; },
                                 [](int camera) { return Frame(camera == 1 ? Qt::darkBlue : Qt::darkRed); }});
    }

    SettingsRecord& Record() { return store.Record(); }

    SettingsRecord Reloaded() {
        SettingsStore again(platform::ProgramFolder(folder.path()), folder.file("torvek"), folder.file("Desktop"));
        EXPECT_TRUE(again.LoadSettings());
        return again.Record();
    }

    TestSupport::TempProgramFolder folder;
    SettingsStore store;
    CaptionChoices choices;
    PictureCaptions captions;
    CaptionSettings settings;
    TestSupport::MessageLog messages;
    bool cam1On = false;
    bool cam2On = false;
};

} // namespace

TEST_F(CaptionSettingsTest, ChangesTakeEffectOnlyWhileTheWindowIsShown) {
    cam2On = true;
    settings.LoadFromSettings();
    Record().CaptionFontName = "Arial";
    settings.FontSizeListClick(6);
    EXPECT_EQ(choices.fontSizeRow, 6);
    EXPECT_NE(Record().CaptionFontSize, 16);
    EXPECT_EQ(Record().CaptionFontName, "Arial");

    settings.SetVisible(true);
    settings.FontSizeListClick(6);
    EXPECT_EQ(Record().CaptionFontSize, 16);
    settings.FormatListClick(2);
    EXPECT_EQ(Record().DateFormatIndex, 2);
    // Any font picked, the caption font stays the fixed-pitch one.
    if (!settings.FontList().isEmpty())
        settings.FontListClick(0);
    EXPECT_EQ(Record().CaptionFontName, "Courier New");

    settings.TopRightClick();
    EXPECT_TRUE(Record().CaptionTopRight && !Record().ClassicCaption && choices.topRight);
    settings.ClassicCaptionClick();
    EXPECT_TRUE(!Record().CaptionTopRight && Record().ClassicCaption && !choices.topRight);

    // TV Out: the preview shows the bare frame.
    Record().TvOut = true;
    settings.OverVideoClick();
    EXPECT_EQ(settings.Preview().Image().pixelColor(8, 8), QColor(Qt::darkRed));
}

TEST_F(CaptionSettingsTest, WindowBindsControlsAndHideSavesToTheFile) {
    cam1On = true;
    CaptionFontDialog window(settings);
    auto* combos = window.findChild<QListWidget*>("ColorCombos");
    auto* sizes = window.findChild<QListWidget*>("FontSizeList");
    auto* formats = window.findChild<QListWidget*>("FormatList");
    auto* topRight = window.findChild<QRadioButton*>("TopRight");
    auto* hide = window.findChild<QPushButton*>("hideButton");
    ASSERT_TRUE(combos && sizes && formats && topRight && hide);

    ASSERT_TRUE(settings.CaptionsActionClick(true, false));
    settings.PrepareShowDialog();
    settings.SetVisible(true);
    window.show();
    window.Refresh();
    EXPECT_EQ((std::array{combos->count(), combos->currentRow(), sizes->count(), formats->count()}),
              (std::array{4, 3, 7, 7}));

    combos->setCurrentRow(2); // the user picks "Black Font White Background"
    sizes->setCurrentRow(0);
    topRight->click();
    Record().CaptionFontName = "Times New Roman";
    hide->click();
    EXPECT_FALSE(settings.Visible() || window.isVisible());
    const SettingsRecord saved = Reloaded();
    EXPECT_EQ((std::array{int(saved.CaptionColorPreset), int(saved.CaptionTextColor), int(saved.CaptionFontSize)}),
              (std::array{2, 1, 8}));
    EXPECT_TRUE(saved.CaptionTopRight && !saved.ClassicCaption && choices.topRight);
    EXPECT_EQ(saved.CaptionFontName, "Courier New");

    // A gather hook replaces the plain save.
    int gathered = 0;
    settings.SetGatherAndSave([&] { ++gathered; });
    settings.HideButtonClick();
    EXPECT_EQ(gathered, 1);
}
