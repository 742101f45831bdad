// The utilisation panes and the client list as a user meets them, over three client-monitor rounds on the
// simulated reference network (02:00, 08:00 and 14:00 of one day, looked at at 20:00): the group pane
// draws a line per AP of the load-balance group, the AP pane the chosen AP's users and traffic, and the
// client list the latest round's clients, filtered on request.
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/uiaction.h>

#include <mutex>
#include <string>

#include "chartcore/ChartGeometry.h"
#include "charts/ChartWindow.h"
#include "db/DatabaseCleared.h"
#include "engine/ClientMonitorThread.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/LocalTime.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"
#include "support/ui/WxTestEnvironment.h"
#include "usage/ui/ClientView.h"
#include "usage/ui/UtilizationBalanceView.h"
#include "usage/ui/UtilizationUserPlotView.h"

namespace {

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;
using testing_support::PinLocalTime;
using testing_support::PumpPending;
using testing_support::PumpUntil;

class UsageViewsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_bDatabaseCleared = false;
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.nSnmpTimeout = 30;
    }
    {
      std::lock_guard lock(g_csClients);
      g_bClientsRecorded = false;
    }
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
    // The load-balance group "lab" of the three APs.
    ASSERT_TRUE(
        database_.Exec("INSERT INTO user_def_group_main_template (group_template_index, loadbalance_group) "
                       "VALUES (1, 1)"));
    ASSERT_TRUE(database_.Exec("INSERT INTO user_def_group (group_name, group_template_index) VALUES ('lab', 1)"));
    for (const std::string& mac : {net::kAp1, net::kAp2, net::kAp3})
      ASSERT_TRUE(database_.Exec(
          "INSERT INTO user_def_group (group_name, group_template_index, group_device_mac) VALUES ('lab', 1, ?)",
          {mac}));
    {
      CClientMonitorThread monitor;
      for (int hour : {2, 8, 14}) {
        // A1 has 2 users and has moved 3000 bytes, at the last round 3 users and 4100 bytes.
        if (hour == 14) simulator_.NextFrame(DevSimReference::kAp1);
        PinLocalTime(2026, 3, 3, hour, 0);
        ASSERT_TRUE(monitor.MonitorAps());
        monitor.RecordChanges();
      }
      PinLocalTime(2026, 3, 3, 20, 0);
    }
    frame_ = new wxFrame(nullptr, wxID_ANY, "usage", wxPoint(20, 20), wxSize(1000, 600));
  }
  void TearDown() override {
    frame_->Destroy();
    PumpPending();
    platform::RunShutdown();
    platform::UnpinClock();
  }

  void Click(wxWindow* window) {
    wxUIActionSimulator input;
    const wxRect area = window->GetScreenRect();
    input.MouseMove(area.GetPosition() + wxPoint(std::min(area.width / 2, 8), area.height / 2));
    PumpPending();
    input.MouseClick();
    for (int round = 0; round < 10; ++round) PumpPending();
  }
  // Pixels of a chart line's colour (antialiasing allowed for) on the screen inside the chart window.
  int LinePixels(CChartWindow& chart, ChartColor colour, const std::string& name) {
    chart.Update();
    const wxImage shot = testing_support::CaptureWindow(&chart);
    testing_support::SaveCapture(shot, name);
    return testing_support::CountPixels(shot, wxColour(ChartRed(colour), ChartGreen(colour), ChartBlue(colour)), 60);
  }

  testing_support::DevSimProcess simulator_;
  testing_support::MessageRecorder mainWindow_;
  testing_support::MessageBoxRecorder boxes_;
  testing_support::TempDatabase database_;
  wxFrame* frame_ = nullptr;
};

TEST_F(UsageViewsTest, GroupPaneDrawsALinePerApOfTheGroupForTheDay) {
  auto* view = new CUtilizationBalanceView(frame_, nullptr);
  frame_->Show();
  view->OnInitialUpdate();
  PumpUntil([&] { return view->ChartWindow().IsShownOnScreen(); });

  EXPECT_EQ(view->Toolbar().Range(), "2026-03-03 00:00:00 ~ 2026-03-04 00:00:00");
  EXPECT_EQ(view->Toolbar().Buttons(), (NavButtonStates{true, true, false, false}));
  EXPECT_EQ(view->Chart().GetTitle(), "lab 's Users Graph");
  ASSERT_EQ(view->Chart().GetDataCount(), 3);
  EXPECT_EQ(view->Chart().GetDataTitleAt(0), "AP: AP_1:(" + net::kAp1 + "):127.0.0.11 ");
  EXPECT_GT(LinePixels(view->ChartWindow(), 0xFF0000, "usage_group_day"), 100) << "A1's line, blue";
  EXPECT_GT(LinePixels(view->ChartWindow(), 0x00FF00, "usage_group_day"), 100) << "A2's line, green";

  // Back one day, before the oldest round: the axes alone; the filter radio then repeats Prev by the hour.
  Click(view->FindWindow(CUtilizationBalanceView::kPrevId));
  EXPECT_EQ(view->Toolbar().Range(), "2026-03-02 00:00:00 ~ 2026-03-03 00:00:00");
  EXPECT_EQ(view->Chart().GetDataCount(), 0);
  EXPECT_EQ(view->Toolbar().Buttons(), (NavButtonStates{false, false, true, true})) << "before the oldest round";
  Click(view->FindWindow(CUtilizationBalanceView::kHourId));
  EXPECT_EQ(g_nBalanceFilterId, CUtilizationBalanceView::kHourId);
  EXPECT_EQ(view->Toolbar().Range(), "2026-03-01 23:00:00 ~ 2026-03-02 00:00:00");
  EXPECT_TRUE(boxes_.Texts().empty());

  // Today again; a click on A2 in the tree charts A2 alone, titled after its line.
  Click(view->FindWindow(CUtilizationBalanceView::kDayId));
  Click(view->FindWindow(CUtilizationBalanceView::kLastId));
  EXPECT_EQ(view->Toolbar().Range(), "2026-03-03 00:00:00 ~ 2026-03-04 00:00:00");
  wxTreeCtrl& tree = view->Tree();
  wxTreeItemIdValue cookie;
  const wxTreeItemId group = tree.GetFirstChild(tree.GetRootItem(), cookie);
  wxTreeItemId a2 = tree.GetFirstChild(group, cookie);
  a2 = tree.GetNextChild(group, cookie);
  wxRect label;
  ASSERT_TRUE(tree.GetBoundingRect(a2, label, true));
  wxUIActionSimulator input;
  input.MouseMove(tree.ClientToScreen(label.GetPosition() + wxPoint(10, label.height / 2)));
  PumpPending();
  input.MouseClick();
  PumpUntil([&] { return view->SelectionText() == "AP_2 : (" + net::kAp2 + ") : 127.0.0.12"; });
  PumpPending();
  ASSERT_EQ(view->Chart().GetDataCount(), 1);
  EXPECT_EQ(view->Chart().GetTitle(), "AP: AP_2:(" + net::kAp2 + "):127.0.0.12  's Users Graph");
  EXPECT_GT(LinePixels(view->ChartWindow(), 0xFF0000, "usage_group_ap2"), 100) << "the only line, blue";
  EXPECT_EQ(g_nBalanceFilterId, CUtilizationBalanceView::kDayId);
}

TEST_F(UsageViewsTest, ApPaneDrawsTheChosenApsUsersAndTraffic) {
  PlotChoice choice{kPlotUsers, net::kAp1};
  auto* view = new CUtilizationUserPlotView(frame_, choice, nullptr);
  frame_->Show();
  view->OnInitialUpdate();
  PumpUntil([&] { return view->ChartWindow().IsShownOnScreen(); });
  EXPECT_EQ(view->ApMac(), net::kAp1);
  EXPECT_TRUE(choice.plotApMac.empty()) << "the pane takes the main window's AP once";
  EXPECT_EQ(view->Toolbar().Range(), "2026-02-24 00:00:00 ~ 2026-03-04 00:00:00");

  Click(view->FindWindow(CUtilizationUserPlotView::kHourId));
  EXPECT_EQ(view->Toolbar().Range(), "2026-03-02 21:00:00 ~ 2026-03-03 21:00:00");
  EXPECT_EQ(view->Chart().GetTitle(), "AP:AP_1:(" + net::kAp1 + "):127.0.0.11 's Users Graph");
  EXPECT_GT(LinePixels(view->ChartWindow(), 0xFF0000, "usage_ap_users"), 100);

  choice.plotMode = kPlotTraffic;
  view->RefreshChart(kPageLast);
  EXPECT_EQ(view->Chart().GetTitle(), "AP:AP_1:(" + net::kAp1 + "):127.0.0.11 's TRAFFIC Graph");
  double top[2];
  view->Chart().GetYRange(top);
  EXPECT_EQ(top[1], 1200) << "growths 0, 0, then 1100";
  EXPECT_GT(LinePixels(view->ChartWindow(), 0xFF0000, "usage_ap_traffic"), 100);

  // A click on A2's row charts A2, from its last window.
  wxListCtrl* rows = view->List().GetListView();
  wxRect row;
  ASSERT_TRUE(rows->GetItemRect(1, row));
  wxUIActionSimulator input;
  input.MouseMove(rows->ClientToScreen(wxPoint(row.x + 10, row.y + row.height / 2)));
  PumpPending();
  input.MouseClick();
  PumpUntil([&] { return view->ApMac() == net::kAp2; });
  PumpPending();
  EXPECT_EQ(view->ApMac(), net::kAp2);
  EXPECT_EQ(view->Chart().GetTitle(), "AP:AP_2:(" + net::kAp2 + "):127.0.0.12 's TRAFFIC Graph");
  EXPECT_TRUE(boxes_.Texts().empty());
  g_nApFilterId = CUtilizationUserPlotView::kDayId;
}

TEST_F(UsageViewsTest, ApPaneOpenedForAnUnknownApAsksForOneAndDrawsNoLine) {
  PlotChoice choice{kPlotUsers, "02:44:71:00:09:09"};
  auto* view = new CUtilizationUserPlotView(frame_, choice, nullptr);
  frame_->Show();
  view->OnInitialUpdate();
  EXPECT_TRUE(choice.plotApMac.empty());
  EXPECT_EQ(view->ApMac(), "");
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"Please the select AP item in list view"}));
  EXPECT_EQ(view->Chart().GetDataCount(), 0);
}

TEST_F(UsageViewsTest, BothPanesShowTheirTopRowWholeAndTheApListsColumnsReadable) {
  PlotChoice choice{kPlotUsers, net::kAp1};
  auto* apPane = new CUtilizationUserPlotView(frame_, choice, nullptr);
  frame_->Show();
  apPane->OnInitialUpdate();
  ASSERT_TRUE(PumpUntil([&] { return apPane->ChartWindow().IsShownOnScreen(); }));
  // Every control of the top row ends above the pane below it.
  const auto expectAbove = [](wxWindow* pane, wxWindow* below, const std::string& name) {
    for (wxWindow* control : pane->GetChildren()) {
      if (!control->IsShown() || control == below || control->GetRect().GetTop() >= below->GetRect().GetTop()) continue;
      EXPECT_LE(control->GetRect().GetBottom(), below->GetRect().GetTop()) << name << ": " << control->GetLabel();
    }
  };
  expectAbove(apPane, &apPane->List(), "AP pane");
  wxListCtrl* rows = apPane->List().GetListView();
  wxClientDC dc(rows);
  EXPECT_GT(rows->GetColumnWidth(1), dc.GetTextExtent(wxString::FromUTF8(net::kAp1)).x) << "the MAC shows whole";
  EXPECT_GT(rows->GetColumnWidth(2), dc.GetTextExtent("127.0.0.11").x) << "the IP shows whole";
  testing_support::SaveCapture(testing_support::CaptureWindow(apPane), "usage_ap_pane_whole");
  apPane->Destroy();

  auto* groupPane = new CUtilizationBalanceView(frame_, nullptr);
  groupPane->SetSize(frame_->GetClientSize());
  groupPane->OnInitialUpdate();
  ASSERT_TRUE(PumpUntil([&] { return groupPane->ChartWindow().IsShownOnScreen(); }));
  expectAbove(groupPane, &groupPane->Tree(), "group pane");
  testing_support::SaveCapture(testing_support::CaptureWindow(groupPane), "usage_group_pane_whole");
  g_nApFilterId = CUtilizationUserPlotView::kDayId;
}

TEST_F(UsageViewsTest, ClientListShowsTheLatestRoundAndFiltersIt) {
  auto* view = new CClientView(frame_);
  frame_->Show();
  view->OnInitialUpdate();
  PumpUntil([&] { return view->List().IsShownOnScreen(); });
  CReportCtrl& list = view->List();
  ASSERT_EQ(list.GetItemCount(), 4);  // the last round: A1 with 3 clients, A2 with 1
  for (int row = 0; row < list.GetItemCount(); ++row)
    if (list.GetItemText(row, 3) == "02:66:00:00:00:03") {
      EXPECT_EQ(list.GetItemText(row, 5), "turbo-g-mode");
    }

  view->FilterType().SetSelection(3);  // "Mode"
  wxCommandEvent typeChosen(wxEVT_CHOICE, CClientView::kFilterTypeId);
  view->FilterType().GetEventHandler()->ProcessEvent(typeChosen);
  ASSERT_EQ(view->Filter().GetCount(), 3u);
  EXPECT_EQ(view->Filter().GetString(0), "b-mode");
  view->Filter().SetStringSelection("g-mode");
  wxCommandEvent valueChosen(wxEVT_CHOICE, CClientView::kFilterId);
  view->Filter().GetEventHandler()->ProcessEvent(valueChosen);
  EXPECT_EQ(list.GetItemCount(), 2);

  Click(view->FindWindow(CClientView::kCleanFilterId));
  EXPECT_EQ(list.GetItemCount(), 4);

  // After a round without clients the list is empty, while a filter still reads the latest stored round.
  {
    std::lock_guard lock(g_csClients);
    g_bClientsRecorded = false;
  }
  view->RefreshList();
  EXPECT_EQ(list.GetItemCount(), 0);
  view->Filter().GetEventHandler()->ProcessEvent(valueChosen);
  EXPECT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(list.GetRect().y, 40) << "the filter row keeps the pane's top";
}

}  // namespace
