#include "config/ui/SetTrapHostDlg.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/thread.h>

#include <memory>

#include "uibase/UiThreadCall.h"

CSetTrapHostDlg::CSetTrapHostDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, "Select Management Host") {
  auto* outer = new wxBoxSizer(wxVERTICAL);
  currentAp_ = new wxStaticText(this, kCurrentAp, "Curr AP: ");
  outer->Add(currentAp_, 0, wxALL, 8);
  auto* grid = new wxFlexGridSizer(2, wxSize(8, 4));
  grid->AddGrowableCol(1);
  grid->Add(new wxStaticText(this, wxID_ANY, "Old Management Host"), 0, wxALIGN_CENTER_VERTICAL);
  oldHost_ = new wxTextCtrl(this, kOldHost, "", wxDefaultPosition, wxSize(160, -1), wxTE_READONLY);
  grid->Add(oldHost_, 1, wxEXPAND);
  grid->Add(new wxStaticText(this, wxID_ANY, "New  Management Host"), 0, wxALIGN_CENTER_VERTICAL);
  hosts_ = new wxComboBox(this, kNewHost, "", wxDefaultPosition, wxDefaultSize, 0, nullptr,
                          wxCB_DROPDOWN | wxCB_SORT);
  grid->Add(hosts_, 1, wxEXPAND);
  outer->Add(grid, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(new wxButton(this, wxID_OK, "OK"), 0, wxRIGHT, 8);
  buttons->Add(new wxButton(this, kCancel, "Cancel"));
  outer->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 8);
  SetSizerAndFit(outer);
  SetEscapeId(kCancel);
  Bind(wxEVT_INIT_DIALOG, &CSetTrapHostDlg::OnInit, this);
  Bind(wxEVT_BUTTON, &CSetTrapHostDlg::OnOk, this, wxID_OK);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CANCEL); }, kCancel);
}

void CSetTrapHostDlg::OnInit(wxInitDialogEvent& event) {
  event.Skip();
  oldHost_->ChangeValue(wxString::FromUTF8(m_strOldHost));
  currentAp_->SetLabel(wxString::FromUTF8("Curr AP: " + m_strCurrentAp));
  hosts_->Clear();
  for (const std::string& host : m_candidates) hosts_->Append(wxString::FromUTF8(host));
  // Without candidates the edit field starts empty.
  hosts_->SetValue(hosts_->GetCount() > 0 ? hosts_->GetString(0) : wxString());
}

void CSetTrapHostDlg::OnOk(wxCommandEvent&) {
  const std::string chosen = hosts_->GetValue().utf8_string();
  if (chosen.empty()) return;
  m_strChosenHost = chosen;
  EndModal(wxID_OK);
}

std::optional<std::string> ChooseManagementHost(wxWindow* parent, const std::string& oldHost, const std::string& apIp,
                                                const std::list<std::string>& addresses) {
  // The load-balance commands ask from their worker thread: the dialog runs on the UI thread, the worker waits.
  if (!wxThread::IsMain()) {
    if (CUiThreadCall::IsShuttingDown()) return std::nullopt;
    auto chosen = std::make_shared<std::optional<std::string>>();
    CUiThreadCall call(parent ? *static_cast<wxEvtHandler*>(parent) : *wxTheApp, [=] {
      *chosen = ChooseManagementHost(parent, oldHost, apIp, addresses);
      return std::intptr_t{1};
    });
    if (call.Wait(0) == 0) return std::nullopt;  // dropped unrun, or the program is ending: as Cancel
    return *chosen;
  }
  CSetTrapHostDlg dialog(parent);
  dialog.m_strOldHost = oldHost;
  dialog.m_strCurrentAp = apIp;
  dialog.m_candidates.assign(addresses.begin(), addresses.end());
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return dialog.m_strChosenHost;
}
