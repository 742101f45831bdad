#include "config/ui/SwitchCfgSystemPage.h"

#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "platform/MessageBox.h"

namespace {

wxString FromUtf8(const std::string& text) { return wxString::FromUTF8(text); }

}  // namespace

CSwitchCfgSystemPage::CSwitchCfgSystemPage(wxWindow* sheet) : CTreePropPage(sheet, "System") {
  auto* column = new wxBoxSizer(wxVERTICAL);
  auto* ipBox = new wxStaticBoxSizer(wxVERTICAL, this, "IP Information");
  auto* modes = new wxBoxSizer(wxHORIZONTAL);
  static_ = new wxRadioButton(ipBox->GetStaticBox(), kStatic, "Static", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  dhcp_ = new wxRadioButton(ipBox->GetStaticBox(), kDhcp, "DHCP");
  modes->Add(static_, 0, wxRIGHT, 12);
  modes->Add(dhcp_);
  ipBox->Add(modes, 0, wxALL, 4);
  auto* addresses = new wxFlexGridSizer(2, 4, 8);
  const auto addRow = [&](wxFlexGridSizer* grid, wxWindow* parent, const char* label, wxTextCtrl*& field, int id) {
    grid->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
    field = new wxTextCtrl(parent, id, "", wxDefaultPosition, wxSize(160, -1));
    grid->Add(field);
  };
  addRow(addresses, ipBox->GetStaticBox(), "IP Address", ip_, kIp);
  addRow(addresses, ipBox->GetStaticBox(), "Subnet Mask ", netmask_, kNetmask);
  addRow(addresses, ipBox->GetStaticBox(), "Gateway", gateway_, kGateway);
  ipBox->Add(addresses, 0, wxALL, 4);
  column->Add(ipBox, 0, wxEXPAND | wxALL, 6);

  auto* systemBox = new wxStaticBoxSizer(wxVERTICAL, this, "System information");
  auto* lldp = new wxBoxSizer(wxHORIZONTAL);
  lldp->Add(new wxStaticText(systemBox->GetStaticBox(), wxID_ANY, "LLDP"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
  lldpEnable_ = new wxRadioButton(systemBox->GetStaticBox(), kLldpEnable, "Enable", wxDefaultPosition, wxDefaultSize,
                                  wxRB_GROUP);
  lldpDisable_ = new wxRadioButton(systemBox->GetStaticBox(), kLldpDisable, "Disable");
  lldp->Add(lldpEnable_, 0, wxRIGHT, 12);
  lldp->Add(lldpDisable_);
  systemBox->Add(lldp, 0, wxALL, 4);
  auto* texts = new wxFlexGridSizer(2, 4, 8);
  addRow(texts, systemBox->GetStaticBox(), "System Name", name_, kName);
  addRow(texts, systemBox->GetStaticBox(), "Location", location_, kLocation);
  systemBox->Add(texts, 0, wxALL, 4);
  column->Add(systemBox, 0, wxEXPAND | wxALL, 6);
  SetSizer(column);

  static_->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { EnableAddresses(true); });
  dhcp_->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { EnableAddresses(false); });
}

void CSwitchCfgSystemPage::EnableAddresses(bool enable) {
  for (wxTextCtrl* field : {ip_, netmask_, gateway_}) field->Enable(enable);
}

void CSwitchCfgSystemPage::Load() {
  model_ = std::make_unique<CSwitchSystemPageModel>(mac_);
  model_->Load();
  const SwitchSystemInput shown = model_->Shown();
  name_->ChangeValue(FromUtf8(shown.name));
  location_->ChangeValue(FromUtf8(shown.location));
  (shown.lldpEnabled ? lldpEnable_ : lldpDisable_)->SetValue(true);
  // A mode the switch never reported selects neither.
  static_->SetValue(shown.staticMode);
  dhcp_->SetValue(shown.dhcpMode);
  EnableAddresses(!shown.dhcpMode);
  ip_->ChangeValue(FromUtf8(shown.ip));
  netmask_->ChangeValue(FromUtf8(shown.netmask));
  gateway_->ChangeValue(FromUtf8(shown.gateway));
}

SwitchSystemInput CSwitchCfgSystemPage::Input() const {
  SwitchSystemInput input;
  input.staticMode = static_->GetValue();
  input.dhcpMode = dhcp_->GetValue();
  input.ip = ip_->GetValue().utf8_string();
  input.netmask = netmask_->GetValue().utf8_string();
  input.gateway = gateway_->GetValue().utf8_string();
  input.name = name_->GetValue().utf8_string();
  input.location = location_->GetValue().utf8_string();
  input.lldpEnabled = lldpEnable_->GetValue();
  return input;
}

bool CSwitchCfgSystemPage::Apply() {
  if (!model_) Load();
  const SwitchSystemInput input = Input();
  if (const auto message = CSwitchSystemPageModel::Check(input)) {
    platform::MessageBox(*message, {}, platform::MB_OK | platform::MB_ICONWARNING);
    return false;
  }
  model_->ReadDialogValues(input);
  model_->Apply();
  return true;
}
