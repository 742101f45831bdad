#include "config/ui/SecurityControls.h"

#include <wx/stattext.h>

#include <cstdlib>

#include "config/ui/ChoiceSelection.h"

namespace {

using S = CApSecurityModel;

wxFlexGridSizer* Grid(wxPanel* panel) {
  auto* grid = new wxFlexGridSizer(2, wxSize(8, 4));
  grid->AddGrowableCol(1);
  panel->SetSizer(grid);
  return grid;
}

void Row(wxFlexGridSizer* grid, wxWindow* parent, const wxString& label, wxWindow* control) {
  grid->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(control, 1, wxEXPAND);
}

wxSizer* Pair(wxWindow* first, wxWindow* second) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(first, 0, wxRIGHT, 12);
  row->Add(second);
  return row;
}

int Number(const wxTextCtrl* edit) { return std::atoi(edit->GetValue().utf8_string().c_str()); }

}  // namespace

CSecurityControls::CSecurityControls(wxWindow* page) : page_(page) {
  sizer_ = new wxBoxSizer(wxVERTICAL);
  wep_ = new wxPanel(page);
  auto* wep = Grid(wep_);
  openSystem = new wxRadioButton(wep_, S::kOpenSystem, "Open System", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  sharedKey = new wxRadioButton(wep_, S::kSharedKey, "Shared Key");
  wep->Add(new wxStaticText(wep_, 1188, "Authentication :"), 0, wxALIGN_CENTER_VERTICAL);
  wep->Add(Pair(openSystem, sharedKey));
  const wxString sizes[] = {"64Bit", "128Bit", "152Bit"}, types[] = {"HEX", "ASCII"},
                 keys[] = {"Key1", "Key2", "Key3", "Key4"};
  encryption = new wxChoice(wep_, S::kEncryption, wxDefaultPosition, wxDefaultSize, 3, sizes);
  Row(wep, wep_, "WEP Encryption :", encryption);
  keyType = new wxChoice(wep_, S::kKeyType, wxDefaultPosition, wxDefaultSize, 2, types);
  Row(wep, wep_, "Key Type:", keyType);
  defaultKey = new wxChoice(wep_, S::kDefaultKey, wxDefaultPosition, wxDefaultSize, 4, keys);
  Row(wep, wep_, "Default Key :", defaultKey);
  key = new CMacEdit(wep_, S::kKey);
  Row(wep, wep_, "WEP-Key :", key);

  wpa_ = new wxPanel(page);
  auto* wpa = Grid(wpa_);
  tkip = new wxRadioButton(wpa_, S::kTkip, "TKIP", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  aes = new wxRadioButton(wpa_, S::kAes, "AES");
  wpa->Add(new wxStaticText(wpa_, 1215, " Cipher Type:"), 0, wxALIGN_CENTER_VERTICAL);
  wpa->Add(Pair(tkip, aes));
  psk = new wxRadioButton(wpa_, S::kPsk, " PSK", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  eap = new wxRadioButton(wpa_, S::kEap, "EAP");
  wpa->Add(new wxStaticText(wpa_, 11054, "PSK / EAP:"), 0, wxALIGN_CENTER_VERTICAL);
  wpa->Add(Pair(psk, eap));

  pskPanel_ = new wxPanel(page);
  auto* phrases = Grid(pskPanel_);
  passPhrase = new wxTextCtrl(pskPanel_, S::kPassPhrase, "", wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
  Row(phrases, pskPanel_, " Passphrase :", passPhrase);
  confirmed = new wxTextCtrl(pskPanel_, S::kConfirmedPassPhrase, "", wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
  Row(phrases, pskPanel_, "Confirmed Passphrase :", confirmed);

  eapPanel_ = new wxPanel(page);
  auto* servers = Grid(eapPanel_);
  radius1Ip = new wxTextCtrl(eapPanel_, S::kRadius1Ip);
  Row(servers, eapPanel_, " RADIUS Server 1  IP", radius1Ip);
  radius1Port = new wxTextCtrl(eapPanel_, S::kRadius1Port);
  Row(servers, eapPanel_, "Port", radius1Port);
  radius1Secret = new wxTextCtrl(eapPanel_, S::kRadius1Secret, "", wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
  Row(servers, eapPanel_, " Shared Secret", radius1Secret);
  radius2Ip = new wxTextCtrl(eapPanel_, S::kRadius2Ip);
  Row(servers, eapPanel_, " RADIUS Server 2  IP", radius2Ip);
  radius2Port = new wxTextCtrl(eapPanel_, S::kRadius2Port);
  Row(servers, eapPanel_, "Port", radius2Port);
  radius2Secret = new wxTextCtrl(eapPanel_, S::kRadius2Secret, "", wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
  Row(servers, eapPanel_, " Shared Secret", radius2Secret);

  for (wxPanel* panel : {wep_, wpa_, pskPanel_, eapPanel_}) sizer_->Add(panel, 0, wxEXPAND | wxBOTTOM, 4);
}

void CSecurityControls::Load(const CApSecurityModel& model) {
  (model.openSystem ? openSystem : sharedKey)->SetValue(true);
  SelectChoice(encryption, model.encryptionIndex);
  SelectChoice(keyType, model.keyTypeIndex);
  SelectChoice(defaultKey, model.defaultKeyIndex);
  key->SetMode(model.KeyBoxLength());
  key->ChangeValue(wxString::FromUTF8(model.keyText));
  (model.tkip ? tkip : aes)->SetValue(true);
  (model.psk ? psk : eap)->SetValue(true);
  passPhrase->ChangeValue(wxString::FromUTF8(model.passPhrase));
  confirmed->ChangeValue(wxString::FromUTF8(model.confirmedPassPhrase));
  radius1Ip->ChangeValue(wxString::FromUTF8(model.radius1Ip));
  radius1Port->ChangeValue(std::to_string(model.radius1Port));
  radius1Secret->ChangeValue(wxString::FromUTF8(model.radius1Secret));
  radius2Ip->ChangeValue(wxString::FromUTF8(model.radius2Ip));
  radius2Port->ChangeValue(std::to_string(model.radius2Port));
  radius2Secret->ChangeValue(wxString::FromUTF8(model.radius2Secret));
}

void CSecurityControls::Save(CApSecurityModel& model) const {
  model.openSystem = openSystem->GetValue();
  model.encryptionIndex = encryption->GetSelection();
  model.keyTypeIndex = keyType->GetSelection();
  model.defaultKeyIndex = defaultKey->GetSelection();
  model.keyText = key->GetValue().utf8_string();
  model.tkip = tkip->GetValue();
  model.psk = psk->GetValue();
  model.passPhrase = passPhrase->GetValue().utf8_string();
  model.confirmedPassPhrase = confirmed->GetValue().utf8_string();
  model.radius1Ip = radius1Ip->GetValue().utf8_string();
  model.radius1Port = Number(radius1Port);
  model.radius1Secret = radius1Secret->GetValue().utf8_string();
  model.radius2Ip = radius2Ip->GetValue().utf8_string();
  model.radius2Port = Number(radius2Port);
  model.radius2Secret = radius2Secret->GetValue().utf8_string();
}

void CSecurityControls::ShowGroup(CApSecurityModel::Group group) {
  wep_->Show(group == CApSecurityModel::kWepGroup);
  wpa_->Show(group == CApSecurityModel::kPskGroup || group == CApSecurityModel::kEapGroup);
  pskPanel_->Show(group == CApSecurityModel::kPskGroup);
  eapPanel_->Show(group == CApSecurityModel::kEapGroup);
  page_->Layout();
}

void CSecurityControls::ResetKeyBox(const CApSecurityModel& model) {
  key->SetMode(model.KeyBoxLength());
  key->ChangeValue(wxString::FromUTF8(model.keyText));
}

void CSecurityControls::Disable() {
  for (wxPanel* panel : {wep_, wpa_, pskPanel_, eapPanel_}) panel->Disable();
}
