#include "groupmodel/ui/CfgWirelessPage.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

#include "controls/MacEdit.h"
#include "groupmodel/ChannelCount.h"

namespace {
using M = CWirelessPageModel;
const std::initializer_list<int> kWepGroup = {M::kAuthLabel, M::kOpenSystem, M::kSharedKey, M::kWepSizeLabel,
                                              M::kWepSizeList, M::kKeyTypeLabel, M::kKeyTypeList,
                                              M::kDefaultKeyLabel, M::kDefaultKeyList, M::kKeyLabel, M::kKeyEdit};
const std::initializer_list<int> kWpaCommon = {M::kCipherLabel, M::kTkip, M::kAes, M::kPskEapLabel, M::kPsk, M::kEap};
const std::initializer_list<int> kPskOnly = {M::kPassphraseLabel, M::kPassphrase, M::kConfirmLabel, M::kConfirm};
const std::initializer_list<int> kEapOnly = {
    M::kRadius1Label, M::kRadius1IpLabel, M::kRadius1Ip, M::kRadius1PortLabel, M::kRadius1Port,
    M::kRadius1SecretLabel, M::kRadius1Secret, M::kRadius2Label, M::kRadius2IpLabel, M::kRadius2Ip,
    M::kRadius2PortLabel, M::kRadius2Port, M::kRadius2SecretLabel, M::kRadius2Secret};

// Which setting an include box stands for.
struct IncludeBox {
  int box;
  M::Setting setting;
};
const IncludeBox kIncludeBoxes[] = {{M::kBgModeBox, M::kBgMode},   {M::kRadioBox, M::kRadio},
                                    {M::kSsidBox, M::kSsid},       {M::kChannelBox, M::kChannel},
                                    {M::kSuperGBox, M::kSuperG},   {M::kWmmBox, M::kWmm},
                                    {M::kBroadcastBox, M::kSsidBroadcast}, {M::kSecurityBox, M::kSecurity}};
}  // namespace

CCfgWirelessPage::CCfgWirelessPage(wxWindow* sheet, CWirelessPageModel& model)
    : CTreePropPage(sheet, "Wireless"), model_(model), c_(this) {
  Build();
  Bind(wxEVT_SHOW, &CCfgWirelessPage::OnShow, this);
}

void CCfgWirelessPage::Build() {
  auto* grid = new wxFlexGridSizer(3, 4, 8);
  const auto add = [&](wxWindow* box, wxWindow* label, wxSizer* controls) {
    grid->Add(box ? box : new wxPanel(this), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(label, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(controls, 0, wxALIGN_CENTER_VERTICAL);
  };
  add(c_.Check(M::kLoadBalanceBox), c_.Label(M::kLoadBalanceLabel, "LoadBalance Select"),
      Row({c_.Radio(M::kLoadBalanceEnable, "Enable", true), c_.Radio(M::kLoadBalanceDisable, "Disable")}));
  add(c_.Check(M::kBgModeBox), c_.Label(M::kBgModeLabel, "B/G Mode"),
      Row({c_.Choice(M::kBgModeList, {"Mixed", "G_only", "B_only"})}));
  add(c_.Check(M::kRadioBox), c_.Label(M::kRadioLabel, "Wireless Radio"),
      Row({c_.Radio(M::kRadioOn, "On", true), c_.Radio(M::kRadioOff, "Off")}));
  add(c_.Check(M::kSsidBox), c_.Label(M::kSsidLabel, "Wireless Network Name (SSID)"), Row({c_.Edit(M::kSsidEdit, 32)}));
  add(c_.Check(M::kChannelBox), c_.Label(M::kChannelLabel, "Channel"),
      Row({c_.Choice(M::kChannelList, {}), c_.Check(M::kAutoScan, "Auto Channel Scan")}));
  add(c_.Check(M::kSuperGBox), c_.Label(M::kSuperGLabel, "Super G Mode"),
      Row({c_.Choice(M::kSuperGList, {"Disabled", "Super G without Turbo", "Super G with Dynamic Turbo"})}));
  add(c_.Check(M::kWmmBox), c_.Label(M::kWmmLabel, "WMM Function"),
      Row({c_.Radio(M::kWmmEnable, "Enable", true), c_.Radio(M::kWmmDisable, "Disable")}));
  add(c_.Check(M::kBroadcastBox), c_.Label(M::kBroadcastLabel, "SSID Broadcast"),
      Row({c_.Radio(M::kBroadcastEnable, "Enable", true), c_.Radio(M::kBroadcastDisable, "Disable")}));
  add(c_.Check(M::kUserLimitBox), c_.Label(M::kUserLimitLabel, "User Number Limit"), Row({c_.Edit(M::kUserLimitEdit)}));
  add(c_.Check(M::kSecurityBox), c_.Label(M::kSecurityLabel, "Security"),
      Row({c_.Choice(M::kSecurityList, {"Disable", "WEP", "WPA", "WPA2"})}));

  // The WEP, PSK and EAP groups share the space below; one is shown at a time.
  keyEdit_ = new CMacEdit(this, M::kKeyEdit);
  auto* security = new wxBoxSizer(wxVERTICAL);
  security->Add(Row({c_.Label(M::kAuthLabel, "Authentication :"), c_.Radio(M::kOpenSystem, "Open System", true),
                     c_.Radio(M::kSharedKey, "Shared Key")}));
  security->Add(Row({c_.Label(M::kWepSizeLabel, "WEP Encryption :"), c_.Choice(M::kWepSizeList, {"64Bit", "128Bit", "152Bit"}),
                     c_.Label(M::kKeyTypeLabel, "Key Type:"), c_.Choice(M::kKeyTypeList, {"HEX", "ASCII"})}));
  security->Add(Row({c_.Label(M::kDefaultKeyLabel, "Default Key :"),
                     c_.Choice(M::kDefaultKeyList, {"Key1", "Key2", "Key3", "Key4"}), c_.Label(M::kKeyLabel, "WEP-Key :"),
                     keyEdit_}));
  security->Add(Row({c_.Label(M::kCipherLabel, " Cipher Type:"), c_.Radio(M::kTkip, "TKIP", true), c_.Radio(M::kAes, "AES"),
                     c_.Label(M::kPskEapLabel, "PSK / EAP:"), c_.Radio(M::kPsk, " PSK", true), c_.Radio(M::kEap, "EAP")}));
  security->Add(Row({c_.Label(M::kPassphraseLabel, " Passphrase :"), c_.Edit(M::kPassphrase),
                     c_.Label(M::kConfirmLabel, "Confirmed Passphrase :"), c_.Edit(M::kConfirm)}));
  security->Add(Row({c_.Label(M::kRadius1Label, " RADIUS Server 1"), c_.Label(M::kRadius1IpLabel, "IP"),
                     c_.Edit(M::kRadius1Ip), c_.Label(M::kRadius1PortLabel, "Port"), c_.Edit(M::kRadius1Port, 5, true),
                     c_.Label(M::kRadius1SecretLabel, " Shared Secret"), c_.Edit(M::kRadius1Secret)}));
  security->Add(Row({c_.Label(M::kRadius2Label, " RADIUS Server 2"), c_.Label(M::kRadius2IpLabel, "IP"),
                     c_.Edit(M::kRadius2Ip), c_.Label(M::kRadius2PortLabel, "Port"), c_.Edit(M::kRadius2Port, 5, true),
                     c_.Label(M::kRadius2SecretLabel, " Shared Secret"), c_.Edit(M::kRadius2Secret)}));
  auto* page = new wxBoxSizer(wxVERTICAL);
  page->Add(grid, 0, wxALL, 8);
  page->Add(security, 0, wxLEFT | wxRIGHT | wxBOTTOM, 8);
  SetSizerAndFit(page);

  for (const IncludeBox& include : kIncludeBoxes) Bind(wxEVT_CHECKBOX, &CCfgWirelessPage::OnInclude, this, include.box);
  const auto onCheck = [this](int id, std::function<void()> change) {
    Bind(wxEVT_CHECKBOX, [this, change](wxCommandEvent&) { Change(change); }, id);
  };
  const auto onRadio = [this](int id, std::function<void()> change) {
    Bind(wxEVT_RADIOBUTTON, [this, change](wxCommandEvent&) { Change(change); }, id);
  };
  const auto onChoice = [this](int id, std::function<void(int)> change) {
    Bind(wxEVT_CHOICE, [this, change](wxCommandEvent& event) { Change([&] { change(event.GetSelection()); }); }, id);
  };
  onCheck(M::kLoadBalanceBox, [this] { model_.ToggleLoadBalanceInclude(); });
  onCheck(M::kUserLimitBox, [this] { model_.ToggleUserLimitInclude(); });
  onCheck(M::kAutoScan, [this] { model_.SetAutoChannelScan(c_.IsChecked(M::kAutoScan)); });
  onRadio(M::kLoadBalanceEnable, [this] { model_.EnableLoadBalance(); });
  onRadio(M::kLoadBalanceDisable, [this] { model_.DisableLoadBalance(); });
  onRadio(M::kPsk, [this] { model_.SetPskMode(true); });
  onRadio(M::kEap, [this] { model_.SetPskMode(false); });
  onChoice(M::kBgModeList, [this](int index) { model_.SelectBgMode(index); });
  onChoice(M::kSuperGList, [this](int index) { model_.SelectSuperG(index); });
  onChoice(M::kSecurityList, [this](int index) { model_.SelectSecurity(index); });
  onChoice(M::kWepSizeList, [this](int index) { model_.SelectWepSize(index); });
  onChoice(M::kKeyTypeList, [this](int index) { model_.SelectKeyType(index); });
  onChoice(M::kDefaultKeyList, [this](int index) { model_.SelectDefaultKey(index); });
  onChoice(M::kChannelList, [this](int index) {
    if (!model_.ChannelFixedByTurbo()) model_.channelIndex = index;
  });
}

void CCfgWirelessPage::OnShow(wxShowEvent& event) {
  event.Skip();
  if (!event.IsShown() || opened_) return;
  opened_ = true;
  model_.Open(ReadChannelCount());
  Refresh();
}

void CCfgWirelessPage::Change(const std::function<void()>& change) {
  ReadControls();
  change();
  Refresh();
}

void CCfgWirelessPage::OnInclude(wxCommandEvent& event) {
  for (const IncludeBox& include : kIncludeBoxes)
    if (include.box == event.GetId()) Change([&] { model_.ToggleInclude(include.setting); });
}

void CCfgWirelessPage::ReadControls() {
  model_.ssid = c_.Text(M::kSsidEdit);
  model_.userNumberLimit = c_.Text(M::kUserLimitEdit);
  model_.radioOn = c_.IsChecked(M::kRadioOn);
  model_.wmmEnabled = c_.IsChecked(M::kWmmEnable);
  model_.ssidBroadcastEnabled = c_.IsChecked(M::kBroadcastEnable);
  model_.openSystem = c_.IsChecked(M::kOpenSystem);
  model_.cipherTkip = c_.IsChecked(M::kTkip);
  model_.keyText = c_.Text(M::kKeyEdit);
  model_.passphrase = c_.Text(M::kPassphrase);
  model_.confirmedPassphrase = c_.Text(M::kConfirm);
  model_.radius1Ip = c_.Text(M::kRadius1Ip);
  model_.radius1Port = c_.Number(M::kRadius1Port);
  model_.radius1Secret = c_.Text(M::kRadius1Secret);
  model_.radius2Ip = c_.Text(M::kRadius2Ip);
  model_.radius2Port = c_.Number(M::kRadius2Port);
  model_.radius2Secret = c_.Text(M::kRadius2Secret);
}

void CCfgWirelessPage::Refresh() {
  const CWirelessPageModel& m = model_;
  const bool locked = m.LockedByLoadBalance();
  c_.SetChecked(M::kLoadBalanceBox, m.includeLoadBalance);
  c_.Enable({M::kLoadBalanceEnable, M::kLoadBalanceDisable, M::kLoadBalanceLabel}, m.includeLoadBalance);
  c_.SetChecked(m.loadBalanceChoice == 0 ? M::kLoadBalanceEnable : M::kLoadBalanceDisable, true);

  c_.SetChecked(M::kBgModeBox, m.includeBgMode);
  c_.Enable({M::kBgModeLabel, M::kBgModeList}, m.includeBgMode);
  c_.Select(M::kBgModeList, m.bgModeIndex);

  c_.SetChecked(M::kRadioBox, m.includeRadio);
  c_.Enable({M::kRadioLabel, M::kRadioOn, M::kRadioOff}, m.includeRadio);
  c_.SetChecked(m.radioOn ? M::kRadioOn : M::kRadioOff, true);

  c_.SetChecked(M::kSsidBox, m.includeSsid);
  c_.Enable({M::kSsidBox}, !locked);
  c_.Enable({M::kSsidLabel, M::kSsidEdit}, m.includeSsid);
  c_.SetText(M::kSsidEdit, m.ssid);

  std::vector<std::string> channels;
  for (int channel : m.ChannelChoices()) channels.push_back(std::to_string(channel));
  c_.SetItems(M::kChannelList, channels);
  c_.Select(M::kChannelList, m.ChannelFixedByTurbo() ? 0 : m.channelIndex);
  c_.SetChecked(M::kChannelBox, m.includeChannel);
  c_.SetChecked(M::kAutoScan, m.autoChannelScan);
  c_.Enable({M::kChannelBox}, !m.ChannelFixedByTurbo());
  c_.Enable({M::kChannelLabel}, m.includeChannel);
  c_.Enable({M::kAutoScan}, m.includeChannel && !m.ChannelFixedByTurbo());
  c_.Enable({M::kChannelList}, m.ChannelListEnabled());

  c_.SetChecked(M::kSuperGBox, m.includeSuperG);
  c_.Enable({M::kSuperGLabel, M::kSuperGList}, m.includeSuperG);
  c_.Select(M::kSuperGList, m.superGIndex);

  c_.SetChecked(M::kWmmBox, m.includeWmm);
  c_.Enable({M::kWmmLabel, M::kWmmEnable, M::kWmmDisable}, m.includeWmm);
  c_.SetChecked(m.wmmEnabled ? M::kWmmEnable : M::kWmmDisable, true);

  c_.SetChecked(M::kBroadcastBox, m.includeSsidBroadcast);
  c_.Enable({M::kBroadcastLabel, M::kBroadcastEnable, M::kBroadcastDisable}, m.includeSsidBroadcast);
  c_.SetChecked(m.ssidBroadcastEnabled ? M::kBroadcastEnable : M::kBroadcastDisable, true);

  c_.SetChecked(M::kUserLimitBox, m.includeUserLimit);
  c_.Enable({M::kUserLimitBox}, !locked);
  c_.Enable({M::kUserLimitLabel, M::kUserLimitEdit}, m.includeUserLimit);
  c_.SetText(M::kUserLimitEdit, m.userNumberLimit);

  c_.SetChecked(M::kSecurityBox, m.includeSecurity);
  c_.Enable({M::kSecurityBox}, !locked);
  c_.Select(M::kSecurityList, m.securityIndex);
  c_.SetChecked(m.openSystem ? M::kOpenSystem : M::kSharedKey, true);
  c_.Select(M::kWepSizeList, m.wepSizeIndex);
  c_.Select(M::kKeyTypeList, m.keyTypeIndex);
  c_.Select(M::kDefaultKeyList, m.defaultKeyIndex);
  if (auto length = m.KeyEditLength()) keyEdit_->SetMode(*length);
  c_.SetText(M::kKeyEdit, m.keyText);
  c_.SetChecked(m.cipherTkip ? M::kTkip : M::kAes, true);
  c_.SetChecked(m.pskMode ? M::kPsk : M::kEap, true);
  c_.SetText(M::kPassphrase, m.passphrase);
  c_.SetText(M::kConfirm, m.confirmedPassphrase);
  c_.SetText(M::kRadius1Ip, m.radius1Ip);
  c_.SetText(M::kRadius1Port, std::to_string(m.radius1Port));
  c_.SetText(M::kRadius1Secret, m.radius1Secret);
  c_.SetText(M::kRadius2Ip, m.radius2Ip);
  c_.SetText(M::kRadius2Port, std::to_string(m.radius2Port));
  c_.SetText(M::kRadius2Secret, m.radius2Secret);
  c_.Show(kWepGroup, m.ShowsWepGroup());
  c_.Show(kWpaCommon, m.IsWpa());
  c_.Show(kPskOnly, m.ShowsPskGroup());
  c_.Show(kEapOnly, m.ShowsEapGroup());
  const bool security = m.includeSecurity;
  c_.Enable({M::kSecurityLabel, M::kSecurityList}, security);
  c_.Enable(kWepGroup, security);
  c_.Enable(kWpaCommon, security);
  c_.Enable(kPskOnly, security);
  c_.Enable(kEapOnly, security);
  Layout();
}

bool CCfgWirelessPage::OnKillActive() {
  if (!opened_) return true;
  ReadControls();
  if (auto failure = model_.Validate()) {
    Refresh();
    c_.ShowFailure(*failure);
    return false;
  }
  if (model_.WantsMacFilterPage() && macFilterRequest_) CallAfter(macFilterRequest_);
  return true;
}
