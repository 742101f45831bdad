#pragma once
// The strip above the device views: the view chooser (List, Tree, Topology; AP and Switch in firmware
// mode), the AP list's filter by one column and value, icon buttons that send the current view the
// commands of its context menu, the map's position, zoom and background buttons, and in firmware mode
// the firmware file with "Browse . . ." and "Upgrade". It talks to the frame only through its services.
#include <wx/panel.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "devmodel/HeaderBarModel.h"

class CTopologyListView;
class wxBoxSizer;
class wxCheckBox;
class wxComboBox;
class wxRadioButton;
class wxTextCtrl;

struct HeaderBarServices {
  std::function<void(int view)> switchView;  // the frame's lower pane, by view number
  // The views in the lower pane now; null while not shown.
  std::function<CTopologyListView*()> listView;
  std::function<wxWindow*()> treeView;
  std::function<wxWindow*()> mapView;
  std::function<CTopologyListView*()> firmwareApView;
  std::function<int()> mapShapeKind;  // MapShapeKind of the map's first selected shape
  std::function<void()> saveTopologyPositions;
  std::function<void()> zoomIn;
  std::function<void()> zoomOut;
  std::function<void(const std::string& mac)> plotApUsers;  // "AP Connection"
  // The switch firmware view's selection; empty when that view is not shown.
  std::function<bool(std::vector<std::string>& ips)> selectedSwitches;
  bool hasSwitchFirmwareView() const { return static_cast<bool>(selectedSwitches); }
  std::function<void(int deviceKind, const std::string& path, const std::vector<std::string>& ips)> startFirmwareUpgrade;
};

class CListViewHead : public wxPanel {
 public:
  enum Id {
    kList = 1227, kTree = 1229, kTopology = 1231, kFirmwareAp = 1299, kFirmwareSwitch = 1300,
    kFilterType = 11075, kFilter = 1208, kManagedAp = 1218,
    kListConfiguration = 1233, kApConnection = 1235, kListReloadPrevious = 1237, kListSave = 1239,
    kListDelete = 1241, kCustomize = 1349,
    kConfiguration = 1220, kReloadPrevious = 1223, kSave = 1246, kDelete = 1225,
    kSavePositions = 1307, kZoomIn = 1310, kZoomOut = 1312, kLoadMap = 1313, kRemoveMap = 1314, kModifyMap = 1315,
    kFirmwareFile = 1120, kBrowse = 1116, kUpgrade = 1374,
  };

  CListViewHead(wxWindow* parent, HeaderBarServices services);

  // The view mode (HeaderViewMode); the frame's navigation sets it, then calls UpdateButtons.
  int m_nViewBy = 0;
  void SetViewBy(int mode);
  void UpdateButtons();
  bool GetFilter(std::string& column, std::string& text, int& managedOnly) const;

 private:
  void OnViewRadio(wxCommandEvent& event);
  void OnListButton(wxCommandEvent& event);
  void OnViewButton(wxCommandEvent& event);
  void OnMapButton(wxCommandEvent& event);
  void OnFilterType(wxCommandEvent& event);
  void OnFilterChosen(wxCommandEvent& event);
  void OnFilterTyped(wxCommandEvent& event);
  void OnBrowse(wxCommandEvent& event);
  void OnUpgrade(wxCommandEvent& event);
  void SendCommand(wxWindow* view, int command);
  // The firmware path as the edit box shows it now (the form's exchange from its controls).
  void ExchangeIn();
  void ShowGroup(std::initializer_list<int> ids, bool shown);

  HeaderBarServices services_;
  CHeaderBarModel model_;
  wxComboBox* filterType_ = nullptr;
  wxComboBox* filter_ = nullptr;
  wxBoxSizer* listRow_ = nullptr;  // the second row, shown in the List mode only
  wxCheckBox* managedAp_ = nullptr;
  wxTextCtrl* firmwareFile_ = nullptr;
  std::string firmwarePath_;
};
