#include "quillon/ui/ConsoleConfigDlg.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/MessageBox.h"
#include "quillon/ConsoleSession.h"
#include "quillon/ConsoleValidators.h"

namespace quillon::ui {
namespace {

wxString Text(const std::string& text) { return wxString::FromUTF8(text); }
std::string Utf8(const wxTextCtrl* field) { return field->GetValue().utf8_string(); }

}  // namespace

CConsoleConfigDlg::CConsoleConfigDlg(wxWindow* parent, CConsoleSession& session, IConsoleTransport& transport,
                                     int selectedDevice)
    : wxDialog(parent, wxID_ANY, "Configuration setting"),
      session_(session),
      transport_(transport),
      selectedDevice_(selectedDevice) {
  auto* grid = new wxFlexGridSizer(4, wxSize(8, 6));
  const auto field = [&](int id, const char* label, long style = 0) {
    grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
    auto* text = new wxTextCtrl(this, id, wxString(), wxDefaultPosition, wxSize(160, -1), style);
    grid->Add(text, 1, wxEXPAND);
    return text;
  };
  productName_ = field(config_id::kProductName, "Product name", wxTE_READONLY);
  mac_ = field(config_id::kMac, "MAC Address", wxTE_READONLY);
  ipAddress_ = field(config_id::kIpAddress, "IP Address");
  subnetMask_ = field(config_id::kSubnetMask, "Subnet mask");
  gateway_ = field(config_id::kGateway, "Gateway");
  trapAddress_ = field(config_id::kTrapAddress, "Set trap to");
  systemName_ = field(config_id::kSystemName, "System name");
  location_ = field(config_id::kLocation, "Location");
  password_ = field(config_id::kPassword, "Password", wxTE_PASSWORD);
  groupInterval_ = field(config_id::kGroupInterval, "Group Interval");
  grid->Add(new wxStaticText(this, wxID_ANY, "DHCP"), 0, wxALIGN_CENTER_VERTICAL);
  auto* dhcp = new wxBoxSizer(wxHORIZONTAL);
  // One group, so choosing one clears the other; a switch that does not report DHCP has both disabled.
  enable_ = new wxRadioButton(this, config_id::kEnable, "Enable", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  disable_ = new wxRadioButton(this, config_id::kDisable, "Disable");
  dhcp->Add(enable_, 0, wxRIGHT, 8);
  dhcp->Add(disable_);
  grid->Add(dhcp);

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(new wxButton(this, config_id::kSet, "Set"), 0, wxALL, 4);
  buttons->Add(new wxButton(this, config_id::kCancel, "Cancel"), 0, wxALL, 4);
  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(grid, 1, wxEXPAND | wxALL, 8);
  layout->Add(buttons, 0, wxALIGN_RIGHT);
  SetSizerAndFit(layout);

  Bind(wxEVT_BUTTON, &CConsoleConfigDlg::OnSet, this, config_id::kSet);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CANCEL); }, config_id::kCancel);
  Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { ChooseDhcp(true); }, config_id::kEnable);
  Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { ChooseDhcp(false); }, config_id::kDisable);
  // Neither key ends the dialog.
  Bind(wxEVT_CHAR_HOOK, [](wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key != WXK_ESCAPE && key != WXK_RETURN && key != WXK_NUMPAD_ENTER) event.Skip();
  });
  Fill();
}

void CConsoleConfigDlg::Fill() {
  const ConsoleDeviceRecord& device = session_.Device(selectedDevice_);
  productName_->ChangeValue(Text(device.productName));
  systemName_->ChangeValue(Text(device.systemName));
  location_->ChangeValue(Text(device.location));
  mac_->ChangeValue(Text(device.macText));
  ipAddress_->ChangeValue(Text(AddressText(device.ipAddress)));
  subnetMask_->ChangeValue(Text(AddressText(ParseAddressText(device.subnetMaskText))));
  gateway_->ChangeValue(Text(AddressText(ParseAddressText(device.gatewayText))));
  trapAddress_->ChangeValue(Text(AddressText(ParseAddressText(device.trapIpText))));
  if (device.dhcpState == kDhcpNotReported) {
    enable_->Disable();
    disable_->Disable();
  } else {
    ChooseDhcp(device.dhcpState == 1);
  }
  if (device.groupInterval != -1) {
    groupInterval_->ChangeValue(wxString::Format("%d", device.groupInterval));
  } else {
    groupInterval_->Disable();
  }
  systemName_->SetMaxLength(field::kSystemName);
  location_->SetMaxLength(field::kLocation);
  password_->SetMaxLength(field::kPassword);
  groupInterval_->SetMaxLength(4);
}

void CConsoleConfigDlg::ChooseDhcp(bool enable) {
  enable_->SetValue(enable);
  disable_->SetValue(!enable);
  // A switch that takes its address from DHCP has no address of ours to set.
  for (wxTextCtrl* field : {ipAddress_, subnetMask_, gateway_}) field->Enable(!enable);
}

ConsoleConfigForm CConsoleConfigDlg::Form() const {
  ConsoleConfigForm form;
  form.productName = Utf8(productName_);
  form.systemName = Utf8(systemName_);
  form.location = Utf8(location_);
  form.macText = Utf8(mac_);
  form.password = Utf8(password_);
  if (enable_->IsEnabled() && enable_->GetValue()) form.dhcpEnable = true;
  if (disable_->IsEnabled() && disable_->GetValue()) form.dhcpEnable = false;
  form.ipAddress = ParseAddressText(Utf8(ipAddress_));
  form.subnetMask = ParseAddressText(Utf8(subnetMask_));
  form.gateway = ParseAddressText(Utf8(gateway_));
  form.trapAddress = ParseAddressText(Utf8(trapAddress_));
  form.groupIntervalEnabled = groupInterval_->IsEnabled();
  form.groupIntervalText = Utf8(groupInterval_);
  return form;
}

void CConsoleConfigDlg::OnSet(wxCommandEvent&) {
  transport_.RejoinMulticastGroup();
  const ConsoleConfigSet set = ComposeConfigSet(Form(), session_, selectedDevice_);
  if (!set.error.empty()) {
    platform::MessageBox(set.error, set.caption, platform::MB_ICONERROR);
    return;
  }
  // The switch's answer tells whether the set took; the dialog closes either way.
  session_.SendConsoleSet(set.record, set.dhcpAction, false, transport_);
  EndModal(wxID_OK);
}

}  // namespace quillon::ui
