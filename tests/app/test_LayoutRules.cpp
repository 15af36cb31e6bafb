#include "app/LayoutRules.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace LayoutRules;

TEST(LayoutRules, PlacementByScreenWidth) {
    const ScreenPlacement small = PlaceForScreen({640, 480});
    EXPECT_EQ(small.layoutScreenWidth, 640);
    EXPECT_FALSE(small.fullToolbarLayout);
    EXPECT_FALSE(small.moveTo100);

    const ScreenPlacement svga = PlaceForScreen({800, 600});
    EXPECT_TRUE(svga.fullToolbarLayout);
    EXPECT_FALSE(svga.moveTo100);

    const ScreenPlacement xga = PlaceForScreen({1024, 768});
    EXPECT_EQ(xga.layoutScreenWidth, 1024);
    EXPECT_TRUE(xga.fullToolbarLayout && xga.moveTo100);

    // Wider screens are laid out as 1024 and stay where they are.
    const ScreenPlacement wide = PlaceForScreen({1280, 1024});
    EXPECT_EQ(wide.layoutScreenWidth, 1024);
    EXPECT_TRUE(wide.fullToolbarLayout);
    EXPECT_FALSE(wide.moveTo100);
}

TEST(LayoutRules, TwoPanelsSplitAnOddCameraAreaHalvesToEven) {
    // 1023 / 2 = 511.5 goes to 512; 1021 / 2 = 510.5 goes to 510.
    PanelPlacement p = ArrangePanels({1023, 500}, true, true);
    EXPECT_TRUE(p.show1 && p.show2);
    EXPECT_EQ(p.panel1, QRect(2, 15, 509, 482));
    EXPECT_EQ(p.panel2, QRect(512, 15, 510, 482));
    p = ArrangePanels({1021, 500}, true, true);
    EXPECT_EQ(p.panel1, QRect(2, 15, 507, 482));
    EXPECT_EQ(p.panel2, QRect(510, 15, 508, 482));
}

TEST(LayoutRules, OnePanelFillsTheCameraAreaAndNoneLeavesThemAlone) {
    PanelPlacement p = ArrangePanels({801, 500}, true, false);
    EXPECT_TRUE(p.show1);
    EXPECT_FALSE(p.show2);
    EXPECT_EQ(p.panel1, QRect(0, 0, 801, 500));
    p = ArrangePanels({801, 500}, false, true);
    EXPECT_FALSE(p.show1);
    EXPECT_EQ(p.panel2, QRect(0, 0, 801, 500));
    p = ArrangePanels({801, 500}, false, false);
    EXPECT_FALSE(p.show1 || p.show2);
}

TEST(LayoutRules, CompactViewSitsAgainstTheCappedWidthAboveTheBottom) {
    CompactPlacement c = CompactView({1280, 1024}, true, true);
    ASSERT_TRUE(c.any);
    EXPECT_EQ(c.window, QRect(814, 1024 - (115 + 30), 200, 115));
    EXPECT_EQ(c.panels.panel1, QRect(6, 13, 94, 91));
    EXPECT_EQ(c.panels.panel2, QRect(101, 13, 93, 91));

    c = CompactView({1024, 768}, false, true);
    EXPECT_EQ(c.window, QRect(914, 638, 100, 100));
    EXPECT_FALSE(c.panels.show1);
    EXPECT_EQ(c.panels.panel2, QRect(0, 0, 100, 100));

    c = CompactView({800, 600}, true, false);
    EXPECT_EQ(c.window, QRect(690, 470, 100, 100));
    EXPECT_EQ(c.panels.panel1, QRect(0, 0, 100, 100));

    EXPECT_FALSE(CompactView({1024, 768}, false, false).any);
}

TEST(LayoutRules, ScreenSaverViewIsCentredRelayoutHeightAndCounter) {
    EXPECT_EQ(ScreenSaverRect({1024, 768}), QRect(422, 294, 180, 180));
    // 421.5 and 293.5 go to the even neighbours.
    EXPECT_EQ(ScreenSaverRect({1023, 767}), QRect(422, 294, 180, 180));
    EXPECT_EQ(ScreenSaverRect({1021, 765}), QRect(420, 292, 180, 180));

    EXPECT_EQ(RelayoutCameraAreaHeight(768, true, 688), 683);
    EXPECT_EQ(RelayoutCameraAreaHeight(768, false, 688), 763);

    EXPECT_EQ(RelayoutToolbarHeight(74), 80);
    EXPECT_EQ(RelayoutToolbarHeight(133), 135); // the surveillance group below the cameras'

    EXPECT_EQ(CounterCaption(5 + 7), "000013");
    EXPECT_EQ(CounterCaption(0), "000001");
    EXPECT_EQ(CounterCaption(999999), "1000000");
}

TEST(LayoutRules, ToolbarTableNamesEachControlOnce) {
    int count = 0;
    const ToolbarRow* rows = MainToolbarRows(&count);
    ASSERT_GT(count, 20);
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QString::fromLatin1(rows[i].name);
    EXPECT_EQ(names.removeDuplicates(), 0);
}

namespace {

KeyState Keys(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    KeyState s;
    s.key = key;
    s.modifiers = modifiers;
    s.cameraRuns = true;
    s.toolbarVisible = true;
    s.windowHeight = 768;
    return s;
}

} // namespace

TEST(LayoutRules, KeyTableInItsOrder) {
    const auto minus = [](KeyState s) { return s.key = Qt::Key_Minus, s.modifiers = Qt::KeypadModifier, s; };
    const auto plus = [](KeyState s) { return s.key = Qt::Key_Plus, s.modifiers = Qt::KeypadModifier, s; };
    KeyState s = Keys(Qt::Key_T);
    s.toolbarVisible = false;
    EXPECT_EQ(DecideKey(s), KeyAction::Nothing); // 'T' comes before every other row

    KeyState idle = Keys(0);
    idle.cameraRuns = false;
    EXPECT_EQ(DecideKey(minus(idle)), KeyAction::Nothing);
    EXPECT_EQ(DecideKey(plus(idle)), KeyAction::Nothing);

    EXPECT_EQ(DecideKey(minus(Keys(0))), KeyAction::HideToolbar);
    s = Keys(0);
    s.toolbarVisible = false;
    EXPECT_EQ(DecideKey(minus(s)), KeyAction::MakeSmall);
    s.windowHeight = 399; // the compact window: back to full
    EXPECT_EQ(DecideKey(minus(s)), KeyAction::HideToolbar);
    s.windowHeight = 400;
    EXPECT_EQ(DecideKey(minus(s)), KeyAction::MakeSmall);
    EXPECT_EQ(DecideKey(plus(s)), KeyAction::ShowToolbar);

    // The main keyboard's minus and plus are other keys.
    s = Keys(Qt::Key_Minus);
    s.toolbarVisible = false;
    EXPECT_EQ(DecideKey(s), KeyAction::BackFromHidden);
    EXPECT_EQ(DecideKey(Keys(Qt::Key_Plus)), KeyAction::Nothing);

    s = Keys(Qt::Key_F1);
    s.cyclingVisible = s.setupPanelVisible = true;
    EXPECT_EQ(DecideKey(s), KeyAction::LoggedPictures1);
    s.key = Qt::Key_F2;
    EXPECT_EQ(DecideKey(s), KeyAction::LoggedPictures2);

    // Cycling shown: every other key stops it, Esc included.
    s.key = Qt::Key_Escape;
    EXPECT_EQ(DecideKey(s), KeyAction::StopCycling);
    s.key = Qt::Key_A;
    EXPECT_EQ(DecideKey(s), KeyAction::StopCycling);

    s.cyclingVisible = false;
    s.key = Qt::Key_Escape;
    s.cameraRuns = false;
    EXPECT_EQ(DecideKey(s), KeyAction::HideSetupPanel);
    s.setupPanelVisible = false;
    EXPECT_EQ(DecideKey(s), KeyAction::EndProgram);
    s.toolbarVisible = false; // no camera: Esc still ends
    EXPECT_EQ(DecideKey(s), KeyAction::EndProgram);

    s = Keys(Qt::Key_Escape);
    s.toolbarVisible = false;
    EXPECT_EQ(DecideKey(s), KeyAction::BackFromHidden);
    s.key = Qt::Key_Space;
    EXPECT_EQ(DecideKey(s), KeyAction::BackFromHidden);
    s.focusEditFocused = true;
    EXPECT_EQ(DecideKey(s), KeyAction::Nothing);
    s.key = Qt::Key_Escape;
    EXPECT_EQ(DecideKey(s), KeyAction::EscFullView);

    EXPECT_EQ(DecideKey(Keys(Qt::Key_Escape)), KeyAction::EscHideToolbar);
    EXPECT_EQ(DecideKey(Keys(Qt::Key_A)), KeyAction::Nothing);
}
