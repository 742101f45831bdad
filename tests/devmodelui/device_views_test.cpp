// The device views on the display, over the reference network's rows as its first discovery pass leaves
// them: the AP list with a row's context menu used to delete an AP, the column chooser moving a column,
// the device tree with a switch's and an AP's menu, and the map's AP menu; each checked in a picture.
#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <filesystem>

#include "DeviceViewsScript.h"
#include "controls/ReportCtrl.h"
#include "controls/ReportListView.h"
#include "db/ApListDBManager.h"
#include "devmodel/DevViewsFixture.h"
#include "devmodel/DeviceCommandIds.h"
#include "devmodel/ui/ApListHeadCustomDlg.h"
#include "devmodel/ui/ListViewHead.h"
#include "devmodel/ui/TopologyListView.h"
#include "devmodel/ui/TopologyTreeCtrl.h"
#include "devmodel/ui/TopologyTreeView.h"
#include "platform/Shutdown.h"

namespace {

using namespace device_ui_test;
using testing_support::CaptureWindow;
using testing_support::CountPixels;
using testing_support::PumpUntil;

// Pictures go beside the test program, not into the test's temporary folder, so they can be looked at.
const std::filesystem::path kStartFolder = std::filesystem::current_path();
void SaveCapture(const wxImage& image, const std::string& name) {
  std::filesystem::create_directories(kStartFolder / "screenshots");
  image.SaveFile(wxString::FromUTF8((kStartFolder / "screenshots" / (name + ".png")).string()), wxBITMAP_TYPE_PNG);
}

// The switch answers every port as forwarding: no second path in these rows, so nothing is read.
class NoPortStates : public IPortStateReader {
 public:
  bool ReadPortStates(const std::string&, const std::string&, const std::vector<int>&, std::vector<int>&) override {
    return false;
  }
};

class DeviceViewsTest : public DevViewsFixture {
 protected:
  void SetUp() override {
    DevViewsFixture::SetUp();
    Run("UPDATE device_list_prev SET IsPropertySave='1' WHERE type=2");
    ASSERT_TRUE(ApListDBManager().SaveDisplayedApPropertyNames({{"APSysIP", "IP"}, {"mac", "MAC"}, {"crvAPssid", "SSID"}}));
    frame_ = new wxFrame(nullptr, wxID_ANY, "device views", wxPoint(20, 20), wxSize(760, 360));
    frame_->SetSizer(new wxBoxSizer(wxVERTICAL));
  }
  void TearDown() override {
    frame_->Destroy();
    testing_support::PumpPending();
    platform::RunShutdown();
  }
  void Show(wxWindow* view) {
    frame_->GetSizer()->Add(view, 1, wxEXPAND);
    frame_->Show();
    frame_->Raise();
    ASSERT_TRUE(PumpUntil([&] { return view->IsShownOnScreen(); }));
    frame_->Layout();
    for (int i = 0; i < 10; ++i) testing_support::PumpPending();
  }
  // A3 gets its properties, so it can be saved.
  void ReadyAp3() {
    const auto items = net::ApItems(3);
    ASSERT_EQ(CPollingDb().insertAPProperty(items, items[items.size() - 2].value), 1);
    Run("UPDATE device_list SET IsPropertySave='1' WHERE mac=?", {net::kAp3});
  }
  std::string Where(const std::string& mac) {
    if (database_.Value("SELECT count(*) FROM device_list_prev WHERE mac=?", {mac}) == "1") return "managed";
    if (database_.Value("SELECT count(*) FROM device_list WHERE mac=?", {mac}) == "1") return "found";
    return "gone";
  }
  wxFrame* frame_ = nullptr;
};

class ListViewTest : public DeviceViewsTest {
 protected:
  void SetUp() override {
    DeviceViewsTest::SetUp();
    view_ = new CTopologyListView(frame_, {});
    Show(view_);
  }
  int RowOf(const std::string& mac) {
    for (int row = 0; row < view_->List()->GetItemCount(); ++row)
      if (view_->MacOfRow(row) == mac) return row;
    return -1;
  }
  wxPoint RowCentre(int row) {
    ReportListView* list = view_->List()->GetListView();
    wxRect rect;
    list->GetItemRect(row, rect);
    return list->ClientToScreen(wxPoint(rect.x + 60, rect.y + rect.height / 2));
  }
  std::vector<std::string> Headings() {
    std::vector<std::string> headings;
    for (int column = 0; column < view_->List()->GetColumnCount(); ++column)
      headings.push_back(view_->List()->GetColumnHeading(column));
    return headings;
  }
  CTopologyListView* view_ = nullptr;
};

TEST_F(ListViewTest, TheListShowsEveryApAndItsRowMenuDeletesTheSelectedOne) {
  ASSERT_EQ(view_->List()->GetItemCount(), 3);
  EXPECT_EQ(Headings(), (std::vector<std::string>{"Status", "IP", "MAC", "SSID"}));
  EXPECT_EQ(view_->List()->GetItemText(RowOf(net::kAp3), 0), "New");
  EXPECT_EQ(view_->List()->GetItemText(RowOf(net::kAp1), 1), "127.0.0.11");
  wxImage before = CaptureWindow(frame_);
  SaveCapture(before, "ap_list");
  EXPECT_GT(CountPixels(before, wxColour(255, 255, 0), 8), 200) << "the new AP's row is yellow";

  // A2 chosen with the mouse, then "Delete From Database" from its menu.
  ClickAt(RowCentre(RowOf(net::kAp2)));
  ASSERT_TRUE(PumpUntil([&] { return view_->List()->RowMatchesStates(RowOf(net::kAp2), listmodel::ROW_SELECTED); }));
  boxes_.ScriptAnswers({platform::IDOK});
  MenuChoice choice(4);
  RightClickAt(RowCentre(RowOf(net::kAp2)));
  ASSERT_TRUE(PumpUntil([&] { return Where(net::kAp2) == "gone"; })) << "menu used: " << choice.Fired();
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"Delete from database?"}));
  ASSERT_TRUE(PumpUntil([&] { return view_->List()->GetItemCount() == 2; }));
  EXPECT_EQ(RowOf(net::kAp2), -1);
  SaveCapture(CaptureWindow(frame_), "ap_list_after_delete");
}

TEST_F(ListViewTest, ARightClickSelectsTheRowUnderThePointerForItsMenu) {
  // Nothing selected: the menu's command acts on the row that was clicked.
  ASSERT_TRUE(view_->List()->FindNextRowWithStates(listmodel::ROW_SELECTED, -1) < 0);
  boxes_.ScriptAnswers({platform::IDOK});
  {
    MenuChoice choice(4);
    RightClickAt(RowCentre(RowOf(net::kAp2)));
    ASSERT_TRUE(PumpUntil([&] { return Where(net::kAp2) == "gone"; })) << "menu used: " << choice.Fired();
  }
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"Delete from database?"}));
  ASSERT_TRUE(PumpUntil([&] { return view_->List()->GetItemCount() == 2; }));

  // Another row selected: the clicked row alone becomes the selection.
  ClickAt(RowCentre(RowOf(net::kAp1)));
  ASSERT_TRUE(PumpUntil([&] { return view_->List()->RowMatchesStates(RowOf(net::kAp1), listmodel::ROW_SELECTED); }));
  {
    wxTimer escape;  // closes the menu without a command
    bool closed = false;
    escape.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
      wxUIActionSimulator().Char(WXK_ESCAPE);
      closed = true;
    });
    escape.StartOnce(700);
    RightClickAt(RowCentre(RowOf(net::kAp3)));
    ASSERT_TRUE(PumpUntil([&] { return closed; }));
  }
  const wxImage shown = CaptureWindow(frame_);
  EXPECT_TRUE(view_->List()->RowMatchesStates(RowOf(net::kAp3), listmodel::ROW_SELECTED));
  EXPECT_FALSE(view_->List()->RowMatchesStates(RowOf(net::kAp1), listmodel::ROW_SELECTED));
  EXPECT_EQ(Where(net::kAp1), "managed");
  SaveCapture(shown, "ap_list_right_click");
  ReportListView* list = view_->List()->GetListView();
  wxRect row;
  list->GetItemRect(RowOf(net::kAp3), row);
  const wxPoint corner = frame_->ScreenToClient(list->ClientToScreen(row.GetPosition()));
  // The selection colour, with or without the keyboard focus.
  const wxRect area(corner, wxSize(row.width / 2, row.height));
  const int marked = std::max(CountPixels(shown, wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT), 16, area),
                              CountPixels(shown, wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW), 16, area));
  EXPECT_GT(marked, row.width / 4) << "the clicked row shows as selected";
}

TEST_F(ListViewTest, ColumnsOpenAsWideAsTheirTextsAndKeepTheWidthTheUserDrags) {
  ReportListView* list = view_->List()->GetListView();
  constexpr int kMac = 2;
  ASSERT_EQ(Headings()[kMac], "MAC");
  const int macWidth = list->GetTextExtent(wxString::FromUTF8(net::kAp1)).x;
  EXPECT_GT(list->GetColumnWidth(kMac), macWidth) << "a whole MAC shows";
  wxImage shown = CaptureWindow(frame_);
  SaveCapture(shown, "ap_list_fitted_columns");
  // The MAC's last character stands clear of the next column: no dark text pixel in the cell's last 8 pixels.
  int left = 0;
  for (int column = 0; column < kMac; ++column) left += list->GetColumnWidth(column);
  wxRect row;
  list->GetItemRect(RowOf(net::kAp1), row);
  const wxPoint cell = frame_->ScreenToClient(list->RowsWindow()->ClientToScreen(wxPoint(left, row.y)));
  const wxRect text(cell.x + 2, cell.y + 2, macWidth, row.height - 4);
  const wxRect tail(cell.x + list->GetColumnWidth(kMac) - 8, cell.y + 2, 6, row.height - 4);
  EXPECT_GT(CountPixels(shown, *wxBLACK, 100, text), 20) << "the MAC is drawn";
  EXPECT_EQ(CountPixels(shown, *wxBLACK, 100, tail), 0) << "and not cut at the column's edge";

  // The user drags the MAC column's right edge 60 pixels to the right; a reload keeps that width.
  const int dragged = list->GetColumnWidth(kMac) + 60;
  wxWindow* header = view_->List()->GetHeaderCtrl();
  ASSERT_NE(header, nullptr);
  const wxPoint edge = header->ClientToScreen(wxPoint(left + list->GetColumnWidth(kMac) - 1, header->GetClientSize().y / 2));
  wxUIActionSimulator input;
  input.MouseMove(edge);
  testing_support::PumpPending();
  input.MouseDown();
  testing_support::PumpPending();
  for (int step = 1; step <= 6; ++step) {
    input.MouseMove(edge + wxPoint(10 * step, 0));
    testing_support::PumpPending();
  }
  input.MouseUp();
  ASSERT_TRUE(PumpUntil([&] { return std::abs(list->GetColumnWidth(kMac) - dragged) <= 2; }))
      << list->GetColumnWidth(kMac);
  for (int i = 0; i < 5; ++i) testing_support::PumpPending();
  const int userWidth = list->GetColumnWidth(kMac);
  const int ipWidth = list->GetColumnWidth(1);
  view_->RefreshView(true);
  testing_support::PumpPending();
  EXPECT_EQ(list->GetColumnWidth(kMac), userWidth);
  EXPECT_EQ(list->GetColumnWidth(1), ipWidth);
  SaveCapture(CaptureWindow(frame_), "ap_list_user_width_kept");
}

TEST_F(ListViewTest, TheColumnChooserMovesAColumnAndTheListFollows) {
  group_ui_test::ModalScript<CApListHeadCustomDlg> script([&](CApListHeadCustomDlg* dialog) {
    auto* chosen = static_cast<wxListBox*>(dialog->FindWindow(CApListHeadCustomDlg::kChosenList));
    ASSERT_EQ(chosen->GetCount(), 3u);
    ASSERT_TRUE(ClickListBoxRow(chosen, 2));  // SSID
    ASSERT_TRUE(PumpUntil([&] { return chosen->IsSelected(2) && !chosen->IsSelected(0); }));
    group_ui_test::Click(dialog->FindWindow(CApListHeadCustomDlg::kMoveUp));
    ASSERT_TRUE(PumpUntil([&] { return chosen->GetString(1) == "SSID"; }));
    SaveCapture(CaptureWindow(dialog), "column_chooser");
    group_ui_test::Click(dialog->FindWindow(wxID_OK));
  });
  wxCommandEvent custom(wxEVT_MENU, devcmd::kListCustomColumns);
  view_->GetEventHandler()->ProcessEvent(custom);
  EXPECT_TRUE(script.Ran());
  EXPECT_EQ(Headings(), (std::vector<std::string>{"Status", "IP", "SSID", "MAC"}));
  EXPECT_EQ(view_->List()->GetItemText(RowOf(net::kAp1), 2), "corvath");
  SaveCapture(CaptureWindow(frame_), "ap_list_columns_moved");
}

TEST_F(ListViewTest, TheHeaderBarFiltersTheListByAColumnValue) {
  HeaderBarServices services;
  services.listView = [&] { return view_; };
  auto* header = new CListViewHead(frame_, services);
  frame_->GetSizer()->Insert(0, header, 0, wxEXPAND);
  frame_->Layout();
  ASSERT_TRUE(PumpUntil([&] { return header->IsShownOnScreen(); }));
  EXPECT_FALSE(header->FindWindow(CListViewHead::kZoomIn)->IsShown()) << "list mode shows no map buttons";
  EXPECT_TRUE(header->FindWindow(CListViewHead::kCustomize)->IsShown());

  auto* type = static_cast<wxComboBox*>(header->FindWindow(CListViewHead::kFilterType));
  ASSERT_TRUE(type->SetStringSelection("Name"));
  wxCommandEvent chosenType(wxEVT_COMBOBOX, CListViewHead::kFilterType);
  header->GetEventHandler()->ProcessEvent(chosenType);
  auto* filter = static_cast<wxComboBox*>(header->FindWindow(CListViewHead::kFilter));
  ASSERT_EQ(filter->GetCount(), 4u) << "the empty entry and the names of the managed devices";
  filter->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return filter->HasFocus() || wxWindow::FindFocus() != header; }));
  wxUIActionSimulator().Text("AP_2");
  // The filter narrows the AP rows; the found AP without properties is listed as it is.
  ASSERT_TRUE(PumpUntil([&] { return view_->Model().Filter().text == "AP_2"; }));
  ASSERT_EQ(view_->List()->GetItemCount(), 2);
  EXPECT_EQ(RowOf(net::kAp1), -1);
  EXPECT_GE(RowOf(net::kAp2), 0);
  SaveCapture(CaptureWindow(frame_), "header_bar_filter");
}

TEST_F(ListViewTest, UpgradeWantsAFileAndAModelSharedByTheSelectedAps) {
  std::vector<std::string> upgraded;
  int kind = 0;
  HeaderBarServices services;
  services.firmwareApView = [&] { return view_; };
  services.startFirmwareUpgrade = [&](int deviceKind, const std::string&, const std::vector<std::string>& ips) {
    kind = deviceKind;
    upgraded = ips;
  };
  auto* header = new CListViewHead(frame_, services);
  header->SetViewBy(static_cast<int>(HeaderViewMode::ApFirmware));
  EXPECT_TRUE(header->FindWindow(CListViewHead::kUpgrade)->IsShown());
  EXPECT_FALSE(header->FindWindow(CListViewHead::kList)->IsShown());
  auto upgrade = [&] {
    wxCommandEvent click(wxEVT_BUTTON, CListViewHead::kUpgrade);
    header->GetEventHandler()->ProcessEvent(click);
  };
  upgrade();
  EXPECT_EQ(boxes_.Texts().back(), "Please select a firmware file!");
  static_cast<wxTextCtrl*>(header->FindWindow(CListViewHead::kFirmwareFile))->ChangeValue("/tmp/ap.bin");
  header->UpdateButtons();  // the form takes the typed path over
  upgrade();
  EXPECT_EQ(boxes_.Texts().back(), "Please select AP!");

  for (const std::string& mac : {net::kAp1, net::kAp2})
    view_->List()->ApplyRowStates(RowOf(mac), listmodel::ROW_SELECTED);
  Run("UPDATE ap_property SET enterpriseAPSysHWid='other' WHERE mac=?", {net::kAp2});
  upgrade();
  EXPECT_EQ(boxes_.Texts().back(), "have different model, cannot upgrade together!");
  EXPECT_TRUE(upgraded.empty());
  Run("UPDATE ap_property SET enterpriseAPSysHWid='QR7V-TOLNA           -00'");
  upgrade();
  EXPECT_EQ(kind, 2);
  EXPECT_EQ(upgraded, (std::vector<std::string>{"127.0.0.11", "127.0.0.12"}));
}

class TreeViewTest : public DeviceViewsTest {
 protected:
  void SetUp() override {
    DeviceViewsTest::SetUp();
    view_ = new CTopologyTreeView(frame_, {}, std::make_unique<NoPortStates>());
    Show(view_);
  }
  wxTreeItemId Item(const std::string& name) {
    CTopologyTreeCtrl* tree = view_->Tree();
    wxTreeItemIdValue cookie;
    const wxTreeItemId root = tree->GetFirstChild(tree->GetRootItem(), cookie);
    if (tree->GetItemText(root).Contains(name)) return root;
    for (wxTreeItemId item = tree->GetFirstChild(root, cookie); item.IsOk(); item = tree->GetNextChild(root, cookie))
      if (tree->GetItemText(item).Contains(wxString::FromUTF8(name))) return item;
    return {};
  }
  wxPoint ItemCentre(const wxTreeItemId& item) {
    wxRect rect;
    view_->Tree()->GetBoundingRect(item, rect, true);
    return view_->Tree()->ClientToScreen(wxPoint(rect.x + 20, rect.y + rect.height / 2));
  }
  CTopologyTreeView* view_ = nullptr;
};

TEST_F(TreeViewTest, TheTreeHangsTheApsOnTheirPortsAndAnApMenuSavesTheNewAp) {
  ReadyAp3();
  view_->ReloadTree();
  ASSERT_TRUE(Item("lab-switch").IsOk());
  EXPECT_EQ(view_->Tree()->GetItemText(Item("AP_3")), "(03,01)  AP_3 : (02:44:71:00:01:03) : 127.0.0.13");
  EXPECT_EQ(view_->Tree()->GetChildrenCount(Item("lab-switch"), false), 4u);
  wxImage before = CaptureWindow(frame_);
  SaveCapture(before, "device_tree");
  EXPECT_GT(CountPixels(before, wxColour(255, 255, 0), 8), 100) << "the found AP's line is yellow";

  boxes_.ScriptAnswers({platform::IDOK});
  MenuChoice choice(3);  // "Save To Database"
  RightClickAt(ItemCentre(Item("AP_3")));
  ASSERT_TRUE(PumpUntil([&] { return Where(net::kAp3) == "managed"; })) << "menu used: " << choice.Fired();
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"Save to database?"}));
  for (int i = 0; i < 10; ++i) testing_support::PumpPending();
  wxImage after = CaptureWindow(frame_);
  SaveCapture(after, "device_tree_after_save");
  EXPECT_LT(CountPixels(after, wxColour(255, 255, 0), 8), 100) << "saved: no longer new";
}

TEST_F(TreeViewTest, TheSwitchMenuCollapsesAndExpandsTheTree) {
  MenuChoice collapse(5);  // Configuration, Save, Delete, Expand, Collapse: the keys skip separators
  RightClickAt(ItemCentre(Item("lab-switch")));
  ASSERT_TRUE(PumpUntil([&] { return collapse.Fired() && !view_->Tree()->IsExpanded(Item("lab-switch")); }));
  SaveCapture(CaptureWindow(frame_), "device_tree_collapsed");
  wxCommandEvent expand(wxEVT_MENU, devcmd::kTreeExpand);
  view_->GetEventHandler()->ProcessEvent(expand);
  EXPECT_TRUE(view_->Tree()->IsExpanded(Item("lab-switch")));
}

}  // namespace
