#include "config/ui/DefParamsPage.h"

#include <wx/stattext.h>

#include <list>

#include "config/ui/ChoiceSelection.h"
#include "controls/ApplyPropSheet.h"
#include "net/HostentInformation.h"
#include "platform/DebugTrace.h"
#include "platform/MessageBox.h"

namespace {
using M = CDefParamsPageModel;
using S = CApSecurityModel;
}  // namespace

CDefParamsPage::CDefParamsPage(wxWindow* sheet) : CApplyPropPage(sheet, "Default Params") {
  auto* grid = new wxFlexGridSizer(2, wxSize(8, 4));
  grid->AddGrowableCol(1);
  const auto row = [&](const wxString& label, wxWindow* control) {
    grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(control, 1, wxEXPAND);
  };
  host_ = new wxComboBox(this, M::kManagementHost, "", wxDefaultPosition, wxDefaultSize, 0, nullptr, wxCB_DROPDOWN | wxCB_SORT);
  row("Management Host", host_);
  ssid_ = new wxTextCtrl(this, M::kSsid);
  row("Wireless Network Name (SSID)", ssid_);
  wxArrayString kinds;
  for (const std::string& item : M::SecurityItems()) kinds.Add(item);
  security_ = new wxChoice(this, S::kSecurity, wxDefaultPosition, wxDefaultSize, kinds);
  row("Security", security_);
  securityControls_ = std::make_unique<CSecurityControls>(this);
  apply_ = new wxCheckBox(this, M::kApply, "Apply Default Params While New Devices Are Saved To System");
  auto* outer = new wxBoxSizer(wxVERTICAL);
  outer->Add(grid, 0, wxEXPAND | wxALL, 8);
  outer->Add(securityControls_->Sizer(), 1, wxEXPAND | wxLEFT | wxRIGHT, 8);
  outer->Add(apply_, 0, wxALL, 8);
  SetSizerAndFit(outer);

  CSecurityControls& sc = *securityControls_;
  security_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
    Save();
    ShowSecurityGroup();
  });
  sc.psk->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { model_.security.psk = true; ShowSecurityGroup(); });
  sc.eap->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { model_.security.psk = false; ShowSecurityGroup(); });
  sc.encryption->Bind(wxEVT_CHOICE, [this, &sc](wxCommandEvent&) {
    Save();
    model_.ChooseEncryption(sc.encryption->GetSelection());
    sc.ResetKeyBox(model_.security);
  });
  sc.keyType->Bind(wxEVT_CHOICE, [this, &sc](wxCommandEvent&) {
    Save();
    model_.ChooseKeyType(sc.keyType->GetSelection());
    sc.ResetKeyBox(model_.security);
  });
  // Another default key keeps the typed key under its own number and shows the chosen one's.
  sc.defaultKey->Bind(wxEVT_CHOICE, [this, &sc](wxCommandEvent&) {
    model_.security.keyText = sc.key->GetValue().utf8_string();
    model_.ChooseDefaultKey(sc.defaultKey->GetSelection());
    sc.key->ChangeValue(wxString::FromUTF8(model_.security.keyText));
  });
}

void CDefParamsPage::OnInitPage() {
  model_.LoadDefaults();
  std::list<std::string> addresses;
  CHostentInformation().GetLocalIpList(addresses);
  host_->Clear();
  for (const std::string& host : model_.HostChoices({addresses.begin(), addresses.end()}))
    host_->Append(wxString::FromUTF8(host));
  host_->SetValue(wxString::FromUTF8(model_.managementHost));
  ssid_->ChangeValue(wxString::FromUTF8(model_.ssid));
  apply_->SetValue(model_.apply);
  SelectChoice(security_, model_.securityIndex);
  securityControls_->Load(model_.security);
  ShowSecurityGroup();
}

void CDefParamsPage::Save() {
  model_.managementHost = host_->GetValue().utf8_string();
  model_.ssid = ssid_->GetValue().utf8_string();
  model_.apply = apply_->GetValue();
  model_.securityIndex = security_->GetSelection();
  securityControls_->Save(model_.security);
}

void CDefParamsPage::ShowSecurityGroup() {
  securityControls_->ShowGroup(model_.security.GroupFor(model_.SecurityKind()));
}

bool CDefParamsPage::OnApply() {
  Save();
  if (const PageCheck failure = model_.Check()) {
    if (failure->activatePage) ActivateInSheet();
    if (wxWindow* control = FindWindow(failure->control)) control->SetFocus();
    platform::MessageBox(failure->text, {}, platform::MB_ICONWARNING);
    return false;
  }
  return true;
}

void CDefParamsPage::OnOK() {
  if (!model_.Save()) DebugTrace("Failed to save the default parameters\n");
}

bool ShowDefaultParamsSheet(wxWindow* parent) {
  CApplyPropSheet sheet("Preferences", parent);
  sheet.AddPage(new CDefParamsPage(&sheet));
  sheet.SetEmptyPageText("Please select a child item of '%s'.");
  sheet.SetTreeViewMode(true, true, true);
  return sheet.ShowModal() == wxID_OK;
}
