// The chart window as a user meets it: it shows the chart, a right click brings up the settings menu and a
// choice changes the chart; and the toolkit menu built from the settings menu.
#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/frame.h>
#include <wx/uiaction.h>

#include <memory>
#include <vector>

#include "support/ui/WxTestEnvironment.h"
#include "chartcore/XYChart.h"
#include "charts/ChartMenuPopup.h"
#include "charts/ChartWindow.h"

namespace {

// Stands in for the user at the popup: remembers where and what it was shown, and chooses one id.
class ChoosingHost : public CChartMenuHost {
 public:
  explicit ChoosingHost(int choice) : choice_(choice) {}
  int TrackPopupMenu(const CChartMenu& menu, int screenX, int screenY) override {
    ++calls;
    where = {screenX, screenY};
    wxMenu = CreateWxMenu(menu);
    return choice_;
  }
  int calls = 0;
  wxPoint where;
  std::unique_ptr<::wxMenu> wxMenu;

 private:
  int choice_;
};

void FillChart(CXYChart& chart) {
  chart.AddAxis(kAxisBottom);
  chart.AddAxis(kAxisLeft);
  chart.SetXRange(0, 10);
  chart.SetYRange(0, 10);
  const double values[] = {0, 10, 2, 8};
  const int sizes[] = {2, 2};
  chart.AddData(values, 2, sizes);
  chart.SetDataTitle(1, "Users");
}

// The pixels of the window's middle row, read back from the screen.
wxImage MiddleRowOnScreen(wxWindow& window) {
  const wxSize size = window.GetClientSize();
  const wxPoint origin = window.ClientToScreen(wxPoint(0, 0));
  wxBitmap shot(size.x, 1, 24);
  {
    wxMemoryDC memory(shot);
    wxScreenDC screen;
    memory.Blit(0, 0, size.x, 1, &screen, origin.x, origin.y + size.y / 2);
  }
  return shot.ConvertToImage();
}

int CountColour(const wxImage& row, ChartColor colour) {
  int count = 0;
  for (int x = 0; x < row.GetWidth(); ++x) {
    count += row.GetRed(x, 0) == ChartRed(colour) && row.GetGreen(x, 0) == ChartGreen(colour) &&
             row.GetBlue(x, 0) == ChartBlue(colour);
  }
  return count;
}

}  // namespace

TEST(ChartWindowTest, WindowShowsTheChartAndARightClickChoiceChangesIt) {
  CXYChart chart;
  FillChart(chart);
  auto* frame = new wxFrame(nullptr, wxID_ANY, "Chart", wxPoint(40, 40), wxSize(640, 360));
  auto* window = new CChartWindow(frame, wxID_ANY, chart);
  auto host = std::make_unique<ChoosingHost>(2);  // "Major Vertical Grids"
  ChoosingHost& user = *host;
  window->SetMenuHost(std::move(host));
  frame->Show();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return window->IsShownOnScreen() && chart.LastRect().right > 0; }))
      << "the window draws the chart";
  // On screen: the plot frame crosses the middle row twice and the green series once.
  const wxImage row = MiddleRowOnScreen(*window);
  EXPECT_GE(CountColour(row, ChartRgb(0, 0, 0)), 2);
  EXPECT_GE(CountColour(row, ChartRgb(0, 255, 0)), 1);

  const wxPoint target = window->ClientToScreen(wxPoint(window->GetClientSize().x / 2, window->GetClientSize().y / 2));
  wxUIActionSimulator mouse;
  mouse.MouseMove(target);
  mouse.MouseClick(wxMOUSE_BTN_RIGHT);
  ASSERT_TRUE(testing_support::PumpUntil([&] { return user.calls > 0; })) << "no menu after a right click";
  EXPECT_NEAR(user.where.x, target.x, 2);
  EXPECT_NEAR(user.where.y, target.y, 2);
  EXPECT_EQ(chart.majorVertGrid, 1);
  frame->Destroy();
  testing_support::PumpUntil([] { return wxTopLevelWindows.IsEmpty(); });
}

TEST(ChartWindowTest, ToolkitMenuCarriesIdsCaptionsAndCheckMarks) {
  CXYChart chart;
  FillChart(chart);
  chart.majorHorzGrid = 1;
  ChoosingHost host(0);
  EXPECT_EQ(chart.ShowMenu(&host, 0, 0), kMenuNothing) << "cancelled";
  ASSERT_TRUE(host.wxMenu);
  const wxMenu& menu = *host.wxMenu;
  EXPECT_EQ(menu.FindItemByPosition(0)->GetItemLabelText(), "Grids");
  EXPECT_TRUE(menu.FindItemByPosition(1)->IsSeparator());
  const wxMenuItem* major = menu.FindItem(1);
  ASSERT_NE(major, nullptr);
  EXPECT_EQ(major->GetItemLabelText(), "Major Horizontal Grids");
  EXPECT_TRUE(major->IsChecked());
  EXPECT_FALSE(menu.FindItem(2)->IsCheckable() && menu.FindItem(2)->IsChecked());
  EXPECT_EQ(menu.FindItem(1101)->GetItemLabelText(), "XY Line");
  EXPECT_TRUE(menu.FindItem(1101)->IsChecked());
  EXPECT_EQ(menu.FindItem(199)->GetItemLabelText(), "Settings...");
  EXPECT_EQ(menu.FindItemByPosition(menu.GetMenuItemCount() - 1)->GetId(), 999);
}
