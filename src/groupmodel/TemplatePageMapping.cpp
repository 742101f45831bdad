#include "groupmodel/TemplatePageMapping.h"

#include <charconv>

namespace {

// The key fields of one WEP size.
struct WepFields {
  int GroupTemplateRecord::*defaultKey;
  std::string GroupTemplateRecord::*keys[4];
};
using R = GroupTemplateRecord;
const WepFields kWep[] = {
    {&R::wep_64_def_key_value, {&R::wep_64_key1_value, &R::wep_64_key2_value, &R::wep_64_key3_value, &R::wep_64_key4_value}},
    {&R::wep_128_def_key_value, {&R::wep_128_key1_value, &R::wep_128_key2_value, &R::wep_128_key3_value, &R::wep_128_key4_value}},
    {&R::wep_152_def_key_value, {&R::wep_152_key1_value, &R::wep_152_key2_value, &R::wep_152_key3_value, &R::wep_152_key4_value}},
};

void SecurityFromTemplate(const GroupTemplateRecord& r, CWirelessPageModel& w) {
  if (r.security_type == -1) {
    w.includeSecurity = 0;
    return;
  }
  w.includeSecurity = 1;
  const int type = r.security_type;
  if (type == 1) {
    w.securityIndex = CWirelessPageModel::kSecurityDisable;
  } else if (type >= 2 && type <= 7) {
    w.securityIndex = CWirelessPageModel::kWep;
    w.wepSizeIndex = (type - 2) / 2;
    w.openSystem = type % 2 == 1;
  } else if (type >= 8 && type <= 11) {
    w.securityIndex = type <= 9 ? CWirelessPageModel::kWpa : CWirelessPageModel::kWpa2;
    w.pskMode = type % 2 == 0;
  }
  if (w.securityIndex == CWirelessPageModel::kWep) {
    w.keyTypeIndex = r.wep_64_key_type;
    const WepFields& wep = kWep[w.wepSizeIndex];
    w.defaultKeyIndex = r.*wep.defaultKey;
    for (int slot = 0; slot < 4; ++slot) w.wepKeys[slot] = r.*wep.keys[slot];
  }
  if (w.IsWpa()) {
    w.cipherTkip = r.security_cipher_type == 0;
    if (w.pskMode) {
      w.passphrase = r.wpa_pass_phrase;
      w.confirmedPassphrase = r.wpa_pass_phrase;
    } else {
      w.radius1Ip = r.radius_server1_ip;
      w.radius1Port = r.radius_server1_port;
      w.radius1Secret = r.radius_server1_secret;
      w.radius2Ip = r.radius_server2_ip;
      w.radius2Port = r.radius_server2_port;
      w.radius2Secret = r.radius_server2_secret;
    }
  }
}

void SecurityToTemplate(const CWirelessPageModel& w, GroupTemplateRecord* r) {
  switch (w.securityIndex) {
    case CWirelessPageModel::kSecurityDisable: r->security_type = 1; break;
    case CWirelessPageModel::kWep: r->security_type = 2 + 2 * w.wepSizeIndex + (w.openSystem ? 1 : 0); break;
    case CWirelessPageModel::kWpa: r->security_type = w.pskMode ? 8 : 9; break;
    case CWirelessPageModel::kWpa2: r->security_type = w.pskMode ? 10 : 11; break;
    default: break;
  }
  if (w.securityIndex == CWirelessPageModel::kWep && w.wepSizeIndex >= 0 && w.wepSizeIndex <= 2) {
    r->wep_64_key_type = w.keyTypeIndex;
    const WepFields& wep = kWep[w.wepSizeIndex];
    r->*wep.defaultKey = w.defaultKeyIndex;
    for (int slot = 0; slot < 4; ++slot) r->*wep.keys[slot] = w.wepKeys[slot];
  }
  if (w.IsWpa()) {
    r->security_cipher_type = w.cipherTkip ? 0 : 1;
    if (w.pskMode) r->wpa_pass_phrase = w.passphrase;
    r->radius_server1_ip = w.radius1Ip;
    r->radius_server1_port = w.radius1Port;
    r->radius_server1_secret = w.radius1Secret;
    r->radius_server2_ip = w.radius2Ip;
    r->radius_server2_port = w.radius2Port;
    r->radius_server2_secret = w.radius2Secret;
  }
}

// An include flag and value from a template int: -1 leaves the setting out.
template <typename Value>
void IntoPage(int stored, int& include, Value& value) {
  include = stored == -1 ? 0 : 1;
  if (stored != -1) value = static_cast<Value>(stored);
}

}  // namespace

void PagesFromTemplate(const GroupTemplateRecord& r, TemplatePages pages) {
  CWirelessPageModel& w = pages.wireless;
  if (r.loadbalance_group != -1) {
    w.includeLoadBalance = 1;
    w.loadBalanceChoice = r.loadbalance_group == 0 ? 1 : 0;
  }
  if (!r.UserNumberLimit.empty()) {
    w.includeUserLimit = 1;
    w.userNumberLimit = r.UserNumberLimit;
  }
  IntoPage(r.bg_mode, w.includeBgMode, w.bgModeIndex);
  w.includeRadio = r.wireless_radio == -1 ? 0 : 1;
  if (r.wireless_radio != -1) w.radioOn = r.wireless_radio == 1;
  w.includeSsid = r.ssid.empty() ? 0 : 1;
  w.ssid = r.ssid;
  if (r.channel != -1) {
    w.includeChannel = 1;
    w.channelIndex = r.channel - 1;
    w.autoChannelScan = false;
  } else if (r.auto_select_channel != -1) {
    w.includeChannel = 1;
    w.autoChannelScan = true;
  } else {
    w.includeChannel = 0;
  }
  IntoPage(r.super_g_mode, w.includeSuperG, w.superGIndex);
  w.includeWmm = r.wmm_function == -1 ? 0 : 1;
  if (r.wmm_function != -1) w.wmmEnabled = r.wmm_function == 1;
  w.includeSsidBroadcast = r.ssid_broadcast == -1 ? 0 : 1;
  if (r.ssid_broadcast != -1) w.ssidBroadcastEnabled = r.ssid_broadcast == 0;
  SecurityFromTemplate(r, w);

  CAdvancedPageModel& a = pages.advanced;
  using A = CAdvancedPageModel;
  IntoPage(r.tx_rate, a.include[A::kTxRate], a.txRateIndex);
  IntoPage(r.transmit_power, a.include[A::kTxPower], a.txPowerIndex);
  IntoPage(r.beacon_interval, a.include[A::kBeacon], a.beaconInterval);
  IntoPage(r.rts_threshold, a.include[A::kRts], a.rtsThreshold);
  IntoPage(r.fragmentation_threshold, a.include[A::kFragmentation], a.fragmentationThreshold);
  IntoPage(r.dtim_interval, a.include[A::kDtim], a.dtimInterval);
  a.include[A::kPreamble] = r.preamble_type == -1 ? 0 : 1;
  if (r.preamble_type != -1) a.shortPreamble = r.preamble_type == 1;
  IntoPage(r.cts_mode, a.include[A::kCts], a.ctsMode);
  a.include[A::kWlanPartition] = r.WLAN_Partition.empty() ? 0 : 1;
  if (!r.WLAN_Partition.empty()) {
    int value = 0;
    std::from_chars(r.WLAN_Partition.data(), r.WLAN_Partition.data() + r.WLAN_Partition.size(), value);
    a.wlanPartition = value;
  }

  pages.macFilter.filterType = r.mac_filter_type;
  pages.macFilter.entries = r.mac_control;
}

void TemplateFromPages(TemplatePages pages, GroupTemplateRecord* r) {
  const CWirelessPageModel& w = pages.wireless;
  if (w.includeLoadBalance) r->loadbalance_group = w.loadBalanceChoice == 0 ? 1 : 0;
  if (w.includeUserLimit) r->UserNumberLimit = w.userNumberLimit;
  if (w.includeBgMode) r->bg_mode = w.bgModeIndex;
  if (w.includeRadio) r->wireless_radio = w.radioOn ? 1 : 0;
  if (w.includeSsid) r->ssid = w.ssid;
  if (w.includeChannel) {
    if (w.autoChannelScan && !w.ChannelFixedByTurbo())
      r->auto_select_channel = 1;
    else
      r->channel = w.superGIndex == 2 ? 6 : w.channelIndex + 1;
  }
  if (w.includeSuperG) r->super_g_mode = w.superGIndex;
  if (w.includeWmm) r->wmm_function = w.wmmEnabled ? 1 : 0;
  if (w.includeSsidBroadcast) r->ssid_broadcast = w.ssidBroadcastEnabled ? 0 : 1;
  if (w.includeSecurity) SecurityToTemplate(w, r);

  const CAdvancedPageModel& a = pages.advanced;
  using A = CAdvancedPageModel;
  if (a.include[A::kTxRate]) r->tx_rate = a.txRateIndex;
  if (a.include[A::kTxPower]) r->transmit_power = a.txPowerIndex;
  if (a.include[A::kBeacon]) r->beacon_interval = a.beaconInterval;
  if (a.include[A::kRts]) r->rts_threshold = a.rtsThreshold;
  if (a.include[A::kFragmentation]) r->fragmentation_threshold = a.fragmentationThreshold;
  if (a.include[A::kDtim]) r->dtim_interval = a.dtimInterval;
  if (a.include[A::kPreamble]) r->preamble_type = a.shortPreamble ? 1 : 0;
  if (a.include[A::kCts]) r->cts_mode = a.ctsMode;
  // "1" Disable, "0" Enable; neither chosen stays out.
  if (a.include[A::kWlanPartition] && (a.wlanPartition == 0 || a.wlanPartition == 1))
    r->WLAN_Partition = std::to_string(a.wlanPartition);

  r->mac_filter_type = pages.macFilter.filterType;
  if (!pages.macFilter.entries.empty()) r->mac_control = pages.macFilter.entries;
}
