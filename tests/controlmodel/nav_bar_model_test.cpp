// The navigation bar's layout, hit test, clicks, hover and width drag, without a window.
#include <gtest/gtest.h>

#include "controlmodel/NavBarModel.h"

namespace {

constexpr int kSummary = 32800;
constexpr int kDevices = 32801;
constexpr int kFolderA = 32900;
constexpr int kFolderB = 32901;
constexpr int kUtility = 32902;
constexpr int kLink = 32810;

// Three folders: "Views" (Summary and Devices buttons, a link), "Tools" (one button), and the utility folder.
class NavBarModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bar.AppendFolder("Views", 0, kFolderA, "first\\nsecond");
    bar.AppendGroup("", 0, -1);
    bar.AppendItem("Summary", 0, NAV_ITEM_BUTTON, kSummary, -1, -1, "");
    bar.AppendItem("Devices", 0, NAV_ITEM_BUTTON, kDevices, -1, -1, "");
    bar.AppendItem("Help", 0, NAV_ITEM_LINK, kLink, -1, -1, "");
    bar.AppendFolder("Tools", 0, kFolderB, "");
    bar.AppendGroup("", 0, -1);
    bar.AppendItem("Ping", 0, NAV_ITEM_BUTTON, 32820, -1, -1, "");
    bar.AppendFolder("Switch Discover Utility", 0, kUtility, "");
    bar.SetClientSize(200, 600);
    Lay();
  }
  void Lay() { bar.Layout({0, 0, 200, 600}, -100, -100); }
  // The middle of a rectangle, where a user clicks.
  static int MidX(const ControlRect& r) { return (r.left + r.right) / 2; }
  static int MidY(const ControlRect& r) { return (r.top + r.bottom) / 2; }

  CNavBarModel bar;
};

TEST_F(NavBarModelTest, FirstEntriesAddedAreCurrentAndSelected) {
  EXPECT_EQ(bar.CurrentFolder(), bar.FolderAt(0));
  EXPECT_EQ(bar.CurrentGroup(), bar.GroupAt(0, 0));
  EXPECT_EQ(bar.SelectedItem(), bar.ItemAt(0, 0, 0));
  EXPECT_EQ(bar.Width(), 200);
}

TEST_F(NavBarModelTest, LayoutStacksHeadersWithTheCurrentFoldersItemsBetweenThem) {
  // Top strip 2, working area shrunk by 3 at both sides, header left one further in.
  EXPECT_EQ(bar.FolderAt(0)->headerRect, (ControlRect{4, 2, 197, 28}));
  EXPECT_EQ(bar.ItemAt(0, 0, 0)->rect, (ControlRect{4, 29, 196, 55}));
  EXPECT_EQ(bar.ItemAt(0, 0, 1)->rect, (ControlRect{4, 55, 196, 81}));
  EXPECT_EQ(bar.FolderAt(1)->headerRect, (ControlRect{4, 107, 197, 133}));
  EXPECT_TRUE(bar.ItemAt(1, 0, 0)->rect.IsEmpty());  // only the current folder is opened
  EXPECT_EQ(bar.FreeArea().top, 161);
}

TEST_F(NavBarModelTest, HitTestFindsHeadersAndItemsThatThePaintPlaced) {
  struct Case { int x, y; NavHitCode code; int folder, item; };
  for (const Case& c : {Case{50, 10, NAV_HIT_FOLDER, 0, -1}, Case{50, 40, NAV_HIT_ITEM, 0, 0},
                        Case{50, 70, NAV_HIT_ITEM, 0, 1}, Case{50, 120, NAV_HIT_FOLDER, 1, -1},
                        Case{50, 500, NAV_HIT_NONE, -1, -1}, Case{1, 10, NAV_HIT_NONE, -1, -1}}) {
    NavHit hit = bar.HitTestBar(c.x, c.y);
    EXPECT_EQ(hit.code, c.code) << c.x << "," << c.y;
    EXPECT_EQ(hit.folder, c.folder) << c.x << "," << c.y;
    EXPECT_EQ(hit.item, c.item) << c.x << "," << c.y;
  }
}

TEST_F(NavBarModelTest, ItemsThatDoNotFitKeepEmptyRectanglesAndCannotBeHit) {
  bar.Layout({0, 0, 200, 90}, -1, -1);
  EXPECT_FALSE(bar.ItemAt(0, 0, 0)->rect.IsEmpty());
  EXPECT_TRUE(bar.ItemAt(0, 0, 2)->rect.IsEmpty());
  EXPECT_TRUE(bar.FolderAt(2)->headerRect.IsEmpty());
  EXPECT_EQ(bar.HitTestBar(50, 86).code, NAV_HIT_NONE);
}

TEST_F(NavBarModelTest, FolderClickSwitchesAndSendsItsCommandOnce) {
  NavClick click = bar.LeftButtonDown(MidX(bar.FolderAt(1)->headerRect), MidY(bar.FolderAt(1)->headerRect));
  EXPECT_EQ(click.command, kFolderB);
  EXPECT_EQ(bar.CurrentFolderIndex(), 1);
  EXPECT_EQ(bar.SelectedItem(), bar.ItemAt(1, 0, 0));
  Lay();
  click = bar.LeftButtonDown(MidX(bar.FolderAt(1)->headerRect), MidY(bar.FolderAt(1)->headerRect));
  EXPECT_FALSE(click.command);  // the open folder's header sends nothing
  EXPECT_FALSE(click.passOn);
}

TEST_F(NavBarModelTest, TheUtilityFolderSendsItsCommandOnEveryClick) {
  for (int round = 0; round < 2; ++round) {
    Lay();
    const ControlRect header = bar.FolderAt(2)->headerRect;
    EXPECT_EQ(bar.LeftButtonDown(MidX(header), MidY(header)).command, kUtility) << "click " << round;
  }
}

TEST_F(NavBarModelTest, SelectedButtonSendsAgainOnlyWhenNamedSummary) {
  const ControlRect summary = bar.ItemAt(0, 0, 0)->rect;
  const ControlRect devices = bar.ItemAt(0, 0, 1)->rect;
  EXPECT_EQ(bar.LeftButtonDown(MidX(summary), MidY(summary)).command, kSummary);  // selected, but "Summary"
  EXPECT_EQ(bar.LeftButtonDown(MidX(devices), MidY(devices)).command, kDevices);
  EXPECT_EQ(bar.SelectedItem(), bar.ItemAt(0, 0, 1));
  EXPECT_FALSE(bar.LeftButtonDown(MidX(devices), MidY(devices)).command);
  const ControlRect link = bar.ItemAt(0, 0, 2)->rect;
  EXPECT_EQ(bar.LeftButtonDown(MidX(link), MidY(link)).command, kLink);
  EXPECT_EQ(bar.LeftButtonDown(MidX(link), MidY(link)).command, kLink);  // links send on every click
}

TEST_F(NavBarModelTest, AButtonCheckedByItsUpdateHandlerSendsNothing) {
  bar.SetCommandUpdate([](CNavCmdUI& ui) { ui.SetCheck(ui.CommandId() == kDevices); });
  const ControlRect devices = bar.ItemAt(0, 0, 1)->rect;
  EXPECT_FALSE(bar.LeftButtonDown(MidX(devices), MidY(devices)).command);
  EXPECT_EQ(bar.SelectedItem(), bar.ItemAt(0, 0, 0));
}

TEST_F(NavBarModelTest, CommandUpdateFlagsAndRenaming) {
  CNavItem& item = *bar.ItemAt(0, 0, 1);
  bar.SetCommandUpdate([](CNavCmdUI& ui) {
    ui.Enable(false);
    ui.SetRadio(true);
    ui.SetCheck(0);
    ui.SetText("Renamed");
  });
  EXPECT_EQ(bar.RefreshItemFlags(item), kNavEnabled | kNavRadio);
  EXPECT_EQ(item.name, "Renamed");
  EXPECT_FALSE(item.IsChecked());
  bar.SetCommandUpdate([](CNavCmdUI& ui) { ui.SetCheck(ui.CommandId() == kDevices); });
  // Devices was painted enabled as a radio and is now checked; Summary's empty flags did not change.
  EXPECT_EQ(bar.ItemsWithChangedState(), std::vector<CNavItem*>{&item});
}

TEST_F(NavBarModelTest, DraggingTheEdgeSetsTheWidthButNeverBelowFour) {
  NavClick click = bar.LeftButtonDown(198, 300);
  EXPECT_TRUE(click.startDrag);
  EXPECT_TRUE(bar.DragTo(150));
  EXPECT_EQ(bar.DragStrip(), (ControlRect{147, 0, 152, 600}));
  EXPECT_FALSE(bar.DragTo(150));
  EXPECT_TRUE(bar.EndDrag(148));
  EXPECT_EQ(bar.Width(), 150);
  EXPECT_FALSE(bar.IsDragging());

  bar.LeftButtonDown(198, 300);
  bar.EndDrag(-40);
  EXPECT_EQ(bar.Width(), 4);
  EXPECT_TRUE(bar.IsCollapsed());
  EXPECT_TRUE(bar.Layout({0, 0, 4, 600}, 0, 0).collapsed);
  EXPECT_EQ(bar.HitTestBar(2, 10).code, NAV_HIT_NONE);
  EXPECT_TRUE(bar.LeftButtonDown(1, 10).startDrag);  // anywhere on a collapsed bar
}

TEST_F(NavBarModelTest, HoverShowsAFolderTipOnceWithLineBreaks) {
  NavHover hover = bar.MouseMove(50, 10);
  ASSERT_TRUE(hover.tip);
  EXPECT_EQ(*hover.tip, "first\nsecond");
  EXPECT_FALSE(bar.MouseMove(60, 12).tip);  // still the same folder
  bar.MouseMove(50, 40);
  EXPECT_EQ(bar.HoveredItem(), bar.ItemAt(0, 0, 0));
  bar.MouseMove(50, 500);
  EXPECT_EQ(bar.HoveredFolder(), -1);
  EXPECT_EQ(bar.HoveredItem(), nullptr);
  EXPECT_TRUE(bar.MouseMove(50, 10).tip);  // newly hovered again
}

TEST(NavBarWindowItemsTest, FillItemTakesTheRestAndTheBottomFillWindowIs120High) {
  CNavBarModel bar;
  int hosted = 0;
  int counter = 0;
  bar.AppendFolder("Views", 0, 1, "");
  bar.AppendGroup("", 0, 0);
  bar.AppendItem("Summary", 0, NAV_ITEM_BUTTON, 2, 0, 0, "");
  bar.AppendWindowItem(&hosted, kNavFillHeight, 0, 0, "");
  bar.PinBottomFolder("Events", 0, &counter, kNavFillHeight);
  NavLayout layout = bar.Layout({0, 0, 200, 600}, -1, -1);

  const CNavItem& bottomWindow = *bar.BottomFolder()->groups[0]->items[0];
  EXPECT_EQ(bottomWindow.rect, (ControlRect{4, 480, 196, 600}));
  EXPECT_EQ(bar.BottomFolder()->headerRect, (ControlRect{4, 454, 197, 480}));
  EXPECT_EQ(bar.HitTestBar(50, 460).code, NAV_HIT_BOTTOM);
  const CNavItem& fill = *bar.ItemAt(0, 0, 1);
  EXPECT_EQ(fill.rect, (ControlRect{4, 55, 196, 453}));
  EXPECT_EQ(bar.FolderWindows(), std::vector<void*>{&hosted});
  int windows = 0;
  for (const NavPaintStep& step : layout.steps) windows += step.kind == NavPaintStep::kWindow;
  EXPECT_EQ(windows, 2);
}

TEST(NavBarTipTextTest, BackslashNBecomesALineBreak) {
  EXPECT_EQ(CNavBarModel::TipText("a\\nb\\n"), "a\nb\n");
  EXPECT_EQ(CNavBarModel::TipText("c:\\x\\"), "c:\\x\\");
}

}  // namespace
