#include "devmodel/ui/ListViewHead.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dcmemory.h>
#include <wx/filedlg.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "devmodel/DeviceCommandIds.h"
#include "devmodel/ui/TopologyListView.h"
#include "platform/MessageBox.h"

namespace {

// A 20 by 20 icon: a rounded tile with a short mark.
wxBitmap ButtonIcon(const wxString& mark, const wxColour& colour) {
  wxBitmap bitmap(20, 20, 24);
  {
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetBrush(wxBrush(colour));
    dc.SetPen(*wxGREY_PEN);
    dc.DrawRoundedRectangle(1, 1, 18, 18, 3);
    dc.SetFont(wxFont(wxFontInfo(8).Bold()));
    dc.SetTextForeground(*wxWHITE);
    const wxSize size = dc.GetTextExtent(mark);
    dc.DrawText(mark, (20 - size.x) / 2, (20 - size.y) / 2);
  }
  bitmap.SetMask(new wxMask(bitmap, *wxWHITE));
  return bitmap;
}

constexpr int kFirmwareApView = 9;
constexpr int kUsersPlotView = 12;

}  // namespace

CListViewHead::CListViewHead(wxWindow* parent, HeaderBarServices services)
    : wxPanel(parent, wxID_ANY), services_(std::move(services)) {
  auto* row1 = new wxBoxSizer(wxHORIZONTAL);
  row1->Add(new wxStaticText(this, wxID_ANY, "View by:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
  const std::pair<int, const char*> radios[] = {
      {kList, "List"}, {kTree, "Tree"}, {kTopology, "Topology"}, {kFirmwareAp, "AP"}, {kFirmwareSwitch, "Switch"}};
  for (const auto& [id, text] : radios)
    row1->Add(new wxRadioButton(this, id, text, wxDefaultPosition, wxDefaultSize, id == kList ? wxRB_GROUP : 0), 0,
              wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
  firmwareFile_ = new wxTextCtrl(this, kFirmwareFile, "", wxDefaultPosition, wxSize(140, -1));
  firmwareFile_->SetToolTip("Input Firmware File");
  row1->Add(firmwareFile_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  auto* browse = new wxButton(this, kBrowse, "Browse . . .");
  browse->SetToolTip("Browse");
  row1->Add(browse, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  auto* upgrade = new wxButton(this, kUpgrade, "Upgrade");
  upgrade->SetToolTip("Firmware Upgrade");
  row1->Add(upgrade, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);

  struct Icon {
    int id;
    const char* tip;
    const char* mark;
    wxColour colour;
  };
  auto addIcons = [this](wxBoxSizer* row, std::initializer_list<Icon> icons) {
    for (const Icon& icon : icons) {
      auto* button = new wxBitmapButton(this, icon.id, ButtonIcon(icon.mark, icon.colour));
      button->SetToolTip(icon.tip);
      row->Add(button, 0, wxALIGN_CENTER_VERTICAL);
    }
  };
  const wxColour config(40, 110, 200), data(40, 150, 60), danger(190, 50, 40), map(120, 90, 160);
  addIcons(row1, {{kConfiguration, "Configuration", "C", config},
                  {kReloadPrevious, "Reload Previous Configuration", "R", config},
                  {kSave, "Save To Database", "S", data},
                  {kDelete, "Delete From Database", "D", danger},
                  {kSavePositions, "Save Topology Position", "P", map},
                  {kZoomIn, "Zoom In", "+", map},
                  {kZoomOut, "Zoom Out", "-", map},
                  {kLoadMap, "Load Map", "L", map},
                  {kRemoveMap, "Remove Map", "X", map},
                  {kModifyMap, "Modify Map", "M", map}});

  auto* row2 = listRow_ = new wxBoxSizer(wxHORIZONTAL);
  row2->Add(new wxStaticText(this, wxID_ANY, "Filter Type"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  filterType_ = new wxComboBox(this, kFilterType, "", wxDefaultPosition, wxSize(150, -1), 0, nullptr,
                               wxCB_READONLY | wxCB_SORT);
  row2->Add(filterType_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
  row2->Add(new wxStaticText(this, wxID_ANY, "Filter"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  filter_ = new wxComboBox(this, kFilter, "", wxDefaultPosition, wxSize(150, -1), 0, nullptr, wxCB_DROPDOWN | wxCB_SORT);
  row2->Add(filter_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
  managedAp_ = new wxCheckBox(this, kManagedAp, "Managed AP");
  row2->Add(managedAp_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  addIcons(row2, {{kListConfiguration, "Configuration", "C", config},
                  {kApConnection, "AP Connection", "U", data},
                  {kListReloadPrevious, "Reload Previous Cconfiguration", "R", config},
                  {kListSave, "Save To Database", "S", data},
                  {kListDelete, "Delete From Database", "D", danger},
                  {kCustomize, "Customize", "#", map}});

  auto* rows = new wxBoxSizer(wxVERTICAL);
  rows->Add(row1, 0, wxLEFT | wxTOP, 4);
  rows->Add(row2, 0, wxLEFT | wxTOP, 4);
  SetSizer(rows);

  for (int id : {kList, kTree, kTopology, kFirmwareAp, kFirmwareSwitch})
    Bind(wxEVT_RADIOBUTTON, &CListViewHead::OnViewRadio, this, id);
  for (int id : {kListConfiguration, kApConnection, kListReloadPrevious, kListSave, kListDelete, kCustomize})
    Bind(wxEVT_BUTTON, &CListViewHead::OnListButton, this, id);
  for (int id : {kConfiguration, kReloadPrevious, kSave, kDelete})
    Bind(wxEVT_BUTTON, &CListViewHead::OnViewButton, this, id);
  for (int id : {kSavePositions, kZoomIn, kZoomOut, kLoadMap, kRemoveMap, kModifyMap})
    Bind(wxEVT_BUTTON, &CListViewHead::OnMapButton, this, id);
  Bind(wxEVT_COMBOBOX, &CListViewHead::OnFilterType, this, kFilterType);
  Bind(wxEVT_COMBOBOX, &CListViewHead::OnFilterChosen, this, kFilter);
  Bind(wxEVT_TEXT, &CListViewHead::OnFilterTyped, this, kFilter);
  Bind(wxEVT_CHECKBOX, &CListViewHead::OnFilterTyped, this, kManagedAp);
  Bind(wxEVT_BUTTON, &CListViewHead::OnBrowse, this, kBrowse);
  Bind(wxEVT_BUTTON, &CListViewHead::OnUpgrade, this, kUpgrade);

  model_.FillFilterTypes();
  for (const std::string& entry : model_.FilterTypeEntries()) filterType_->Append(wxString::FromUTF8(entry));
  UpdateButtons();
}

void CListViewHead::ShowGroup(std::initializer_list<int> ids, bool shown) {
  for (int id : ids)
    if (wxWindow* control = FindWindow(id)) control->Show(shown);
}

void CListViewHead::SetViewBy(int mode) {
  m_nViewBy = mode;
  const int radio[] = {kList, kTree, kTopology, kFirmwareAp, kFirmwareSwitch};
  if (mode >= 0 && mode < 5) static_cast<wxRadioButton*>(FindWindow(radio[mode]))->SetValue(true);
  UpdateButtons();
}

void CListViewHead::ExchangeIn() { firmwarePath_ = firmwareFile_->GetValue().utf8_string(); }

void CListViewHead::UpdateButtons() {
  ExchangeIn();
  HeaderControlGroups groups;
  if (!CHeaderBarModel::ControlsOf(m_nViewBy, groups)) return;
  ShowGroup({kList, kTree, kTopology}, groups.viewRadios);
  ShowGroup({kFirmwareAp, kFirmwareSwitch}, groups.firmwareRadios);
  ShowGroup({kConfiguration, kReloadPrevious, kSave, kDelete}, groups.deviceButtons);
  ShowGroup({kSavePositions, kZoomIn, kZoomOut, kLoadMap, kRemoveMap, kModifyMap}, groups.mapButtons);
  ShowGroup({kFirmwareFile, kBrowse, kUpgrade}, groups.firmwareControls);
  listRow_->ShowItems(groups.listControls);
  Layout();
}

bool CListViewHead::GetFilter(std::string& column, std::string& text, int& managedOnly) const {
  column = model_.ColumnOfDisplayName(filterType_->GetValue().utf8_string());
  text = filter_->GetValue().utf8_string();
  managedOnly = managedAp_->GetValue() ? 1 : 0;
  return true;
}

void CListViewHead::OnViewRadio(wxCommandEvent& event) {
  const int views[][2] = {{kList, 1}, {kTree, 2}, {kTopology, 3}, {kFirmwareAp, kFirmwareApView}, {kFirmwareSwitch, 10}};
  for (int mode = 0; mode < 5; ++mode) {
    if (views[mode][0] != event.GetId()) continue;
    m_nViewBy = mode;
    UpdateButtons();
    if (services_.switchView) services_.switchView(views[mode][1]);
  }
}

void CListViewHead::SendCommand(wxWindow* view, int command) {
  if (!view || command == 0) return;
  wxCommandEvent event(wxEVT_MENU, command);
  event.SetEventObject(view);
  view->GetEventHandler()->ProcessEvent(event);
}

void CListViewHead::OnListButton(wxCommandEvent& event) {
  ExchangeIn();
  CTopologyListView* list = services_.listView ? services_.listView() : nullptr;
  if (m_nViewBy != 0 || !list) return;
  if (event.GetId() == kApConnection) {
    std::vector<std::string> macs;
    if (list->GetSelectedAps(macs) && services_.plotApUsers) services_.plotApUsers(macs.front());
    return;
  }
  const std::map<int, HeaderButton> byId = {{kListConfiguration, HeaderButton::Configuration},
                                            {kListReloadPrevious, HeaderButton::ReloadPrevious},
                                            {kListSave, HeaderButton::SaveToDatabase},
                                            {kListDelete, HeaderButton::DeleteFromDatabase},
                                            {kCustomize, HeaderButton::Customize}};
  SendCommand(list, CHeaderBarModel::ButtonCommand(byId.at(event.GetId()), 0, 0));
}

void CListViewHead::OnViewButton(wxCommandEvent& event) {
  ExchangeIn();
  const std::map<int, HeaderButton> byId = {{kConfiguration, HeaderButton::Configuration},
                                            {kReloadPrevious, HeaderButton::ReloadPrevious},
                                            {kSave, HeaderButton::SaveToDatabase},
                                            {kDelete, HeaderButton::DeleteFromDatabase}};
  const HeaderButton button = byId.at(event.GetId());
  if (m_nViewBy == static_cast<int>(HeaderViewMode::Tree)) {
    SendCommand(services_.treeView ? services_.treeView() : nullptr, CHeaderBarModel::ButtonCommand(button, 1, 0));
  } else if (m_nViewBy == static_cast<int>(HeaderViewMode::Topology)) {
    const int kind = services_.mapShapeKind ? services_.mapShapeKind() : kMapOtherShape;
    SendCommand(services_.mapView ? services_.mapView() : nullptr, CHeaderBarModel::ButtonCommand(button, 2, kind));
  }
}

void CListViewHead::OnMapButton(wxCommandEvent& event) {
  wxWindow* map = services_.mapView ? services_.mapView() : nullptr;
  switch (event.GetId()) {
    case kSavePositions: {
      wxBusyCursor wait;
      if (services_.saveTopologyPositions) services_.saveTopologyPositions();
      break;
    }
    case kZoomIn:
      if (map && services_.zoomIn) services_.zoomIn();
      break;
    case kZoomOut:
      if (map && services_.zoomOut) services_.zoomOut();
      break;
    case kLoadMap: SendCommand(map, devcmd::kMapLoadBackground); break;
    case kRemoveMap: SendCommand(map, devcmd::kMapRemoveBackground); break;
    case kModifyMap: SendCommand(map, devcmd::kMapModifyBackground); break;
  }
}

void CListViewHead::OnFilterType(wxCommandEvent&) {
  filter_->Clear();
  filter_->Append("");
  for (const std::string& value : model_.FilterValues(filterType_->GetValue().utf8_string()))
    filter_->Append(wxString::FromUTF8(value));
}

void CListViewHead::OnFilterChosen(wxCommandEvent& event) {
  CTopologyListView* list = services_.listView ? services_.listView() : nullptr;
  HeaderFilter filter;
  if (!list || !model_.ChosenFilter(filterType_->GetValue().utf8_string(), event.GetString().utf8_string(),
                                    managedAp_->GetValue() ? 1 : 0, filter))
    return;
  list->SetFilter(filter.column, filter.text, filter.managedOnly);
}

void CListViewHead::OnFilterTyped(wxCommandEvent&) {
  CTopologyListView* list = services_.listView ? services_.listView() : nullptr;
  if (!list) return;
  const HeaderFilter filter = model_.TypedFilter(filterType_->GetValue().utf8_string(),
                                                 filter_->GetValue().utf8_string(), managedAp_->GetValue() ? 1 : 0);
  list->SetFilter(filter.column, filter.text, filter.managedOnly);
}

void CListViewHead::OnBrowse(wxCommandEvent&) {
  wxFileDialog dialog(this, wxFileSelectorPromptStr, "", "", "All Files (*.*)|*.*", wxFD_OPEN);
  if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty()) return;
  firmwarePath_ = dialog.GetPath().utf8_string();
  firmwareFile_->ChangeValue(dialog.GetPath());
}

void CListViewHead::OnUpgrade(wxCommandEvent&) {
  if (firmwarePath_.empty()) {
    platform::MessageBox("Please select a firmware file!");
    return;
  }
  std::vector<std::string> ips;
  int kind = 0;
  if (CTopologyListView* aps = services_.firmwareApView ? services_.firmwareApView() : nullptr) {
    kind = 2;
    if (!aps->GetSelectedApsForUpgrade(ips)) return;
  } else if (services_.hasSwitchFirmwareView()) {
    kind = 1;
    if (!services_.selectedSwitches(ips)) return;
  } else {
    platform::MessageBox("Please select AP or switch !");
    return;
  }
  if (services_.startFirmwareUpgrade) services_.startFirmwareUpgrade(kind, firmwarePath_, ips);
}
