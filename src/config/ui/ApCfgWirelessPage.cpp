#include "config/ui/ApCfgWirelessPage.h"

#include "config/ui/ChoiceSelection.h"

namespace {

using M = CApWirelessPageModel;
using S = CApSecurityModel;

wxSizer* Pair(wxWindow* first, wxWindow* second) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(first, 0, wxRIGHT, 12);
  row->Add(second);
  return row;
}

}  // namespace

CApCfgWirelessPage::CApCfgWirelessPage(wxWindow* sheet, CApConfigSheetModel& model)
    : CApConfigPage(sheet, "Wireless", model, CApConfigSheetModel::kWireless), page_(model.wireless) {
  auto* grid = NewGrid();
  const wxString bgModes[] = {"Mixed", "G_only", "B_only"};
  bgMode_ = new wxChoice(this, M::kBgMode, wxDefaultPosition, wxDefaultSize, 3, bgModes);
  AddRow(grid, "B/G Mode", bgMode_, 1182);
  radioOn_ = new wxRadioButton(this, M::kRadioOn, "On", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  radioOff_ = new wxRadioButton(this, M::kRadioOff, "Off");
  AddRow(grid, "Wireless Radio", Pair(radioOn_, radioOff_), 1175);
  ssid_ = new wxTextCtrl(this, M::kSsid);
  ssid_->SetMaxLength(M::kMaxSsid);
  AddRow(grid, "Wireless Network Name (SSID)", ssid_, 1178);
  channel_ = new wxChoice(this, M::kChannel);
  autoChannel_ = new wxCheckBox(this, M::kAutoChannel, "Auto Channel Scan");
  AddRow(grid, "Channel", Pair(channel_, autoChannel_), 1151);
  const wxString superG[] = {"Disabled", "Super G without Turbo", "Super G with Dynamic Turbo"};
  superG_ = new wxChoice(this, M::kSuperG, wxDefaultPosition, wxDefaultSize, 3, superG);
  AddRow(grid, "Super G Mode", superG_, 1158);
  wmmOn_ = new wxRadioButton(this, M::kWmmOn, "Enable", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  wmmOff_ = new wxRadioButton(this, M::kWmmOff, "Disable");
  AddRow(grid, "WMM", Pair(wmmOn_, wmmOff_), 1164);
  broadcastOn_ = new wxRadioButton(this, M::kBroadcastOn, "Enable", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  broadcastOff_ = new wxRadioButton(this, M::kBroadcastOff, "Disable");
  AddRow(grid, "SSID Broadcast", Pair(broadcastOn_, broadcastOff_), 1169);
  const wxString kinds[] = {"Disable", "WEP", "WPA", "WPA2"};
  security_ = new wxChoice(this, S::kSecurity, wxDefaultPosition, wxDefaultSize, 4, kinds);
  AddRow(grid, "Security", security_, 1172);
  securityControls_ = std::make_unique<CSecurityControls>(this);
  auto* outer = new wxBoxSizer(wxVERTICAL);
  outer->Add(grid, 0, wxEXPAND | wxALL, 8);
  outer->Add(securityControls_->Sizer(), 1, wxEXPAND | wxLEFT | wxRIGHT, 8);
  SetSizerAndFit(outer);

  CSecurityControls& sc = *securityControls_;
  security_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
    Save();
    page_.ChooseSecurity(security_->GetSelection());
    ShowSecurityGroup();
  });
  sc.psk->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { page_.ChoosePsk(true); ShowSecurityGroup(); });
  sc.eap->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { page_.ChoosePsk(false); ShowSecurityGroup(); });
  sc.encryption->Bind(wxEVT_CHOICE, [this, &sc](wxCommandEvent&) {
    Save();
    page_.ChooseEncryption(sc.encryption->GetSelection());
    sc.ResetKeyBox(page_.security);
  });
  sc.keyType->Bind(wxEVT_CHOICE, [this, &sc](wxCommandEvent&) {
    Save();
    page_.ChooseKeyType(sc.keyType->GetSelection());
    sc.ResetKeyBox(page_.security);
  });
  sc.defaultKey->Bind(wxEVT_CHOICE, [this, &sc](wxCommandEvent&) {
    const int chosen = sc.defaultKey->GetSelection();
    page_.security.keyText = sc.key->GetValue().utf8_string();
    page_.ChooseDefaultKey(chosen);
    sc.key->ChangeValue(wxString::FromUTF8(page_.security.keyText));
  });
  autoChannel_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
    page_.SetAutoChannel(autoChannel_->GetValue());
    ShowChannelState();
  });
  superG_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
    page_.channelSelection = channel_->GetSelection();
    page_.ChooseSuperG(superG_->GetSelection());
    ShowChannelState();
  });
  bgMode_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
    if (!page_.ChooseBgMode(bgMode_->GetSelection())) SelectChoice(bgMode_, page_.bgModeIndex);
  });
}

void CApCfgWirelessPage::ShowChannelState() {
  channel_->Clear();
  for (const std::string& item : page_.channelItems) channel_->Append(wxString::FromUTF8(item));
  SelectChoice(channel_, page_.channelSelection);
  autoChannel_->SetValue(page_.autoChannel == 1);
  const bool reachable = model_.context.reachable;
  channel_->Enable(reachable && page_.channelEnabled);
  autoChannel_->Enable(reachable && page_.autoChannelEnabled);
  bgMode_->Enable(reachable && page_.bgModeEnabled);
  if (wxWindow* label = FindWindow(M::kBgModeLabel)) label->Enable(page_.bgModeEnabled);
}

void CApCfgWirelessPage::ShowSecurityGroup() {
  const CApSecurityModel::Group group = page_.ShowSecurityGroup();
  if (group == CApSecurityModel::kEapGroup) {
    securityControls_->radius2Ip->ChangeValue(wxString::FromUTF8(page_.security.radius2Ip));
    securityControls_->radius2Port->ChangeValue(std::to_string(page_.security.radius2Port));
  }
  securityControls_->ShowGroup(group);
}

void CApCfgWirelessPage::Load() {
  ApplyMarks(CApWirelessPageModel::Marks(model_.context.markers));
  SelectChoice(bgMode_, page_.bgModeIndex);
  (page_.radio ? radioOn_ : radioOff_)->SetValue(true);
  ssid_->ChangeValue(wxString::FromUTF8(page_.ssid));
  SelectChoice(superG_, page_.superGIndex);
  (page_.wmm ? wmmOn_ : wmmOff_)->SetValue(true);
  (page_.ssidBroadcast ? broadcastOn_ : broadcastOff_)->SetValue(true);
  SelectChoice(security_, page_.securityIndex);
  securityControls_->Load(page_.security);
  ShowChannelState();
  ShowSecurityGroup();
  if (!model_.context.reachable) {
    DisableControls({M::kBgMode, M::kRadioOn, M::kRadioOff, M::kSsid, M::kChannel, M::kAutoChannel, M::kSuperG,
                     M::kWmmOn, M::kWmmOff, M::kBroadcastOn, M::kBroadcastOff, S::kSecurity});
    securityControls_->Disable();
  }
}

void CApCfgWirelessPage::Save() {
  page_.radio = radioOn_->GetValue();
  page_.wmm = wmmOn_->GetValue();
  page_.ssidBroadcast = broadcastOn_->GetValue();
  page_.ssid = ssid_->GetValue().utf8_string();
  page_.channelSelection = channel_->GetSelection();
  page_.securityIndex = security_->GetSelection();
  securityControls_->Save(page_.security);
}

