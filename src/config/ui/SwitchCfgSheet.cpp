#include "config/ui/SwitchCfgSheet.h"

#include <wx/button.h>

#include "config/ui/CfgSwitchAntiRoguePage.h"
#include "config/ui/SwitchCfgPortMapPage.h"
#include "config/ui/SwitchCfgSystemPage.h"
#include "db/pollingdb.h"

namespace {

constexpr int kSwitchOffline = 1;

}  // namespace

CSwitchCfgSheet::CSwitchCfgSheet(const std::string& caption, wxWindow* parent, int selectPage,
                                 const CTopologyData* topology)
    : CTreePropSheet(caption, parent, selectPage), topology_(topology) {
  system_ = new CSwitchCfgSystemPage(this);
  antiRogue_ = new CCfgSwitchAntiRoguePage(this);
  portMap_ = new CSwitchCfgPortMapPage(this);
  AddPage(system_);
  AddPage(antiRogue_);
  AddPage(portMap_);
  Bind(wxEVT_INIT_DIALOG, &CSwitchCfgSheet::OnInit, this);
  Bind(wxEVT_BUTTON, &CSwitchCfgSheet::OnOk, this, wxID_OK);
}

void CSwitchCfgSheet::SetSwitchMac(const std::string& mac) {
  system_->SetSwitchMac(mac);
  antiRogue_->SetSwitchMac(mac);
  portMap_->SetSwitchMac(mac);
  system_->Load();
  antiRogue_->InitControls();
  portMap_->FillList(topology_);
}

std::string CSwitchCfgSheet::GetSwitchMac() const { return system_->GetSwitchMac(); }

void CSwitchCfgSheet::OnInit(wxInitDialogEvent& event) {
  event.Skip();
  const int online = CPollingDb().GetCompareInfo(GetSwitchMac(), CPollingDb::SwitchCode::Online);
  FindWindow(wxID_OK)->Enable(online != kSwitchOffline);
}

void CSwitchCfgSheet::OnOk(wxCommandEvent&) {
  if (system_->Apply()) EndModal(wxID_OK);
}

int ShowSwitchConfiguration(wxWindow* parent, const std::string& mac, const CTopologyData* topology, int firstPage) {
  CSwitchCfgSheet sheet("Switch config", parent, firstPage, topology);
  sheet.SetSwitchMac(mac);
  return sheet.ShowModal() == wxID_OK ? 1 : 0;
}
