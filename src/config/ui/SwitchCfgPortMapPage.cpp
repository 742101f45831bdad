#include "config/ui/SwitchCfgPortMapPage.h"

#include <wx/sizer.h>

#include "config/PortMapRows.h"
#include "topology/TopologyData.h"

CSwitchCfgPortMapPage::CSwitchCfgPortMapPage(wxWindow* sheet) : CTreePropPage(sheet, "Port Mapping") {
  auto* column = new wxBoxSizer(wxVERTICAL);
  list_ = new wxListCtrl(this, kList, wxDefaultPosition, wxSize(380, 260), wxLC_REPORT | wxLC_HRULES | wxLC_VRULES);
  list_->InsertColumn(0, "Local Port NO.", wxLIST_FORMAT_LEFT, 100);
  list_->InsertColumn(1, "Peer IP", wxLIST_FORMAT_LEFT, 160);
  list_->InsertColumn(2, "Peer Port NO.", wxLIST_FORMAT_LEFT, 100);
  column->Add(list_, 1, wxEXPAND);
  SetSizer(column);
}

void CSwitchCfgPortMapPage::FillList(const CTopologyData* topology) {
  list_->DeleteAllItems();
  if (topology == nullptr) return;
  std::vector<CConnectionRecord> links;
  topology->GetDeviceConnections(mac_, links);
  const auto ipOf = [topology](const std::string& mac) {
    CDeviceRecord device;
    return topology->FindDevice(mac, device, 1) >= 0 ? device.ip : std::string();
  };
  for (const PortMapRow& row : BuildPortMapRows(mac_, links, ipOf)) {
    const long item = list_->InsertItem(list_->GetItemCount(), row.localPort);
    list_->SetItem(item, 1, wxString::FromUTF8(row.peerIp));
    list_->SetItem(item, 2, row.peerPort);
  }
}
