// The driver set-up page: the camera rows and the page bound to the registry.
#include "CaptureTestKit.h"

#include "capture/CameraChoiceWidgets.h"
#include "capture/DriverAliasRegistry.h"
#include "capture/DriverListDelegates.h"
#include "capture/DriverSetupHandlers.h"
#include "capture/DriverSetupPage.h"
#include "core/SettingsStore.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>

namespace {

// Paints one row of a one-column list through the delegate.
void PaintRow(const QStyledItemDelegate& delegate, const QString& text, int row = 0, bool selected = false) {
    QStandardItemModel model(row + 1, 1);
    model.setData(model.index(row, 0), text);
    QImage image(200, 20, QImage::Format_RGB32);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    if (selected)
        option.state |= QStyle::State_Selected;
    delegate.paint(&painter, option, model.index(row, 0));
}

} // namespace

// Names are looked up only while the device queries run (a set-up screen suspends them).
TEST(DriverListPainting, CameraRowsAskForAliasesOnlyWhileQueriesRun) {
    CameraAliasDelegate delegate;
    QStringList asked;
    delegate.Alias = [&](const QString& name) {
        asked << name;
        return QString("Alias of ") + name;
    };
    bool suspended = true;
    delegate.Suspended = [&] { return suspended; };
    delegate.ActiveRow = [] { return 1; };
    PaintRow(delegate, "Cam A");
    EXPECT_TRUE(asked.isEmpty());
    suspended = false;
    PaintRow(delegate, "Cam B", 1, true);
    EXPECT_EQ(asked, QStringList{"Cam B"});
}

namespace {

class DriverSetupPageWindow : public capture_test::CameraTest {
protected:
    DriverSetupPageWindow() {
        store.SetDefaultSettings();
        choices.SetCameraLists(&cam1List, &cam2List);
    }
    TestSupport::TempProgramFolder folder;
    SettingsStore store{platform::ProgramFolder(folder.path()), folder.file("torvek"),
                        folder.file("Desktop")};
    CameraChoiceWidgets choices;
    QComboBox cam1List, cam2List;
    DriverAliasRegistry registry{platform::ProgramFolder(folder.path()), store, choices};
};

} // namespace

TEST_F(DriverSetupPageWindow, BindsToTheRegistry) {
    DriverSetupHandlers handlers(registry, store);
    DriverSetupPage page(registry, handlers, choices);
    choices.FillLists({"Cam A", "Cam B"});
    cam1List.setCurrentIndex(0);
    cam2List.setCurrentIndex(1);
    registry.LoadDriverList();
    registry.RefreshDriverStatus();
    ASSERT_EQ(page.driverStatusList->count(), 2);
    EXPECT_EQ(page.driverStatusList->item(1)->text(), "Cam BZXZXZXCam 2WEWEWEConnected");
    EXPECT_EQ(page.driverStatusList->currentRow(), 0);
    EXPECT_EQ(page.DefaultCam2->currentIndex(), 1);
    EXPECT_EQ(page.Location2->text(), "Cam 2");
    page.driverStatusList->setCurrentRow(1);
    EXPECT_EQ(registry.SelectedRow(), 1);

    // The user picks device 0 for camera 2 too: its alias shows, and typing mirrors.
    page.DefaultCam2->setCurrentIndex(0);
    emit page.DefaultCam2->activated(0);
    EXPECT_EQ(page.Location2->text(), "Cam 1");
    page.show();
    QApplication::setActiveWindow(&page);
    page.Location1->setFocus();
    ASSERT_TRUE(TestSupport::WaitFor([&] { return page.Location1->hasFocus(); }));
    page.Location1->selectAll();
    QTest::keyClicks(page.Location1, "Porch");
    EXPECT_EQ(page.Location2->text(), "Porch");

    QTest::mouseClick(page.saveLocationsButton, Qt::LeftButton);
    EXPECT_EQ(registry.GetDriverAlias("Cam A"), "Porch");
    EXPECT_EQ(store.Record().Cam1Name, "Porch");
    EXPECT_EQ(store.Record().Cam2Name, "Cam 2"); // camera 2 still runs device 1
    EXPECT_EQ(page.driverStatusList->item(0)->text(), "Cam AZXZXZXPorchWEWEWEConnected");
}

// At the first show the alias file is loaded before the camera lists are filled: a fresh
// station must still give each camera its "Cam n" alias.
TEST_F(DriverSetupPageWindow, FreshStationGetsAliasesBeforeTheListsAreFilled) {
    platform::InstallTestCameras(platform::DefaultTestCameras(2));
    ClearDeviceLists();
    registry.LoadDriverList();
    registry.RefreshDriverStatus();
    ASSERT_EQ(registry.Rows().size(), 2);
    EXPECT_EQ(registry.GetDriverAlias("TORVEK Test Camera 1"), "Cam 1");
    EXPECT_EQ(registry.GetDriverAlias("TORVEK Test Camera 2"), "Cam 2");
    EXPECT_EQ(QFileInfo(registry.FilePath()).size(), 2 * 312);
}
