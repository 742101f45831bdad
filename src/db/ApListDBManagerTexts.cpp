// ApListDBManager: the one table behind the texts of stored AP property values, both directions, and the
// AP tooltip built from them.
#include <strings.h>

#include <string_view>
#include <utility>
#include <vector>

#include "db/ApListDBManager.h"

namespace {

using Pairs = std::vector<std::pair<std::string_view, std::string_view>>;

struct ValueTable {
  std::vector<std::string_view> columns;
  Pairs pairs;            // stored value -> text, in the order they are looked up
  bool unlistedIsError;   // a stored value the table lacks shows "#ERROR#" (else it stays)
  bool hasReverse;        // a text turns back into its stored value
};

const Pairs kEnable = {{"1", "enable"}, {"0", "disable"}};
const Pairs kKeyType = {{"0", "HEX"}, {"1", "ASCII"}};
const Pairs kDefaultKey = {{"0", "key1"}, {"1", "key2"}, {"2", "key3"}, {"3", "key4"}};

const ValueTable kValueTables[] = {
    {{"APSysDHCP"}, {{"1", "Enable"}, {"0", "Disable"}}, true, true},
    {{"crvAPTxRates"},
     {{"0", "Auto"},
      {"2", "1Mbps"},
      {"4", "2Mbps"},
      {"11", "5Mbps"},
      {"12", "6Mbps"},
      {"18", "9Mbps"},
      {"22", "11Mbps"},
      {"24", "12Mbps"},
      {"36", "18Mbps"},
      {"48", "24Mbps"},
      {"72", "36Mbps"},
      {"96", "48Mbps"},
      {"108", "54Mbps"}},
     true,
     true},
    {{"crvAPAntennaTransmitPower"}, {{"0", "full"}, {"1", "half"}, {"2", "quarter"}, {"3", "eighth"}}, true, true},
    {{"crvAPCTSMode"}, {{"0", "disable"}, {"1", "always"}, {"2", "auto"}}, true, true},
    // Broadcast is on at 0.
    {{"crvAPSSIDBroadcast"}, {{"0", "enable"}, {"1", "disable"}}, true, true},
    {{"crvAPPreambleType"}, {{"0", "longPreamble"}, {"1", "ShortPreamble"}}, true, true},
    {{"crvAPSuperG"}, {{"0", "disable"}, {"1", "without-turbo"}, {"2", "dynamic-turbo"}}, true, true},
    {{"crvAPBGMode"}, {{"0", "b/g"}, {"1", "g_only"}, {"2", "b_only"}}, true, true},
    {{"crvAPSecurityCipherType"}, {{"0", "tkip"}, {"1", "aes"}, {"2", "auto"}}, true, true},
    {{"crvAPUserNumLimitLevel"},
     {{"1", "level1"}, {"2", "level2"}, {"3", "level3"}, {"4", "level4"}, {"5", "level5"}},
     true,
     true},
    {{"crvAPWaterLevelBalancing", "enterpriseAPSysTFTPServer", "crvAPWMMFunc"}, kEnable, true, true},
    {{"crvAPWirelessRadio"}, {{"1", "ON"}, {"0", "OFF"}}, true, true},
    {{"crvAPWEP64KeyType", "crvAPWEP128KeyType", "crvAPWEP152KeyType"}, kKeyType, true, true},
    {{"crvAPSecurityType"},
     {{"1", "disable"},
      {"2", "wep-64bits-share"},
      {"3", "wep-64bits-opensystem"},
      {"4", "wep-128bits-share"},
      {"5", "wep-128bits-opensystem"},
      {"6", "wep-152bits-share"},
      {"7", "wep-152bits-opensystem"},
      {"8", "wpa-psk"},
      {"9", "wpa-eap"},
      {"10", "wpa2-psk"},
      {"11", "wpa2-eap"},
      {"12", "wpa-auto-psk"},
      {"13", "wpa-auto-eap"}},
     true,
     true},
    {{"crvAPWEP64DefaultKeyValue", "crvAPWEP128DefaultKeyValue", "crvAPWEP152DefaultKeyValue"},
     kDefaultKey,
     true,
     true},
    {{"crvAPAutoChannel"}, {{"1", "Enable"}, {"0", "Disable"}}, false, false},
    // Partitioning is off at 1.
    {{"WLAN_Partition"}, {{"1", "Disable"}, {"0", "Enable"}}, false, false},
};

// Column names compare as the database compares them, without case: the auto-channel column is stored
// as crvapautochannel.
bool SameColumn(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

const ValueTable* FindTable(std::string_view column) {
  for (const ValueTable& table : kValueTables)
    for (std::string_view name : table.columns)
      if (SameColumn(name, column)) return &table;
  return nullptr;
}

// The columns and the status words of the AP tooltip.
const std::vector<ApListColumn> kTooltipColumns = {
    {"name", "Name"},         {"APSysIP", "IP"},
    {"mac", "MAC"},           {"crvAPssid", "SSID"},
    {"crvAPChannel", "Channel"}, {"crvAPSecurityType", "Security Type"},
    {"location", "location"},
};

constexpr std::string_view kStatusTexts[] = {"Online",           "New",        "Offline",       "Changed",
                                             "Replace",          "System-key Error", "System-key Error",
                                             "DHCP Error",       "Not Available", "Password Error"};

}  // namespace

void ApListDBManager::ApPropertyValueToText(const std::string& column, std::string& value) {
  const ValueTable* table = FindTable(column);
  if (!table) return;
  for (const auto& [stored, text] : table->pairs) {
    if (stored == value) {
      value = text;
      return;
    }
  }
  if (table->unlistedIsError) value = "#ERROR#";
}

void ApListDBManager::ApPropertyTextToValue(const std::string& column, std::string& text) {
  const ValueTable* table = FindTable(column);
  if (!table || !table->hasReverse) return;
  for (const auto& [stored, shown] : table->pairs) {
    if (shown == text) {
      text = stored;
      return;
    }
  }
}

void ApListDBManager::ApPropertyFieldToText(const std::vector<ApListColumn>& columns,
                                            const std::vector<std::string>& values, std::vector<std::string>& texts) {
  if (columns.size() != values.size()) return;
  for (std::size_t i = 0; i < values.size(); ++i) {
    std::string text = values[i];
    ApPropertyValueToText(columns[i].field_name, text);
    texts.push_back(std::move(text));
  }
}

std::string ApListDBManager::StatusText(int status) {
  if (status < 0 || status >= static_cast<int>(std::size(kStatusTexts))) return {};
  return std::string(kStatusTexts[status]);
}

std::string ApListDBManager::GetApTooltipText(const std::string& mac) {
  std::vector<ApListRow> rows;
  GetApListRows(rows, kTooltipColumns, "", "", 0, mac);
  if (rows.empty()) return {};
  std::string text;
  // The view turns each two-character "\n" into a line break.
  for (const std::string& value : rows.front().cells) text += value + "\\n";
  return text + StatusText(DeviceStatus(mac));
}
