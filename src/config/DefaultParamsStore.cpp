#include "config/DefaultParamsStore.h"

#include <array>
#include <variant>

#include "db/DbAccessBase.h"
#include "log/LogDBModule.h"

namespace {

// One field of the record and the settings column of the same name, in the record's order.
struct DefaultColumn {
  const char* name;
  std::variant<std::string CDefaultParams::*, int CDefaultParams::*> field;
};

constexpr std::array<DefaultColumn, 30> kColumns = {{
    {"b_apply_defparam", &CDefaultParams::b_apply_defparam},
    {"country_code", &CDefaultParams::country_code},
    {"trap_ip", &CDefaultParams::trap_ip},
    {"ssid", &CDefaultParams::ssid},
    {"auto_select_channel", &CDefaultParams::auto_select_channel},
    {"security_type", &CDefaultParams::security_type},
    {"crvAPWEP64KeyType", &CDefaultParams::crvAPWEP64KeyType},
    {"wep_64_def_key_value", &CDefaultParams::wep_64_def_key_value},
    {"wep_64_key1_value", &CDefaultParams::wep_64_key1_value},
    {"wep_64_key2_value", &CDefaultParams::wep_64_key2_value},
    {"wep_64_key3_value", &CDefaultParams::wep_64_key3_value},
    {"wep_64_key4_value", &CDefaultParams::wep_64_key4_value},
    {"wep_128_def_key_value", &CDefaultParams::wep_128_def_key_value},
    {"wep_128_key1_value", &CDefaultParams::wep_128_key1_value},
    {"wep_128_key2_value", &CDefaultParams::wep_128_key2_value},
    {"wep_128_key3_value", &CDefaultParams::wep_128_key3_value},
    {"wep_128_key4_value", &CDefaultParams::wep_128_key4_value},
    {"wep_152_def_key_value", &CDefaultParams::wep_152_def_key_value},
    {"wep_152_key1_value", &CDefaultParams::wep_152_key1_value},
    {"wep_152_key2_value", &CDefaultParams::wep_152_key2_value},
    {"wep_152_key3_value", &CDefaultParams::wep_152_key3_value},
    {"wep_152_key4_value", &CDefaultParams::wep_152_key4_value},
    {"security_cipher_type", &CDefaultParams::security_cipher_type},
    {"wpa_pass_phrase", &CDefaultParams::wpa_pass_phrase},
    {"radius_server1_ip", &CDefaultParams::radius_server1_ip},
    {"radius_server1_port", &CDefaultParams::radius_server1_port},
    {"radius_server1_secret", &CDefaultParams::radius_server1_secret},
    {"radius_server2_ip", &CDefaultParams::radius_server2_ip},
    {"radius_server2_port", &CDefaultParams::radius_server2_port},
    {"radius_server2_secret", &CDefaultParams::radius_server2_secret},
}};

constexpr char kFirstRow[] = "rowid = (SELECT rowid FROM global_setting LIMIT 1)";
// Secrets never reach the action log, which syslog and mail forward.
constexpr char kMasked[] = "********";

// The store's access to the database layer's selection helpers.
class SettingsRow : public CDbAccessBase {
 public:
  using CDbAccessBase::ChangeSelection;
  using CDbAccessBase::ReadSelection;
  using CDbAccessBase::Run;
};

void ReadField(const db::CRecordset& rs, const char* column, std::string CDefaultParams::*field,
               CDefaultParams& params) {
  const db::SqlValue& value = rs.GetValue(column);
  if (!value.IsNull()) params.*field = rs.GetText(column);
}

void ReadField(const db::CRecordset& rs, const char* column, int CDefaultParams::*field, CDefaultParams& params) {
  const db::SqlValue& value = rs.GetValue(column);
  if (value.IsNull()) return;
  if (field == &CDefaultParams::b_apply_defparam) {
    const std::string text = rs.GetText(column);
    if (text == "0" || text == "1") params.b_apply_defparam = text == "1";
  } else if (value.GetKind() == db::SqlValue::Kind::Integer) {
    params.*field = static_cast<int>(value.AsInteger());
  }
}

const char* SecurityWord(int type) {
  static constexpr const char* kWords[] = {"disable", "wep-64bits-share", "wep-64bits-opensystem",
                                           "wep-128bits-share", "wep-128bits-opensystem", "wep-152bits-share",
                                           "wep-152bits-opensystem", "wpa-psk", "wpa-eap", "wpa2-psk", "wpa2-eap"};
  if (type == -1) return "none";
  return type >= 1 && type <= 11 ? kWords[type - 1] : nullptr;
}

// The action-log lines of a save, in their fixed order.
std::vector<std::string> ChangeLines(const CDefaultParams& old, const CDefaultParams& now) {
  std::vector<std::string> lines;
  if (old.trap_ip != now.trap_ip) lines.push_back("modify global default trap host to " + now.trap_ip);
  if (old.ssid != now.ssid) lines.push_back("modify global default SSID to " + now.ssid);
  if (old.auto_select_channel != now.auto_select_channel)
    lines.push_back(std::string("modify global default Auto select channel to ") +
                    (now.auto_select_channel == 1 ? "true" : "false"));
  if (old.security_type == now.security_type) return lines;
  const char* word = SecurityWord(now.security_type);
  if (!word) return lines;
  lines.push_back(std::string("modify global default security type to ") + word);
  WepKeyBlock oldBlock{}, newBlock{};
  if (WepBlockOf(now, now.security_type, newBlock) && WepBlockOf(old, now.security_type, oldBlock)) {
    for (int key = 0; key < 4; ++key)
      if (*oldBlock.keys[key] != *newBlock.keys[key]) lines.push_back(std::string("modify global default WEP key to ") + kMasked);
  } else if (now.security_type == 8 || now.security_type == 10) {
    if (old.wpa_pass_phrase != now.wpa_pass_phrase)
      lines.push_back(std::string("modify global default passphrase to ") + kMasked);
  } else if (now.security_type == 9 || now.security_type == 11) {
    if (old.radius_server1_ip != now.radius_server1_ip)
      lines.push_back("modify global default RADIUS IP1 to " + now.radius_server1_ip);
    if (old.radius_server1_port != now.radius_server1_port)
      lines.push_back("modify global default RADIUS port1 to " + std::to_string(now.radius_server1_port));
    if (old.radius_server1_secret != now.radius_server1_secret)
      lines.push_back(std::string("modify global default RADIUS secret1 to ") + kMasked);
    if (old.radius_server2_ip != now.radius_server2_ip)
      lines.push_back("modify global default RADIUS IP2 to " + now.radius_server2_ip);
    if (old.radius_server2_port != now.radius_server2_port)
      lines.push_back("modify global default RADIUS port2 to " + std::to_string(now.radius_server2_port));
    if (old.radius_server2_secret != now.radius_server2_secret)
      lines.push_back(std::string("modify global default RADIUS secret2 to ") + kMasked);
  }
  return lines;
}

}  // namespace

void CDefaultParamsStore::GetDefaultParams(CDefaultParams& params) {
  // A database error stops the reading; the fields read so far keep their new values.
  SettingsRow().ReadSelection(
      "SELECT * FROM global_setting", {}, 0,
      [&](db::CRecordset& rs) {
        for (const DefaultColumn& column : kColumns)
          std::visit([&](auto field) { ReadField(rs, column.name, field, params); }, column.field);
        return 1;
      },
      [](const db::CDbError&) { return 0; });
}

bool CDefaultParamsStore::SaveDefaultParams(const CDefaultParams& params, int keyTypeIndex) {
  CDefaultParams old;
  GetDefaultParams(old);  // read completely, and the lock given back, before the row is opened to write
  std::string assignments;
  db::SqlParams values;
  for (const DefaultColumn& column : kColumns) {
    assignments += std::string(assignments.empty() ? "" : ", ") + column.name + "=?";
    if (std::string_view(column.name) == "b_apply_defparam")
      values.emplace_back(params.b_apply_defparam == 1 ? "1" : "0");
    else if (std::string_view(column.name) == "crvAPWEP64KeyType")
      values.emplace_back(keyTypeIndex);
    else
      std::visit([&](auto field) { values.emplace_back(params.*field); }, column.field);
  }
  SettingsRow row;
  const int saved = row.ChangeSelection(
      "SELECT rowid FROM global_setting LIMIT 1", {}, 0,
      [&](db::CRecordset&) {
        row.Run("UPDATE global_setting SET " + assignments + " WHERE " + kFirstRow, values);
        return 1;
      },
      "", [](const db::CDbError&) { return 0; });
  if (saved != 1) return false;
  for (const std::string& line : ChangeLines(old, params)) GetLogDBModule()->WriteActionLog(line);
  return true;
}
