// The navigation bar as a user meets it: clicks on folder headers and items send their commands to the main
// window, the right edge is dragged to a new width that the next bar starts with, and the paint shows the
// headers, the open folder's items and the selection.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>

#include <vector>

#include "controls/Outlook2Ctrl.h"
#include "platform/IniStore.h"
#include "support/ui/WxTestEnvironment.h"
#include "uibase/CommandIds.h"

using testing_support::CountPixels;
using testing_support::PumpPending;
using testing_support::PumpUntil;
using testing_support::SaveCapture;

namespace {

constexpr int kViewsFolder = 32900;
constexpr int kToolsFolder = 32901;
constexpr int kSummary = 32800;
constexpr int kDevices = 32801;
constexpr int kPing = 32820;

// A main window with the bar on its left, recording the commands it receives.
class NavBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new wxFrame(nullptr, wxID_ANY, "main", wxPoint(20, 20), wxSize(500, 400));
    wxTheApp->SetTopWindow(frame);
    frame->Bind(wxEVT_MENU, [this](wxCommandEvent& e) { commands.push_back(e.GetId()); });
    MakeBar();
    frame->Show();
    ASSERT_TRUE(PumpUntil([this] { return !bar->FolderAt(1)->headerRect.IsEmpty(); }));  // painted
  }
  void TearDown() override {
    frame->Destroy();
    PumpPending();
  }
  void MakeBar() {
    bar = new COutlook2Ctrl;
    ASSERT_TRUE(bar->CreateNavigationBar(frame, 100));
    bar->AppendFolder("Views", 1, kViewsFolder, "Device views\\nand summary");
    bar->AppendGroup("", 0);
    bar->AppendItem("Summary", 2, NAV_ITEM_BUTTON, kSummary);
    bar->AppendItem("Devices", 2, NAV_ITEM_BUTTON, kDevices);
    bar->AppendFolder("Tools", 1, kToolsFolder);
    bar->AppendGroup("", 0);
    bar->AppendItem("Ping", 2, NAV_ITEM_RADIO, kPing);
    wxImage icon(20, 20);
    icon.SetRGB(wxRect(0, 0, 20, 20), 250, 0, 250);
    bar->SetIcon(2, wxBitmap(icon));
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(bar, 0, wxEXPAND);
    sizer->Add(new wxPanel(frame), 1, wxEXPAND);
    frame->SetSizer(sizer);
    frame->Layout();
    bar->Update();
    PumpPending();
  }
  // Clicks the middle of a rectangle of the bar.
  void Click(const ControlRect& r) {
    wxUIActionSimulator input;
    input.MouseMove(bar->ClientToScreen(wxPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2)));
    PumpPending();
    input.MouseClick();
  }
  bool WaitForCommands(size_t count) {
    return PumpUntil([&] { return commands.size() >= count; });
  }

  wxFrame* frame = nullptr;
  COutlook2Ctrl* bar = nullptr;
  std::vector<int> commands;
};

TEST_F(NavBarTest, OpeningAFolderAndChoosingAnItemSendTheirCommands) {
  Click(bar->FolderAt(1)->headerRect);
  ASSERT_TRUE(WaitForCommands(1));
  EXPECT_EQ(commands[0], cmd::WxId(kToolsFolder));
  EXPECT_EQ(bar->Model().CurrentFolderIndex(), 1);
  ASSERT_TRUE(PumpUntil([&] { return !bar->ItemAt(1, 0, 0)->rect.IsEmpty(); }));  // the open folder is painted

  Click(bar->FolderAt(0)->headerRect);
  ASSERT_TRUE(WaitForCommands(2));
  ASSERT_TRUE(PumpUntil([&] { return !bar->ItemAt(0, 0, 1)->rect.IsEmpty(); }));
  Click(bar->ItemAt(0, 0, 1)->rect);
  ASSERT_TRUE(WaitForCommands(3));
  EXPECT_EQ(commands[2], cmd::WxId(kDevices));
  EXPECT_EQ(bar->Model().SelectedItem(), bar->ItemAt(0, 0, 1));

  Click(bar->ItemAt(0, 0, 1)->rect);  // the selected item again: nothing
  Click(bar->FolderAt(0)->headerRect);  // the open folder again: nothing
  for (int round = 0; round < 20; ++round) PumpPending();
  EXPECT_EQ(commands.size(), 3u);
}

TEST_F(NavBarTest, ACheckedItemFromTheOwnersUpdateHandlerSendsNothing) {
  frame->Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& e) { e.Check(true); }, cmd::WxId(kDevices));
  Click(bar->ItemAt(0, 0, 1)->rect);
  for (int round = 0; round < 20; ++round) PumpPending();
  EXPECT_TRUE(commands.empty());
  EXPECT_EQ(bar->Model().SelectedItem(), bar->ItemAt(0, 0, 0));
}

TEST_F(NavBarTest, DraggedWidthIsWhatTheNextBarStartsWith) {
  EXPECT_EQ(bar->GetSize().x, 200);  // nothing kept yet
  wxUIActionSimulator input;
  input.MouseMove(bar->ClientToScreen(wxPoint(197, 200)));
  PumpPending();
  input.MouseDown();
  PumpPending();
  for (int x = 190; x >= 150; x -= 10) {
    input.MouseMove(bar->ClientToScreen(wxPoint(x, 200)));
    PumpPending();
  }
  input.MouseMove(bar->GetScreenPosition() + wxPoint(150, 200));
  PumpPending();
  input.MouseUp();
  ASSERT_TRUE(PumpUntil([&] { return !bar->Model().IsDragging(); }));
  EXPECT_EQ(bar->Model().Width(), 153);  // grabbed 3 pixels left of the edge
  EXPECT_EQ(bar->GetSize().x, 153);

  bar->Destroy();
  PumpPending();
  EXPECT_EQ(platform::CIniStore().GetInt("Settings", "OutbarSize"), 153);
  MakeBar();
  EXPECT_EQ(bar->Model().Width(), 153);
  EXPECT_EQ(bar->CalcFixedLayout(), wxSize(153, 32767));
  bar->Destroy();
  PumpPending();
  platform::CIniStore store;  // leave the next tests the default width
  store.SetInt("Settings", "OutbarSize", 200);
  store.Save();
}

TEST_F(NavBarTest, PaintShowsFramedHeadersIconsAndTheOpenFoldersButtons) {
  const wxImage shot = testing_support::CaptureWindow(bar);
  SaveCapture(shot, "nav_bar");
  const ControlRect header = bar->FolderAt(0)->headerRect;
  const ControlRect button = bar->ItemAt(0, 0, 0)->rect;
  const wxRect below(0, bar->Model().FreeArea().top + 2, bar->GetClientSize().x, 50);
  // The background colour fills what lies below the last header.
  EXPECT_GT(CountPixels(shot, wxColour(203, 217, 226), 2, below), below.width * below.height * 9 / 10);
  // Headers and buttons are framed in the frame colour and show their icons.
  EXPECT_GT(CountPixels(shot, wxColour(0, 126, 174), 2, wxRect(0, header.top, shot.GetWidth(), 30)), 150);
  EXPECT_GT(CountPixels(shot, wxColour(250, 0, 250), 8, wxRect(0, button.top, shot.GetWidth(), 28)), 300);
  // The open folder's name and the selected button's name are written in the selection colour.
  EXPECT_GT(CountPixels(shot, wxColour(0, 82, 136), 40, wxRect(20, header.top, 150, 26)), 10);
  EXPECT_GT(CountPixels(shot, wxColour(0, 82, 136), 40, wxRect(50, button.top, 140, 26)), 10);
  // The button's gradient reaches its darker end at the bottom.
  EXPECT_GT(CountPixels(shot, wxColour(121, 158, 195), 12, wxRect(30, button.bottom - 3, 160, 3)), 50);
}

TEST_F(NavBarTest, WindowItemsShowOnlyWhileTheirFolderIsOpenAndTheSlideOpensIt) {
  auto* hosted = new wxPanel(bar, wxID_ANY, wxDefaultPosition, wxSize(100, 60));
  bar->AppendWindowItem(hosted, false, 1, 0);
  auto* counter = new wxPanel(bar, wxID_ANY, wxDefaultPosition, wxSize(100, 40));
  bar->PinBottomFolder("Events", 0, counter, true);
  bar->Refresh();
  ASSERT_TRUE(PumpUntil([&] { return counter->IsShown() && !bar->Model().BottomFolder()->headerRect.IsEmpty(); }));
  EXPECT_EQ(counter->GetSize().y, CNavBarModel::kBottomFillHeight);
  EXPECT_EQ(counter->GetRect().GetBottom() + 1, bar->GetClientSize().y);

  bar->SwitchToFolder(1, true);
  EXPECT_EQ(bar->Model().CurrentFolderIndex(), 1);
  ASSERT_TRUE(PumpUntil([&] { return hosted->IsShown() && !bar->ItemAt(1, 0, 1)->rect.IsEmpty(); }));
  EXPECT_EQ(hosted->GetRect().y, bar->ItemAt(1, 0, 1)->rect.top);
  EXPECT_EQ(hosted->GetSize().y, 60);

  Click(bar->FolderAt(0)->headerRect);
  ASSERT_TRUE(WaitForCommands(1));
  EXPECT_FALSE(hosted->IsShown());
  EXPECT_TRUE(counter->IsShown());  // the bottom folder's window stays
}

}  // namespace
