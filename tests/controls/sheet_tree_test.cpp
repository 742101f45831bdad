// The tree property sheet as a user meets it: pages chosen in the tree, a parent node showing the empty-page
// text, Ctrl+Tab walking the nodes, and a page that refuses to be left keeping its node.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include "controls/TreePropSheet.h"
#include "support/ui/WxTestEnvironment.h"

using testing_support::CountPixels;
using testing_support::PumpPending;
using testing_support::PumpUntil;
using testing_support::SaveCapture;

namespace {

// A page that says its name and may refuse to be left.
class NamedPage : public CTreePropPage {
 public:
  NamedPage(wxWindow* sheet, const std::string& caption) : CTreePropPage(sheet, caption) {
    SetBackgroundColour(wxColour(255, 255, 220));
    new wxStaticText(this, wxID_ANY, wxString::FromUTF8(caption), wxPoint(10, 10));
  }
  bool OnKillActive() override { return allowLeave; }
  bool allowLeave = true;
};

class TreePropSheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    main = new wxFrame(nullptr, wxID_ANY, "main", wxPoint(0, 0), wxSize(800, 600));
    wxTheApp->SetTopWindow(main);
    main->Show();
    sheet = new CTreePropSheet("Preferences", main);
    for (const char* caption : {"General", "Network::Polling", "Network::Traps"})
      pages.push_back(new NamedPage(sheet, caption));
    for (NamedPage* page : pages) sheet->AddPage(page);
    sheet->SetEmptyPageText("Please select a child item of '%s'.");
    ASSERT_TRUE(sheet->SetTreeViewMode(true, true, true));
    sheet->Show();  // without its own loop, so the test can click into it
    ASSERT_TRUE(PumpUntil([&] { return sheet->IsShownOnScreen() && sheet->PageTreeControl(); }));
  }
  void TearDown() override {
    sheet->Destroy();
    main->Destroy();
    PumpPending();
  }
  wxTreeItemId Item(const std::string& text) const {
    wxTreeCtrl* tree = sheet->PageTreeControl();
    std::vector<wxTreeItemId> pending{tree->GetRootItem()};
    while (!pending.empty()) {
      const wxTreeItemId at = pending.back();
      pending.pop_back();
      if (at != tree->GetRootItem() && tree->GetItemText(at) == wxString::FromUTF8(text)) return at;
      wxTreeItemIdValue cookie;
      for (wxTreeItemId child = tree->GetFirstChild(at, cookie); child.IsOk(); child = tree->GetNextChild(at, cookie))
        pending.push_back(child);
    }
    return {};
  }
  void ClickNode(const std::string& text) {
    wxTreeCtrl* tree = sheet->PageTreeControl();
    wxRect box;
    ASSERT_TRUE(tree->GetBoundingRect(Item(text), box, true)) << text;
    wxUIActionSimulator input;
    input.MouseMove(tree->ClientToScreen(wxPoint(box.x + box.width / 2, box.y + box.height / 2)));
    PumpPending();
    input.MouseClick();
    for (int round = 0; round < 10; ++round) PumpPending();
  }
  std::string SelectedText() const {
    return sheet->PageTreeControl()->GetItemText(sheet->PageTreeControl()->GetSelection()).utf8_string();
  }
  void PressCtrlTab(bool shift) {
    wxUIActionSimulator input;
    input.Char(WXK_TAB, shift ? wxMOD_CONTROL | wxMOD_SHIFT : wxMOD_CONTROL);
    for (int round = 0; round < 10; ++round) PumpPending();
  }

  wxFrame* main = nullptr;
  CTreePropSheet* sheet = nullptr;
  std::vector<NamedPage*> pages;
};

TEST_F(TreePropSheetTest, ChoosingAPageShowsItAndAParentShowsTheEmptyPageText) {
  EXPECT_EQ(sheet->PageTreeControl()->GetId(), 0x7EEE);
  EXPECT_EQ(sheet->PageTreeControl()->GetName(), "PageTree");
  EXPECT_EQ(SelectedText(), "General");
  EXPECT_TRUE(pages[0]->IsShown());

  ClickNode("Traps");
  EXPECT_EQ(sheet->GetActiveIndex(), 2);
  EXPECT_TRUE(pages[2]->IsShown());
  EXPECT_FALSE(pages[0]->IsShown());
  EXPECT_EQ(sheet->PageFrame()->Heading(), "Traps");

  ClickNode("Network");
  EXPECT_EQ(SelectedText(), "Network");
  EXPECT_FALSE(pages[2]->IsShown());
  EXPECT_EQ(sheet->GetActiveIndex(), 2);  // hidden, still the active page
  EXPECT_EQ(sheet->PageFrame()->NoPageMessage(), "Please select a child item of 'Network'.");
  EXPECT_EQ(sheet->PageFrame()->Heading(), "Network");

  wxWindow* frame = sheet->PageFrame()->FrameWindow();
  const wxImage shot = testing_support::CaptureWindow(sheet);
  SaveCapture(shot, "tree_property_sheet");
  const wxRect message = frame->GetRect();
  const wxRect middle(message.x, message.y + message.height / 2 - 10, message.width, 20);
  EXPECT_GT(CountPixels(shot, *wxBLACK, 100, middle), 40) << "the empty-page text is written";
  const wxRect strip(message.x, message.y, message.width, sheet->PageFrame()->CaptionStripHeight());
  const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
  EXPECT_LT(CountPixels(shot, face, 3, wxRect(strip.x, strip.y + 2, 10, 4)), 40) << "the strip starts shaded";
  EXPECT_EQ(CountPixels(shot, wxColour(255, 255, 220), 0, message), 0) << "no page shows";
}

TEST_F(TreePropSheetTest, CtrlTabWalksEveryNodeAndWrapsRound) {
  const std::vector<std::string> order{"General", "Network", "Polling", "Traps"};
  for (size_t i = 1; i <= order.size(); ++i) {
    PressCtrlTab(false);
    EXPECT_EQ(SelectedText(), order[i % order.size()]);
  }
  PressCtrlTab(true);
  EXPECT_EQ(SelectedText(), "Traps");  // back from the first node to the deepest last one
  EXPECT_TRUE(pages[2]->IsShown());
}

TEST_F(TreePropSheetTest, APageThatRefusesToBeLeftKeepsItsNode) {
  pages[0]->allowLeave = false;
  ClickNode("Polling");
  EXPECT_EQ(SelectedText(), "General");
  EXPECT_TRUE(pages[0]->IsShown());
  pages[0]->allowLeave = true;
  ClickNode("Polling");
  EXPECT_EQ(SelectedText(), "Polling");
  EXPECT_TRUE(pages[1]->IsShown());
  EXPECT_TRUE(sheet->SetActivePage(0));
  EXPECT_EQ(SelectedText(), "General");
}

TEST(TreePropSheetModesTest, OutsideTreeModeCtrlTabCyclesThePages) {
  auto* sheet = new CTreePropSheet("Preferences");
  std::vector<CTreePropPage*> pages;
  for (const char* caption : {"One", "Two"}) {
    pages.push_back(new CTreePropPage(sheet, caption));
    sheet->AddPage(pages.back());
  }
  sheet->SetTreeViewMode(false);
  sheet->Show();
  ASSERT_TRUE(PumpUntil([&] { return pages[0]->IsShown(); }));
  EXPECT_EQ(sheet->PageTreeControl(), nullptr);
  sheet->SelectPreviousNode();
  EXPECT_EQ(sheet->GetActiveIndex(), 1);
  sheet->SelectNextNode();
  EXPECT_EQ(sheet->GetActiveIndex(), 0);
  sheet->Destroy();
  PumpPending();
}

}  // namespace
