#pragma once
// The AP list pane: one row per AP with its status and the chosen columns, the AP commands on the rows'
// context menu, "Custom ..." on the header's, and a double click that opens what the AP's state asks
// for. Its columns open as wide as their texts; a width the user drags is kept across reloads. The
// group tree drops groups on its rows (IApRowPeer); the frame refreshes it (IFrameView).
#include <wx/listctrl.h>
#include <wx/panel.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "devmodel/ApListModel.h"
#include "devmodel/DeviceCommands.h"
#include "devmodel/ui/DeviceViewServices.h"
#include "groupmodel/ui/ApRowPeer.h"
#include "uibase/FrameView.h"

class CReportCtrl;
class wxImageList;

class CTopologyListView : public wxPanel, public IApRowPeer, public IFrameView {
 public:
  // The list control's id.
  static constexpr int kListId = 1133;
  // The context menus: the rows' and the header's.
  static constexpr int kRowMenu = 119;
  static constexpr int kHeaderMenu = 175;

  // The firmware instance lists managed APs only and takes no filter from the header bar.
  CTopologyListView(wxWindow* parent, DeviceViewServices services, bool firmwareInstance = false);
  ~CTopologyListView() override;

  void ReloadList();
  void SetFilter(const std::string& column, const std::string& text, int managedOnly);
  // MACs of the selected rows in row order; false with "Please select AP!" when none.
  bool GetSelectedAps(std::vector<std::string>& macs);
  // IP addresses of the selected APs for a firmware upgrade; false when none is selected or their
  // hardware differs.
  bool GetSelectedApsForUpgrade(std::vector<std::string>& ips);

  // IApRowPeer.
  wxWindow* PeerWindow() override;
  int RowAt(const wxPoint& clientPoint) override;
  std::string MacOfRow(int row) override;
  void SetDropHighlight(int row, bool on) override;
  void NoOp() override {}
  // IFrameView: the list is rebuilt from the database either way.
  void RefreshView(bool fullReload) override;

  CReportCtrl* List() const { return list_; }
  const CApListModel& Model() const { return model_; }
  // The menus as they pop up, for the windows that show them.
  static wxMenu* MakeMenu(int menu);

 private:
  void ShowRows();
  void ShowRow(int index);
  // Each column as the user sized it, or as wide as its texts the first time it shows rows.
  void SizeColumns();
  void OnColumnResized(wxListEvent& event);
  std::vector<std::string> SelectedMacs() const;
  std::vector<int> SelectedRows() const;
  void SelectRow(int index);
  void OnCommand(wxCommandEvent& event);
  void OnRowsRightDown(wxMouseEvent& event);
  void OnHeaderRightUp(wxMouseEvent& event);
  void OnRowsDoubleClick(wxMouseEvent& event);
  void OpenSelected();
  void CustomColumns();

  DeviceViewServices services_;
  CDeviceViewsHost host_;
  CDeviceCommands commands_;
  CReportCtrl* list_ = nullptr;
  std::unique_ptr<wxImageList> images_;
  CApListModel model_;
  bool firmwareInstance_;
  std::map<std::string, int> columnWidths_;  // by heading, kept across reloads
};
