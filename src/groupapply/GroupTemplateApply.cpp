#include "groupapply/GroupTemplateApply.h"

#include <algorithm>
#include <utility>

#include "groups/FilterMac.h"
#include "groups/GroupStore.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "log/LogDBModule.h"
#include "platform/DebugTrace.h"

namespace {

constexpr int kSyntaxInteger = 2;
constexpr int kSyntaxOctetString = 4;
constexpr int kLevelError = 1;

std::string Dec(int value) { return std::to_string(value); }

}  // namespace

CGroupTemplateApply::CGroupTemplateApply(std::string group, std::string ip, std::string mac, Callbacks callbacks)
    : group_(std::move(group)), ip_(std::move(ip)), mac_(std::move(mac)), callbacks_(std::move(callbacks)) {}

std::string CGroupTemplateApply::TxRateIndexToValue(int index) {
  static const char* const kRates[] = {"0", "2", "4", "11", "12", "18", "22", "24", "36", "48", "72", "96", "108"};
  return index >= 0 && index < static_cast<int>(std::size(kRates)) ? kRates[index] : "";
}

void CGroupTemplateApply::Run() {
  CGroupStore* store = GetGroupStore();
  DebugTrace("ApplyGroup : GetGroupTemplate");
  store->GetGroupTemplate(group_, &template_);  // a missing template includes nothing
  DebugTrace("GetDevPassword");
  const std::string community = store->GetDevPassword(mac_, KeyKind::Mac);
  if (community.empty())
    GetLogDBModule()->WriteSystemLog(kLevelError, "device " + ip_ + "[" + mac_ + "] empty password");
  snmp_.SetIp(ip_);
  snmp_.SetWriteCommunity(community);
  const std::string subject = "Apply " + group_ + " template to AP " + ip_ + "[" + mac_ + "] ";
  successText_ = subject + "success";
  failText_ = subject + "fail";
  notStoredText_ = subject + "changed on device, not saved";
  callbacks_.step();
  if (Cancelled()) return;
  DebugTrace("GetDevSysObjectID");
  root_ = store->GetDevSysObjectID(mac_, KeyKind::Mac);
  // Without the AP's own root every object would be addressed at the bare suffix.
  if (root_.empty()) return Fail("device " + ip_ + "[" + mac_ + "] has no sysObjectID");
  DebugTrace("gTemplate.iBGMode");
  if (!RadioSettings() || !SecuritySettings() || !RateSettings() || !FrameSettings()) return;
  Commit();
}

bool CGroupTemplateApply::RadioSettings() {
  const GroupTemplateRecord& t = template_;
  struct Row {
    bool included;
    const char* word;
    const char* suffix;
    std::string value;
    const char* column;
    Refusal refusal = Refusal::Counts;
  };
  // A fixed channel turns automatic selection off first; the AP may refuse a channel until then, so
  // only the second setting of it counts. Super G always brings bg mode 0 with it.
  const Row rows[] = {
      {t.bg_mode != -1, "set bgmode", ".4.25.0", Dec(t.bg_mode), "crvAPBGMode"},
      {t.wireless_radio != -1, "set wireless radio", ".4.21.0", Dec(t.wireless_radio), "crvAPWirelessRadio"},
      {!t.ssid.empty(), "set ssid", ".4.3.0", t.ssid, "crvAPssid"},
      {t.auto_select_channel != -1, "auto select channel", ".4.26.0", "1", "crvapautochannel"},
      {t.channel != -1, "disable channel", ".4.26.0", "0", "crvapautochannel"},
      {t.channel != -1, "set channel", ".4.2.0", Dec(t.channel), "crvAPChannel", Refusal::Ignored},
      {t.channel != -1, "set channel", ".4.2.0", Dec(t.channel), "crvAPChannel"},
      {t.super_g_mode != -1, "set superg", ".4.4.0", Dec(t.super_g_mode), "crvAPSuperG"},
      {t.super_g_mode != -1, "set bgmode", ".4.25.0", "0", "crvAPBGMode"},
      {t.wmm_function != -1, "set wmm function", ".4.20.0", Dec(t.wmm_function), "crvAPWMMFunc"},
      {t.ssid_broadcast != -1, "set ssid broadcast", ".4.14.0", Dec(t.ssid_broadcast), "crvAPSSIDBroadcast"},
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    if (i == 6) callbacks_.step();
    const Row& row = rows[i];
    if (row.included) Send(row.word, row.suffix, row.value, row.column, row.refusal);
    if (Cancelled()) return false;
  }
  return true;
}

bool CGroupTemplateApply::SecuritySettings() {
  const GroupTemplateRecord& t = template_;
  callbacks_.step();
  if (t.security_type != -1 && !SendChecked("set security", ".4.5.1.0", Dec(t.security_type), "crvAPSecurityType"))
    return false;
  if (Cancelled()) return false;
  const int type = t.security_type;
  if (type >= 2 && type <= 7) return WepKeys();
  if (type == 8 || type == 10)
    return SendChecked(nullptr, ".4.5.2.0", Dec(t.security_cipher_type), "crvAPSecurityCipherType") &&
           SendChecked(nullptr, ".4.5.3.0", t.wpa_pass_phrase, "crvAPWPAPassPhrase");
  if (type == 9 || type == 11) {
    if (!SendChecked(nullptr, ".4.5.5.1.0", t.radius_server1_ip, "radiusIP1") ||
        !SendChecked(nullptr, ".4.5.5.2.0", Dec(t.radius_server1_port), "radiusPort1") ||
        !SendChecked(nullptr, ".4.5.5.3.0", t.radius_server1_secret, "radiusSharedSecret1"))
      return false;
    // The second server is optional: each of its values only when the template has one.
    if (!t.radius_server2_ip.empty() && !SendChecked(nullptr, ".4.5.6.1.0", t.radius_server2_ip, "radiusIP2"))
      return false;
    if (t.radius_server2_port != 0 && t.radius_server2_port != -1 &&
        !SendChecked(nullptr, ".4.5.6.2.0", Dec(t.radius_server2_port), "radiusPort2"))
      return false;
    if (!t.radius_server2_secret.empty() &&
        !SendChecked(nullptr, ".4.5.6.3.0", t.radius_server2_secret, "radiusSharedSecret2"))
      return false;
  }
  return true;
}

bool CGroupTemplateApply::WepKeys() {
  using T = GroupTemplateRecord;
  struct KeySize {
    const char* bits;
    int T::*defaultKey;
    std::string T::*keys[4];
  };
  static const KeySize kSizes[] = {
      {"64", &T::wep_64_def_key_value,
       {&T::wep_64_key1_value, &T::wep_64_key2_value, &T::wep_64_key3_value, &T::wep_64_key4_value}},
      {"128", &T::wep_128_def_key_value,
       {&T::wep_128_key1_value, &T::wep_128_key2_value, &T::wep_128_key3_value, &T::wep_128_key4_value}},
      {"152", &T::wep_152_def_key_value,
       {&T::wep_152_key1_value, &T::wep_152_key2_value, &T::wep_152_key3_value, &T::wep_152_key4_value}},
  };
  const int sizeIndex = (template_.security_type - 2) / 2;
  const KeySize& size = kSizes[sizeIndex];
  const std::string object = ".4.5.4." + Dec(sizeIndex + 1);
  const std::string column = std::string("crvAPWEP") + size.bits;
  const int defaultKey = template_.*size.defaultKey;
  // The key type lives in the 64-bit field for every key size.
  if (!SendChecked(nullptr, object + ".1.0", Dec(template_.wep_64_key_type), "crvAPWEP64KeyType") ||
      !SendChecked(nullptr, object + ".2.0", Dec(defaultKey), (column + "DefaultKeyValue").c_str()))
    return false;
  if (defaultKey < 0 || defaultKey > 3) {
    allOk_ = false;
    GetLogDBModule()->WriteSystemLog(kLevelError, "device " + ip_ + "[" + mac_ + "] WEP default key " +
                                                      Dec(defaultKey) + " is not 0 to 3");
    return true;
  }
  return SendChecked(nullptr, object + "." + Dec(defaultKey + 3) + ".0", template_.*size.keys[defaultKey],
                     (column + "Key" + Dec(defaultKey + 1) + "Value").c_str());
}

bool CGroupTemplateApply::RateSettings() {
  const GroupTemplateRecord& t = template_;
  callbacks_.step();
  return (t.tx_rate == -1 ||
          SendChecked("set tx rate", ".4.6.0", TxRateIndexToValue(t.tx_rate), "crvAPTxRates")) &&
         (t.transmit_power == -1 ||
          SendChecked("set transmit power", ".4.7.0", Dec(t.transmit_power), "crvAPAntennaTransmitPower")) &&
         (t.beacon_interval == -1 ||
          SendChecked("set beacon intervals", ".4.11.0", Dec(t.beacon_interval), "crvAPBeaconInterval")) &&
         (t.rts_threshold == -1 ||
          SendChecked("set rts threshold", ".4.10.0", Dec(t.rts_threshold), "crvAPRTSThreshold"));
}

bool CGroupTemplateApply::FrameSettings() {
  const GroupTemplateRecord& t = template_;
  callbacks_.step();
  const bool sent =
      (t.fragmentation_threshold == -1 || SendChecked("set fragmentation", ".4.12.0", Dec(t.fragmentation_threshold),
                                                      "crvAPFragmentationThreshold")) &&
      (t.dtim_interval == -1 ||
       SendChecked("set dtim intervals", ".4.13.0", Dec(t.dtim_interval), "crvAPDTIMinterval")) &&
      (t.preamble_type == -1 ||
       SendChecked("set preamble type", ".4.15.0", Dec(t.preamble_type), "crvAPPreambleType")) &&
      (t.cts_mode == -1 || SendChecked("set cts mode", ".4.8.0", Dec(t.cts_mode), "crvAPCTSMode")) &&
      (t.WLAN_Partition.empty() ||
       SendChecked("set WLAN Partition", ".4.27.0", t.WLAN_Partition, "WLAN_Partition")) &&
      (t.mac_filter_type == -1 ||
       (SendChecked("set mac control list", ".3.1.0", Dec(t.mac_filter_type), "filterType") && MacFilter()));
  if (!sent) return false;
  // The management host, balancing and user limit are the load-balance manager's columns.
  LoadBalanceManager_DB* balance = GetLoadBalanceManager();
  if (!t.management_host.empty()) {
    PostStatus("set Trap Host");
    if (Cancelled()) return false;
    if (Send(nullptr, ".1.9.0", t.management_host, nullptr)) balance->SetApTrapHost(t.management_host, mac_);
  }
  if (t.loadbalance_group != -1) {
    PostStatus("set Load Balance status");
    balance->SetApLoadBalanceStatus(Dec(t.loadbalance_group), mac_);
  }
  if (!t.UserNumberLimit.empty()) {
    PostStatus("set number limit");
    if (Cancelled()) return false;
    if (Send(nullptr, ".4.16.0", t.UserNumberLimit, nullptr)) balance->SetApUserNumLimit(t.UserNumberLimit, mac_);
  }
  return true;
}

bool CGroupTemplateApply::MacFilter() {
  std::vector<std::string> onAp;
  const std::string table = root_ + ".3.5.1.2";
  std::string next = table;
  for (;;) {
    if (Cancelled()) return false;
    SnmpObject object;
    if (snmp_.GetNextObject(next, table, object) != 0) break;
    next = object.oid;
    onAp.push_back(groups::FilterMac(object.text));
  }
  std::vector<std::string> wanted;
  for (const MacControlEntry& entry : template_.mac_control) wanted.push_back(groups::FilterMac(entry.mac_address));
  const auto contains = [](const std::vector<std::string>& macs, const std::string& mac) {
    return std::any_of(macs.begin(), macs.end(),
                       [&](const std::string& other) { return groups::SameFilterMac(other, mac); });
  };
  const auto change = [&](const std::string& mac, const char* suffix, int operation) {
    if (Cancelled()) return false;
    if (snmp_.SetTyped(kSyntaxOctetString, root_ + suffix, mac) == 0)
      updates_.push_back({"ap_mac_control", mac, true, operation});
    else
      allOk_ = false;
    return true;
  };
  for (const std::string& mac : onAp)
    if (!contains(wanted, mac) && !change(mac, ".3.3.0", ApPropertyUpdate::kDeleteFilterMac)) return false;
  for (const std::string& mac : wanted)
    if (!contains(onAp, mac) && !change(mac, ".3.2.0", ApPropertyUpdate::kAddFilterMac)) return false;
  return true;
}

void CGroupTemplateApply::Commit() {
  callbacks_.status("Apply device " + ip_ + "  reboot..please wait a moment ");
  if (Cancelled()) return;
  // Nothing accepted, nothing to restart for.
  if (!updates_.empty()) {
    if (snmp_.SetTyped(kSyntaxInteger, root_ + ".1.3.0", "1") == 0)
      DebugTrace("Apply SyncApConfiguration\n");
    else
      allOk_ = false;
  }
  // What the AP accepted is on it now, whether or not everything was: the database follows the AP.
  const bool stored = GetGroupStore()->SyncApConfiguration(mac_, updates_) == 0;
  if (!allOk_) {
    GetLogDBModule()->WriteActionLog("got error on setting AP:" + ip_ + " with group setting");
    GetLogDBModule()->WriteActionLog(failText_);
  } else if (stored) {
    GetLogDBModule()->WriteActionLog(successText_);
  }
  // The AP runs with values the database does not hold.
  if (!stored) GetLogDBModule()->WriteActionLog(notStoredText_);
}

bool CGroupTemplateApply::Send(const char* word, const std::string& suffix, const std::string& value,
                               const char* column, Refusal refusal) {
  if (word) PostStatus(word);
  if (snmp_.Set(root_ + suffix, value) != 0) {
    if (refusal == Refusal::Counts) allOk_ = false;
    return false;
  }
  if (column) updates_.push_back({column, value, true, ApPropertyUpdate::kNoFilterOperation});
  return true;
}

bool CGroupTemplateApply::SendChecked(const char* word, const std::string& suffix, const std::string& value,
                                      const char* column) {
  if (word) PostStatus(word);
  if (Cancelled()) return false;
  Send(nullptr, suffix, value, column);
  return true;
}

void CGroupTemplateApply::PostStatus(const std::string& word) {
  callbacks_.status("Apply device " + ip_ + "\r\n\r\n" + word);
}

bool CGroupTemplateApply::Cancelled() {
  if (!callbacks_.cancelled()) return false;
  GetLogDBModule()->WriteActionLog(failText_);
  return true;
}

void CGroupTemplateApply::Fail(const std::string& systemLine) {
  GetLogDBModule()->WriteSystemLog(kLevelError, systemLine);
  GetLogDBModule()->WriteActionLog("got error on setting AP:" + ip_ + " with group setting");
  GetLogDBModule()->WriteActionLog(failText_);
}
