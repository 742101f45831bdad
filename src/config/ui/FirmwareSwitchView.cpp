#include "config/ui/FirmwareSwitchView.h"

#include "controls/ReportCtrl.h"
#include "db/TopologyDBManager.h"
#include "platform/MessageBox.h"

CFirmwareSwitchView::CFirmwareSwitchView(wxWindow* parent) : wxPanel(parent, wxID_ANY) {
  list_ = new CReportCtrl();
  list_->CreateReportList(this, kList, nullptr);
  list_->SetGridLines(true);
  list_->ToggleFullRowSelect(true);
  Bind(wxEVT_SIZE, &CFirmwareSwitchView::OnSize, this);
  FillList();
}

void CFirmwareSwitchView::OnSize(wxSizeEvent& event) {
  event.Skip();
  list_->SetSize(0, 0, event.GetSize().GetWidth(), event.GetSize().GetHeight());
}

void CFirmwareSwitchView::FillList() {
  list_->RemoveAllColumns();
  int column = 0;
  for (const char* heading : {"MAC Address", "System Name", "Location", "IP Address", "Subnet Mask", "Gateway"})
    list_->InsertColumn(column++, heading);
  rows_.clear();
  list_->DeleteAllItems();
  TopologyDBManager().GetSwitchProperties("", rows_);
  int index = 0;
  for (size_t i = 0; i < rows_.size(); ++i) {
    const std::vector<std::string>& texts = rows_[i].texts;
    if (texts.empty()) continue;
    // The row's data is its index in rows_, which lives as long as the list.
    list_->InsertItem(index, texts[0], -1, i);
    for (size_t c = 1; c < texts.size() && c < 6; ++c) list_->SetItemText(index, static_cast<int>(c), texts[c]);
    ++index;
  }
}

bool CFirmwareSwitchView::GetSelectedSwitches(std::vector<std::string>& ips) {
  TopologyDBManager topology;
  for (int row = list_->FindNextRowWithStates(listmodel::ROW_SELECTED, -1); row >= 0;
       row = list_->FindNextRowWithStates(listmodel::ROW_SELECTED, row)) {
    std::string ip;
    // A switch the device tables no longer know is left out.
    if (topology.GetDeviceIpByMac(rows_[list_->GetItemData(row)].mac, ip) && !ip.empty()) ips.push_back(ip);
  }
  if (!ips.empty()) return true;
  platform::MessageBox("Please select switch!");
  return false;
}
