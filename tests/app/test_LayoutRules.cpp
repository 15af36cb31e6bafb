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

TEST(LayoutRules, OnlyTheRunningCamerasPanelsShow) {
    for (bool one : {false, true})
        for (bool two : {false, true}) {
            const PanelPlacement p = ArrangePanels({801, 500}, one, two);
            EXPECT_EQ(std::pair(p.show1, p.show2), std::pair(one, two)) << one << two;
        }
}

TEST(LayoutRules, CompactViewSitsAgainstTheCappedWidthAboveTheBottom) {
    CompactPlacement c = CompactView({1280, 1024}, true, true);
    ASSERT_TRUE(c.any);
    EXPECT_EQ(c.window, QRect(814, 1024 - (115 + 30), 200, 115));

    c = CompactView({1024, 768}, false, true);
    EXPECT_EQ(c.window, QRect(914, 638, 100, 100));
    EXPECT_FALSE(c.panels.show1);

    c = CompactView({800, 600}, true, false);
    EXPECT_EQ(c.window, QRect(690, 470, 100, 100));

    EXPECT_FALSE(CompactView({1024, 768}, false, false).any);
}

TEST(LayoutRules, ToolbarHeightAndCounter) {
    EXPECT_EQ(RelayoutToolbarHeight(74), 80);
    EXPECT_EQ(RelayoutToolbarHeight(133), 135); // the surveillance group below the cameras'

    EXPECT_EQ(CounterCaption(5 + 7), "000013");
    EXPECT_EQ(CounterCaption(0), "000001");
    EXPECT_EQ(CounterCaption(999999), "1000000");
}

TEST(LayoutRules, KeyTableInItsOrder) {
    constexpr Qt::KeyboardModifiers pad = Qt::KeypadModifier, none = Qt::NoModifier;
    using A = KeyAction;
    // key, modifiers, camera runs, tool bar shown, window height, set-up panel, cycling,
    // focus edit focused: the action of the first matching row.
    const std::pair<KeyState, KeyAction> cases[] = {
        // 'T' comes before every other row.
        {{Qt::Key_T, none, true, false, 768, false, false, false}, A::Nothing},
        {{Qt::Key_Minus, pad, false, true, 768, false, false, false}, A::Nothing},
        {{Qt::Key_Plus, pad, false, true, 768, false, false, false}, A::Nothing},
        {{Qt::Key_Minus, pad, true, true, 768, false, false, false}, A::HideToolbar},
        {{Qt::Key_Minus, pad, true, false, 768, false, false, false}, A::MakeSmall},
        // The compact window: back to full.
        {{Qt::Key_Minus, pad, true, false, 399, false, false, false}, A::HideToolbar},
        {{Qt::Key_Minus, pad, true, false, 400, false, false, false}, A::MakeSmall},
        {{Qt::Key_Plus, pad, true, false, 400, false, false, false}, A::ShowToolbar},
        // The main keyboard's minus and plus are other keys.
        {{Qt::Key_Minus, none, true, false, 768, false, false, false}, A::BackFromHidden},
        {{Qt::Key_Plus, none, true, true, 768, false, false, false}, A::Nothing},
        {{Qt::Key_F1, none, true, true, 768, true, true, false}, A::LoggedPictures1},
        {{Qt::Key_F2, none, true, true, 768, true, true, false}, A::LoggedPictures2},
        // Cycling shown: every other key stops it, Esc included.
        {{Qt::Key_Escape, none, true, true, 768, true, true, false}, A::StopCycling},
        {{Qt::Key_A, none, true, true, 768, true, true, false}, A::StopCycling},
        {{Qt::Key_Escape, none, false, true, 768, true, false, false}, A::HideSetupPanel},
        {{Qt::Key_Escape, none, false, true, 768, false, false, false}, A::EndProgram},
        // No camera: Esc still ends.
        {{Qt::Key_Escape, none, false, false, 768, false, false, false}, A::EndProgram},
        {{Qt::Key_Escape, none, true, false, 768, false, false, false}, A::BackFromHidden},
        {{Qt::Key_Space, none, true, false, 768, false, false, false}, A::BackFromHidden},
        {{Qt::Key_Space, none, true, false, 768, false, false, true}, A::Nothing},
        {{Qt::Key_Escape, none, true, false, 768, false, false, true}, A::EscFullView},
        {{Qt::Key_Escape, none, true, true, 768, false, false, false}, A::EscHideToolbar},
        {{Qt::Key_A, none, true, true, 768, false, false, false}, A::Nothing},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(DecideKey(cases[i].first), cases[i].second);
    }
}
