#include "config/ApObjectTable.h"

#include <algorithm>

namespace {

using Words = std::vector<std::pair<std::string, std::string>>;
constexpr auto kRaw = ApUnmatchedValue::kRaw;
constexpr auto kIgnore = ApUnmatchedValue::kIgnore;
constexpr auto kEmpty = ApUnmatchedValue::kEmpty;
constexpr auto kRestart = ApCommitClass::kRestart;

const Words kDefaultKeyWords = {{"0", "key1"}, {"1", "key2"}, {"2", "key3"}, {"3", "key4"}};

std::vector<ApObjectRow> BuildRows() {
  std::vector<ApObjectRow> rows = {
      {".1.10.1.0", "ip type", {{"1", "dhcp"}, {"0", "static ip"}}, kIgnore, "APSysDHCP", "set ip mode.."},
      {".1.10.2.0", "ip", {}, kRaw, "ip", "set ip address.."},
      {".1.10.4.0", "subnet mask", {}, kRaw, "APSysSubnetMask", "set subnet mask.."},
      {".1.10.3.0", "gate way", {}, kRaw, "APSysDefaultGateway", "set gateway.."},
      {".4.1.0", "name", {}, kRaw, "crvAPName", "set name..", ApCommitClass::kNone},
      {".4.16.0", "user limit", {}, kRaw, "crvAPUserNumLimit", "set user number limit..",
       ApCommitClass::kRestartIfBalancing},
      {".1.3.6.1.2.1.1.6.0", "location", {}, kRaw, "location", "set location.."},
      {".1.14.0", "country code", {}, kRaw, "APSysCountryCode", "set country code.."},
      {".1.9.0", "trap host", {}, kRaw, "enterpriseAPSysSNMPTrapIP", "set trap host..", ApCommitClass::kApply},
      {".4.18.0", "load balance", {}, kRaw, "crvAPWaterLevelBalancing", "set load balance.."},
      {".4.25.0", "bg mode", {{"0", "b/g"}, {"1", "g_only"}, {"2", "b_only"}}, kIgnore, "crvAPBGMode",
       "set bgmode.."},
      {".4.21.0", "wireless radio", {{"1", "on"}, {"0", "off"}}, kIgnore, "crvAPWirelessRadio",
       "set wireless radio.."},
      {".4.3.0", "ssid", {}, kRaw, "crvAPssid", "set ssid.."},
      {".4.2.0", "channel", {}, kRaw, "crvAPChannel", "set channel.."},
      {".4.4.0", "superg",
       {{"0", "disabled"}, {"1", "super g without turbo"}, {"2", "super g with dynamic turbo"}}, kIgnore,
       "crvAPSuperG", "set superg mode.."},
      {".4.20.0", "wmm function", {{"1", "enable"}, {"0", "disable"}}, kEmpty, "crvAPWMMFunc",
       "set wmm function.."},
      {".4.14.0", "ssid broadcast", {{"0", "enable"}, {"1", "disable"}}, kEmpty, "crvAPSSIDBroadcast",
       "set ssid broadcast.."},
      {".4.5.1.0", "security type",
       {{"1", "disable"}, {"2", "wep-64bits-share"}, {"3", "wep-64bits-opensystem"}, {"4", "wep-128bits-share"},
        {"5", "wep-128bits-opensystem"}, {"6", "wep-152bits-share"}, {"7", "wep-152bits-opensystem"},
        {"8", "wpa-psk"}, {"9", "wpa-eap"}, {"10", "wpa2-psk"}, {"11", "wpa2-eap"}},
       kIgnore, "crvAPSecurityType", "set security type.."},
      {".4.5.4.1.2.0", "wep64 default Key", kDefaultKeyWords, kIgnore, "crvAPWEP64DefaultKeyValue",
       "set wep64 default key.."},
      {".4.5.4.2.2.0", "wep128 default Key", kDefaultKeyWords, kIgnore, "crvAPWEP128DefaultKeyValue",
       "set wep128 default key.."},
      {".4.5.4.3.2.0", "wep152 default Key", kDefaultKeyWords, kIgnore, "crvAPWEP152DefaultKeyValue",
       "set wep152 default key.."},
  };
  const char* const sizes[] = {"64", "128", "152"};
  for (int block = 0; block < 3; ++block)
    for (int key = 1; key <= 4; ++key) {
      const std::string bits = sizes[block], number = std::to_string(key);
      rows.push_back({".4.5.4." + std::to_string(block + 1) + "." + std::to_string(key + 2) + ".0",
                      "wep" + bits + "Key" + number, {}, kRaw, "crvAPWEP" + bits + "Key" + number + "Value",
                      "set wep" + bits + " key" + number + "..", kRestart, true});
    }
  const std::vector<ApObjectRow> rest = {
      {".4.5.2.0", "wpa cipher type", {{"0", "tkip"}, {"1", "aes"}, {"2", "auto"}}, kIgnore,
       "crvAPSecurityCipherType", "set wpa cipher type.."},
      {".4.5.3.0", "wpa passphrase", {}, kRaw, "crvAPWPAPassPhrase", "set wpa passphrase..", kRestart, true},
      {".4.5.5.1.0", "radius server1 ip", {}, kRaw, "radiusIP1", "set radius server1 ip.."},
      {".4.5.5.2.0", "radius server1 port", {}, kRaw, "radiusPort1", "set radius server1 port.."},
      {".4.5.5.3.0", "radius server1 secret", {}, kRaw, "radiusSharedSecret1", "set radius server1 secret..",
       kRestart, true},
      {".4.5.6.1.0", "radius server2 ip", {}, kRaw, "radiusIP2", "set radius server2 ip.."},
      {".4.5.6.2.0", "radius server2 port", {}, kRaw, "radiusPort2", "set radius server2 port.."},
      {".4.5.6.3.0", "radius server2 secret", {}, kRaw, "radiusSharedSecret2", "set radius server2 secret..",
       kRestart, true},
      {".4.6.0", "tx rates",
       {{"0", "Auto"}, {"2", "1Mbps"}, {"4", "2Mbps"}, {"11", "5Mbps"}, {"12", "6Mbps"}, {"18", "9Mbps"},
        {"22", "11Mbps"}, {"24", "12Mbps"}, {"36", "18Mbps"}, {"48", "24Mbps"}, {"72", "36Mbps"},
        {"96", "48Mbps"}, {"108", "54Mbps"}},
       kIgnore, "crvAPTxRates", "set tx rates.."},
      {".4.7.0", "transmit power", {{"0", "100%"}, {"1", "50%"}, {"2", "25%"}, {"3", "12.5%"}}, kIgnore,
       "crvAPAntennaTransmitPower", "set transmit power.."},
      {".4.11.0", "beacon interval", {}, kRaw, "crvAPBeaconInterval", "set beacon interval.."},
      {".4.10.0", "rts threshold", {}, kRaw, "crvAPRTSThreshold", "set rts threshold.."},
      {".4.12.0", "fragmentation", {}, kRaw, "crvAPFragmentationThreshold", "set fragmentation.."},
      {".4.13.0", "dtim interval", {}, kRaw, "crvAPDTIMinterval", "set dtim interval.."},
      {".4.15.0", "preamble type", {{"0", "long"}, {"1", "short"}}, kIgnore, "crvAPPreambleType",
       "set preamble type.."},
      {".4.8.0", "cts mode", {{"0", "disable"}, {"1", "always"}, {"2", "auto"}}, kIgnore, "crvAPCTSMode",
       "set cts mode.."},
      {".4.27.0", "WLAN Partition", {{"0", "enable"}, {"1", "disable"}}, kIgnore, "WLAN_Partition",
       "set WLAN Partition.."},
      {".3.1.0", "mac control filter", {{"0", "disable"}, {"1", "only allow"}, {"2", "only deny"}}, kIgnore,
       "filterType", "set mac control filter.."},
      // The filter rows have texts of their own (the AP-set job writes them).
      {ApObjectTable::kAddFilterMac, "", {}, kRaw, "ap_mac_control", "add mac control .."},
      {ApObjectTable::kDeleteFilterMac, "", {}, kRaw, "ap_mac_control", "add mac control .."},
      {ApObjectTable::kAutoChannel, "", {}, kRaw, "crvapautochannel", ""},
      {".4.5.4.1.1.0", "", {}, kRaw, "crvAPWEP64KeyType", ""},
      {".4.5.4.2.1.0", "", {}, kRaw, "crvAPWEP64KeyType", ""},
      {".4.5.4.3.1.0", "", {}, kRaw, "crvAPWEP64KeyType", ""},
  };
  rows.insert(rows.end(), rest.begin(), rest.end());
  for (ApObjectRow& row : rows)
    if (row.key == ".4.18.0") row.fixedWord = "disable";
  return rows;
}

}  // namespace

const std::vector<ApObjectRow>& ApObjectTable::Rows() {
  static const std::vector<ApObjectRow> rows = BuildRows();
  return rows;
}

const ApObjectRow* ApObjectTable::Find(const std::string& key) {
  const auto& rows = Rows();
  const auto found = std::find_if(rows.begin(), rows.end(), [&](const ApObjectRow& row) { return row.key == key; });
  return found == rows.end() ? nullptr : &*found;
}

ApCommitClass ApObjectTable::CommitOf(const std::string& key) {
  // The write community and the two load-balance objects are set by other tools but share the rule.
  if (key == ".1.4.0") return ApCommitClass::kApply;
  if (key == ".4.17.0" || key == ".4.19.0") return ApCommitClass::kRestartIfBalancing;
  const ApObjectRow* row = Find(key);
  return row ? row->commit : ApCommitClass::kRestart;
}
