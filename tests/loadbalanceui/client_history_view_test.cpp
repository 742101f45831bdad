// The client-history pane as a user meets it: the recorded clients listed, the history of the top one
// queried and paged with the band's buttons, another client picked with a click, and a window refused.
#include <gtest/gtest.h>

#include <filesystem>

#include <wx/bmpbuttn.h>
#include <wx/datectrl.h>
#include <wx/frame.h>
#include <wx/uiaction.h>

#include "loadbalance/ui/ClientHistoryView.h"
#include "platform/MinuteStamp.h"
#include "platform/Shutdown.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"
#include "support/ui/WxTestEnvironment.h"

namespace {

using testing_support::PumpPending;
using testing_support::PumpUntil;
namespace net = testing_support::reference_network;

const std::string kBusyClient = "aa:bb:cc:00:00:01";
const std::string kQuietClient = "aa:bb:cc:00:00:02";

class ClientHistoryViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(net::AddDevices(database, "device_list_prev"));
    // The quiet client was recorded first, so the busy one stands on top of the list.
    for (const std::string& client : {kQuietClient, kBusyClient})
      ASSERT_TRUE(database.Exec("INSERT INTO client_connect_ap (mac_ap, index_polling, mac_client) VALUES (?, 1, ?)",
                                {net::kAp1, client}));
    const int anHourAgo = platform::MinuteStampOf(platform::Now()) - 60;
    AddRows(kBusyClient, 250, anHourAgo);
    AddRows(kQuietClient, 60, anHourAgo);
    frame = new wxFrame(nullptr, wxID_ANY, "client history", wxPoint(40, 40), wxSize(1200, 700));
    view = new CClientHistoryView(frame);
    frame->Show();
    view->OnInitialUpdate();
    PumpPending();
  }
  void TearDown() override {
    frame->Hide();
    frame->Destroy();
    PumpPending();
    platform::RunShutdown();
  }
  void AddRows(const std::string& client, int count, int stamp) {
    for (int i = 1; i <= count; ++i)
      ASSERT_TRUE(database.Exec(
          "INSERT INTO client_info (mac_ap, index_polling, mac_client, RSSI_client, mode_client, client_state, "
          "date_time, date_polling, APssid) VALUES (?, ?, ?, '41', ?, ?, ?, ?, 'corvath')",
          {i % 2 ? net::kAp1 : net::kAp2, i, client, i % 3 ? "1" : "2", i % 5 ? "connect" : "offline-write",
           "round " + std::to_string(i), stamp}));
  }
  void Click(wxWindow* window, wxPoint inside = wxDefaultPosition) {
    wxMilliSleep(400);  // never a double click
    frame->Raise();
    PumpPending();
    if (inside == wxDefaultPosition) inside = wxPoint(window->GetSize().x / 2, window->GetSize().y / 2);
    wxUIActionSimulator input;
    input.MouseMove(window->ClientToScreen(inside));
    PumpPending();
    input.MouseClick();
    for (int round = 0; round < 5; ++round) PumpPending();
  }
  bool Enabled(int id) { return view->PagingButton(id)->IsEnabled(); }
  std::string FirstRow() { return view->HistoryList().GetItemText(0, 0); }

  // Captures go beside the test program, not into the database's temporary folder.
  const std::filesystem::path home = std::filesystem::current_path();
  testing_support::MessageBoxRecorder boxes;
  testing_support::TempDatabase database;
  wxFrame* frame = nullptr;
  CClientHistoryView* view = nullptr;
};

TEST_F(ClientHistoryViewTest, QueriedAndPagedWithTheButtons) {
  CReportCtrl& macs = view->MacList();
  ASSERT_EQ(macs.GetItemCount(), 2);
  EXPECT_EQ(macs.GetItemText(0, 0), kBusyClient);
  EXPECT_EQ(macs.GetItemText(1, 0), kQuietClient);

  CReportCtrl& history = view->HistoryList();
  EXPECT_EQ(view->PageLabel(), "100/250");
  ASSERT_EQ(history.GetItemCount(), 100);
  EXPECT_EQ(history.GetColumnHeading(0), "Date_Polling");
  EXPECT_EQ(FirstRow(), "round 1");
  EXPECT_EQ(history.GetItemText(4, 1), "disconnect") << "a state other than connect";
  EXPECT_EQ(history.GetItemText(2, 3), "b_mode");
  EXPECT_EQ(history.GetItemText(0, 4), "AP_1");
  EXPECT_EQ(history.GetItemText(0, 7), "127.0.0.11");

  Click(view->PagingButton(CClientHistoryView::IDC_NEXT));
  EXPECT_EQ(view->PageLabel(), "200/250");
  EXPECT_EQ(FirstRow(), "round 101");
  Click(view->PagingButton(CClientHistoryView::IDC_NEXT));
  EXPECT_EQ(view->PageLabel(), "250/250");
  EXPECT_EQ(history.GetItemCount(), 50);
  EXPECT_FALSE(Enabled(CClientHistoryView::IDC_NEXT));
  EXPECT_FALSE(Enabled(CClientHistoryView::IDC_LAST));
  Click(view->PagingButton(CClientHistoryView::IDC_PREV));
  Click(view->PagingButton(CClientHistoryView::IDC_PREV));
  EXPECT_EQ(view->PageLabel(), "100/250");
  EXPECT_FALSE(Enabled(CClientHistoryView::IDC_FIRST));
  Click(view->PagingButton(CClientHistoryView::IDC_LAST));
  EXPECT_EQ(view->PageLabel(), "250/250");
  EXPECT_EQ(FirstRow(), "round 151");
  Click(view->PagingButton(CClientHistoryView::IDC_RESET));
  EXPECT_EQ(view->PageLabel(), "250/250") << "Reset changes nothing";

  const wxImage shot = testing_support::CaptureWindow(frame);
  testing_support::SaveCapture(shot, "client_history_view", home);
  const wxRect rows(history.GetPosition().x + 4, history.GetPosition().y + 30, 300, 200);
  EXPECT_GT(testing_support::CountPixels(shot, *wxBLACK, 100, rows), 100) << "the page's rows are on the screen";
  EXPECT_GT(testing_support::CountPixels(shot, wxColour(240, 247, 233), 2, rows), 1000) << "on the lists' green";

  // A click on the other client queries its history.
  wxRect cell;
  macs.GetListView()->GetItemRect(1, cell);
  Click(macs.GetListView(), wxPoint(cell.x + 20, cell.y + cell.height / 2));
  ASSERT_TRUE(PumpUntil([&] { return view->PageLabel() == "60/60"; })) << view->PageLabel();
  Click(view->PagingButton(CClientHistoryView::IDC_LAST));
  EXPECT_EQ(view->PageLabel(), "60/60");
  EXPECT_EQ(history.GetItemCount(), 60);
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(ClientHistoryViewTest, AWindowBefore2000IsRefused) {
  view->BeginDate()->SetValue(wxDateTime(1, wxDateTime::Jan, 1999));
  Click(view->PagingButton(CClientHistoryView::IDC_QUERY));
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Year must be bigger than 2000, please retry..."}));
  EXPECT_EQ(view->HistoryList().GetItemCount(), 0) << "the list was emptied before the check";
  EXPECT_EQ(view->PageLabel(), "100/250") << "the rest stays";
}

}  // namespace
