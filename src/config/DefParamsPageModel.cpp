#include "config/DefParamsPageModel.h"

#include "config/DefaultParamsStore.h"
#include "config/TrimmedText.h"
#include "net/AddressText.h"

const std::vector<std::string>& CDefParamsPageModel::SecurityItems() {
  static const std::vector<std::string> items = {"", "Disable", "WEP", "WPA", "WPA2"};
  return items;
}

void CDefParamsPageModel::LoadDefaults() {
  CDefaultParamsStore().GetDefaultParams(record);
  apply = record.b_apply_defparam == 1;
  managementHost = record.trap_ip;
  ssid = record.ssid;
  securityCode = record.security_type;
  autoChannel = record.auto_select_channel >= 0 && record.auto_select_channel <= 2 ? record.auto_select_channel : 0;
  const CApSecurityModel::Kind kind = CApSecurityModel::KindOf(securityCode);
  securityIndex = kind == CApSecurityModel::kNone ? -1 : static_cast<int>(kind);
  WepKeyBlock block{};
  if (WepBlockOf(record, securityCode, block)) {
    security.TakeWepCode(securityCode);
    security.defaultKeyIndex = block.defaultKey;
    for (int key = 0; key < 4; ++key) security.keys[key] = *block.keys[key];
    security.keyTypeIndex = record.crvAPWEP64KeyType;
    loadedBlock_ = security.encryptionIndex;
  }
  security.psk = securityCode != 9 && securityCode != 11;
  if (securityCode == 8 || securityCode == 10) security.passPhrase = security.confirmedPassPhrase = record.wpa_pass_phrase;
  if (securityCode == 9 || securityCode == 11) {
    security.radius1Ip = record.radius_server1_ip;
    security.radius1Port = record.radius_server1_port;
    security.radius1Secret = record.radius_server1_secret;
    security.radius2Ip = record.radius_server2_ip;
    security.radius2Port = record.radius_server2_port;
    security.radius2Secret = record.radius_server2_secret;
  }
  if (security.defaultKeyIndex >= 0 && security.defaultKeyIndex <= 3)
    security.keyText = security.ShownKey(security.keys[security.defaultKeyIndex]);
  // The stored cipher counts 1 as AES; anything else shows as TKIP.
  if (securityIndex > 1) security.tkip = record.security_cipher_type != 1;
}

std::vector<std::string> CDefParamsPageModel::HostChoices(const std::vector<std::string>& localAddresses) const {
  std::vector<std::string> choices = {managementHost};
  for (const std::string& address : localAddresses)
    if (address != managementHost) choices.push_back(address);
  return choices;
}

CApSecurityModel::Kind CDefParamsPageModel::SecurityKind() const {
  return securityIndex < 0 || securityIndex > 4 ? CApSecurityModel::kNone
                                                : static_cast<CApSecurityModel::Kind>(securityIndex);
}

void CDefParamsPageModel::ChooseEncryption(int index) {
  security.encryptionIndex = index;
  security.ChangeKeyFormat();
}

void CDefParamsPageModel::ChooseKeyType(int index) {
  security.keyTypeIndex = index;
  security.ChangeKeyFormat();
}

PageCheck CDefParamsPageModel::Check() {
  managementHost = TrimmedText(managementHost);
  if (!managementHost.empty() && IsValidIpText(managementHost.c_str()) != 0)
    return PageCheckFailure{kManagementHost, "Management host IP address is invalid"};
  if (securityIndex >= 0) securityCode = security.CodeFor(SecurityKind());
  if (securityCode >= 2 && securityCode <= 7) return security.CheckWep();
  if (securityCode < 2) return std::nullopt;
  return security.psk ? security.CheckPassPhrase() : security.CheckRadius();
}

bool CDefParamsPageModel::Save() {
  record.b_apply_defparam = apply ? 1 : 0;
  record.trap_ip = managementHost;
  record.ssid = ssid;
  record.auto_select_channel = autoChannel;
  record.security_type = securityCode;
  const int code = securityCode;
  if (code >= 2 && code <= 7) {
    using P = CDefaultParams;
    static int P::*const defaults[] = {&P::wep_64_def_key_value, &P::wep_128_def_key_value, &P::wep_152_def_key_value};
    static std::string P::*const keys[3][4] = {
        {&P::wep_64_key1_value, &P::wep_64_key2_value, &P::wep_64_key3_value, &P::wep_64_key4_value},
        {&P::wep_128_key1_value, &P::wep_128_key2_value, &P::wep_128_key3_value, &P::wep_128_key4_value},
        {&P::wep_152_key1_value, &P::wep_152_key2_value, &P::wep_152_key3_value, &P::wep_152_key4_value}};
    const int block = (code - 2) / 2;
    record.*defaults[block] = security.defaultKeyIndex;
    // The keys the page holds belong to the block they were loaded from; another block takes only the
    // key that was typed.
    for (int key = 0; key < 4; ++key)
      if (block == loadedBlock_ || key == security.defaultKeyIndex) record.*keys[block][key] = security.keys[key];
  } else if (code == 8 || code == 10) {
    record.wpa_pass_phrase = security.passPhrase;
  } else if (code == 9 || code == 11) {
    record.radius_server1_ip = security.radius1Ip;
    record.radius_server1_port = security.radius1Port;
    record.radius_server1_secret = security.radius1Secret;
    record.radius_server2_ip = security.radius2Ip;
    record.radius_server2_port = security.radius2Port;
    record.radius_server2_secret = security.radius2Secret;
  }
  // The defaults keep the cipher as 2 TKIP, 1 AES.
  record.security_cipher_type = security.tkip ? 2 : 1;
  return CDefaultParamsStore().SaveDefaultParams(record, security.keyTypeIndex);
}
