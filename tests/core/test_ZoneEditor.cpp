#include "core/ZoneEditor.h"

#include "core/SettingsRecord.h"

#include <gtest/gtest.h>

#include <QPoint>
#include <climits>

namespace {

// An editor with its hooks counted.
struct EditorRig {
    explicit EditorRig(int camera, QSize picture = QSize(320, 240))
        : picture(picture), editor(camera, record, &zone) {
        ZoneEditorHooks& h = editor.Hooks();
        h.DetectorPass = [this] {
            ++passes;
            zoneAtPass = zone;
        };
        h.PictureSize = [this] { return this->picture; };
        h.EnableMotionTime = [this] { ++motionTimeEnabled; };
        h.SetViewSwitchRequest = [this] { ++viewSwitches; };
        h.ShowHelp = [this](int topic) { helpTopics.push_back(topic); };
        h.RestoreFullView = [this] { ++fullViews; };
    }

    void Corner(int left, int top) {
        editor.LeftEditChanged(QString::number(left));
        editor.TopEditChanged(QString::number(top));
    }
    void Keys(ZoneKey a, ZoneKey b) {
        editor.KeyDown(a);
        editor.KeyDown(b);
    }
    QStringList CornerTexts() const { return {editor.Texts().leftEdit, editor.Texts().topEdit}; }
    QPoint ZoneCorner() const { return {zone.left, zone.top}; }

    SettingsRecord record;
    ZoneRect zone;
    ZoneRect zoneAtPass;
    QSize picture;
    ZoneEditor editor;
    int passes = 0;
    int motionTimeEnabled = 0;
    int viewSwitches = 0;
    int fullViews = 0;
    std::vector<int> helpTopics;
};

TEST(ZoneEditor, LeftAndUpMayPassZeroByLessThanAStepButStopAtZero) {
    for (int camera : {1, 2}) {
        SCOPED_TRACE(camera);
        EditorRig rig(camera);
        rig.Corner(5, 5);
        EXPECT_TRUE(rig.editor.KeyDown(ZoneKey::Left).handled);
        EXPECT_TRUE(rig.editor.KeyDown(ZoneKey::Up).handled);
        EXPECT_EQ(rig.CornerTexts(), QStringList({"-5", "-5"}));
        EXPECT_EQ(rig.ZoneCorner(), QPoint(-5, -5));

        rig.Corner(0, 0);
        rig.Keys(ZoneKey::Left, ZoneKey::Up);
        EXPECT_EQ(rig.CornerTexts(), QStringList({"0", "0"}));
        // Every arrow runs a pass, moved or not.
        EXPECT_EQ(rig.passes, 4);
    }
}

TEST(ZoneEditor, RightAndDownStopOneStepInsideTheFrameNotTheWindow) {
    for (int camera : {1, 2}) {
        SCOPED_TRACE(camera);
        EditorRig rig(camera, QSize(320, 240));
        rig.Corner(290, 220);
        for (int i = 0; i < 10; ++i)
            rig.Keys(ZoneKey::Right, ZoneKey::Down);
        EXPECT_EQ(rig.CornerTexts(), QStringList({"310", "230"}));
        EXPECT_EQ(rig.ZoneCorner(), QPoint(310, 230));

        // A corner typed past the edge stays where it is.
        rig.Corner(315, 500);
        rig.Keys(ZoneKey::Right, ZoneKey::Down);
        EXPECT_EQ(rig.CornerTexts(), QStringList({"315", "500"}));

        // No frame yet: Right and Down do nothing from 0.
        rig.picture = QSize();
        rig.Corner(0, 0);
        rig.Keys(ZoneKey::Right, ZoneKey::Down);
        EXPECT_EQ(rig.CornerTexts(), QStringList({"0", "0"}));
    }
}

TEST(ZoneEditor, ExtremeTypedCornersNeitherOverflowNorWrapTheGuards) {
    EditorRig one(1);
    one.editor.LeftEditChanged(QString::number(INT_MAX));
    one.editor.TopEditChanged(QString::number(INT_MIN));
    one.Keys(ZoneKey::Right, ZoneKey::Up);
    EXPECT_EQ(one.CornerTexts(), QStringList({QString::number(INT_MAX), QString::number(INT_MIN)}));
    EXPECT_EQ(one.zone.left, INT_MAX); // camera 1 reads the corner in 32 bits
    one.editor.KeyDown(ZoneKey::Left);
    EXPECT_EQ(one.zone.left, INT_MAX - 10);

    // Camera 2 reads it in 16 bits.
    EditorRig two(2);
    two.Corner(70000, -70000);
    EXPECT_EQ(two.ZoneCorner(), QPoint(qint16(70000), qint16(-70000)));
}

TEST(ZoneEditor, FunctionKeysDifferBetweenTheTwins) {
    EditorRig one(1);
    const ZoneKeyOutcome f2 = one.editor.KeyDown(ZoneKey::F2);
    EXPECT_FALSE(f2.handled || f2.close);
    EXPECT_TRUE(one.editor.KeyDown(ZoneKey::F1).close);
    EXPECT_EQ(one.viewSwitches, 1);
    EXPECT_TRUE(one.helpTopics.empty());

    EditorRig two(2);
    const ZoneKeyOutcome f1 = two.editor.KeyDown(ZoneKey::F1);
    EXPECT_TRUE(f1.handled && !f1.close);
    EXPECT_EQ(two.helpTopics, std::vector<int>{1});
    EXPECT_TRUE(two.editor.KeyDown(ZoneKey::F2).close);
    EXPECT_EQ(two.viewSwitches, 1);

    for (EditorRig* rig : {&one, &two}) {
        EXPECT_TRUE(rig->editor.KeyDown(ZoneKey::Escape).close);
        EXPECT_FALSE(rig->editor.KeyDown(ZoneKey::Other).handled);
        EXPECT_EQ(rig->passes, 0);
    }
}

TEST(ZoneEditor, SizeFromScalesEmptyIsZeroNegativeIsFiftyOnCamera2Only) {
    EditorRig two(2);
    two.editor.SizeEditChanged("");
    two.editor.LeftEditChanged("20");
    EXPECT_EQ(two.zone.size, 0);
    two.editor.SizeEditChanged("-7");
    two.editor.TopEditChanged("30");
    EXPECT_EQ(two.zone.size, 50);
    two.editor.SizeEditChanged("x");
    two.editor.TopEditChanged("31");
    EXPECT_EQ(two.zone.size, 0);

    EditorRig one(1);
    one.editor.SizeEditChanged("-7");
    one.editor.TopEditChanged("30");
    EXPECT_EQ(one.zone.size, -7);
    one.editor.SizeEditChanged("70000"); // a 16-bit size
    one.editor.TopEditChanged("30");
    EXPECT_EQ(one.zone.size, qint16(70000));
}

TEST(ZoneEditor, TrackBarAndSensitivityReachTheRecord) {
    for (int camera : {1, 2}) {
        SCOPED_TRACE(camera);
        EditorRig rig(camera);
        qint16& size = camera == 1 ? rig.record.Zone1Size : rig.record.Zone2Size;
        qint16& sensitivity = camera == 1 ? rig.record.Sensitivity1 : rig.record.Sensitivity2;
        qint16& other = camera == 1 ? rig.record.Sensitivity2 : rig.record.Sensitivity1;
        const qint16 otherBefore = other;

        rig.editor.SetTrackBarPosition(120);
        EXPECT_EQ(size, 120);
        EXPECT_EQ(rig.zone.size, 120);
        EXPECT_EQ(rig.editor.Texts().sizeEdit, "120");
        rig.editor.SetTrackBarPosition(1000);
        EXPECT_EQ(size, 400);

        rig.editor.SensitivityComboChanged(" 4800 ");
        EXPECT_EQ(sensitivity, 4800);
        rig.editor.SensitivityComboChanged("lots");
        EXPECT_EQ(sensitivity, 0);
        EXPECT_EQ(other, otherBefore);

        // The settings copy's text does not write the record.
        rig.editor.SetSensitivityText("2400");
        EXPECT_EQ(sensitivity, 0);
        EXPECT_EQ(rig.editor.Texts().sensitivityCombo, "2400");
    }
}

TEST(ZoneEditor, ActivationOrderAndTheTwinsDifferences) {
    EditorRig one(1);
    one.record.Zone1Size = 130;
    one.editor.SetTarget(true);
    one.editor.SetValues({"40", "60", "999", "3000"});
    one.zone = {};
    EXPECT_EQ(one.editor.Activate(), ZoneFocus::keyFocusEdit);
    EXPECT_EQ(one.editor.TrackBarPosition(), 130);
    EXPECT_EQ(one.motionTimeEnabled, 1);
    // The pass sees the zone refreshed from the edits, size from the track bar.
    EXPECT_EQ(one.passes, 1);
    EXPECT_EQ(QPoint(one.zoneAtPass.left, one.zoneAtPass.top), QPoint(40, 60));
    EXPECT_EQ(one.zoneAtPass.size, 130);
    EXPECT_EQ(one.editor.ShortCopies().size, 130);

    // Camera 2 keeps its zone values on activation; without Target no pass.
    EditorRig two(2);
    two.record.Zone2Size = 20; // below the track bar's range: no change
    two.editor.SetValues({"40", "60", "80", ""});
    two.zone.left = 7;
    two.editor.Activate();
    EXPECT_EQ(two.zone.left, 7);
    EXPECT_EQ(two.editor.TrackBarPosition(), 50);
    EXPECT_EQ(two.record.Zone2Size, 20);
    EXPECT_EQ(two.passes, 0);

    two.editor.SetTarget(true);
    two.editor.Deactivate();
    EXPECT_FALSE(two.editor.Target());
    EXPECT_EQ(two.fullViews, 1);
    two.editor.KeyUp();
    EXPECT_EQ(two.motionTimeEnabled, 2);
}

TEST(ZoneEditor, EnterMovesTheFocusAndRefreshesOrPasses) {
    EditorRig one(1);
    one.editor.SizeEditChanged("90"); // no change handler on sizeEdit
    EXPECT_EQ(one.zone.size, 0);
    EXPECT_EQ(one.editor.Enter(ZoneEdit::sizeEdit), ZoneFocus::topEdit);
    EXPECT_EQ(one.editor.Enter(ZoneEdit::topEdit), ZoneFocus::leftEdit);
    EXPECT_EQ(one.zone.size, 90);
    EXPECT_EQ(one.editor.ShortCopies().size, 90);
    EXPECT_EQ(one.editor.Enter(ZoneEdit::leftEdit), ZoneFocus::topEdit);
    EXPECT_EQ(one.passes, 0);

    EditorRig two(2);
    EXPECT_EQ(two.editor.Enter(ZoneEdit::topEdit), ZoneFocus::leftEdit);
    EXPECT_EQ(two.editor.Enter(ZoneEdit::leftEdit), ZoneFocus::topEdit);
    EXPECT_EQ(two.editor.Enter(ZoneEdit::sizeEdit), ZoneFocus::topEdit);
    EXPECT_EQ(two.passes, 2);
}

} // namespace
