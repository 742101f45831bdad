#include "config/ui/FirmwareUpgradeDlg.h"

#include <wx/filedlg.h>
#include <wx/sizer.h>

#include "platform/MessageBox.h"

CFirmwareUpgradeDlg::CFirmwareUpgradeDlg(wxWindow* parent, std::function<FirmwarePanes()> panes,
                                         FirmwareUpgradeStarter start)
    : wxPanel(parent, wxID_ANY), panes_(std::move(panes)), start_(std::move(start)) {
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(new wxStaticText(this, wxID_ANY, "Select APs From List And Input\nFirmware File For Upgrade"), 0, wxALL, 6);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  file_ = new wxTextCtrl(this, kFile, "", wxDefaultPosition, wxSize(260, -1));
  row->Add(file_, 1, wxRIGHT, 6);
  auto* browse = new wxButton(this, kBrowse, "Browse . . .");
  row->Add(browse, 0, wxRIGHT, 6);
  auto* upgrade = new wxButton(this, kUpgrade, "Upgrade");
  row->Add(upgrade);
  column->Add(row, 0, wxEXPAND | wxALL, 6);
  status_ = new wxStaticText(this, kStatus, "");
  column->Add(status_, 0, wxALL, 6);
  SetSizer(column);
  browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowse(); });
  upgrade->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); });
}

void CFirmwareUpgradeDlg::OnBrowse() {
  wxFileDialog dialog(this, wxFileSelectorPromptStr, "", "", "All Files (*.*)|*.*", wxFD_OPEN);
  if (dialog.ShowModal() == wxID_OK && !dialog.GetPath().IsEmpty()) file_->ChangeValue(dialog.GetPath());
}

void CFirmwareUpgradeDlg::OnOK() {
  platform::MessageBox("Please don't remove cable from APs or it will make APs breaking down and firmware upgrade failed");
  RunFirmwareUpgradeCommand(FirmwareFile(), panes_(), start_);
}
