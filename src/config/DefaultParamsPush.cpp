#include "config/DefaultParamsPush.h"

#include <vector>

#include "config/DefaultParamsStore.h"
#include "db/AccessDatabase.h"
#include "db/ApPropertyUpdate.h"
#include "db/TopologyDBManager.h"
#include "groups/GroupStore.h"
#include "log/LogDBModule.h"
#include "platform/MessageBox.h"
#include "snmp/y_snmp.h"

namespace {

// One run against one AP: the sets made so far and whether the AP must restart to take them.
class PushRun {
 public:
  PushRun(const std::string& ip, const std::string& mac, const std::string& sysObjectId)
      : ip_(ip), mac_(mac), root_(sysObjectId) {
    snmp_.SetIp(ip);
  }

  // Sets root + suffix to value and records it under column; on refusal logs the step's failure line.
  bool Set(const char* suffix, const char* column, const std::string& value, const char* step) {
    if (snmp_.Set(root_ + suffix, value) != 0) return Fail(step);
    sets_.push_back({column, value, true, ApPropertyUpdate::kNoFilterOperation});
    return true;
  }
  bool Set(const char* suffix, const char* column, int value, const char* step) {
    return Set(suffix, column, std::to_string(value), step);
  }

  // Logs "zero config AP ip(mac) fail[stop at setting step]"; false.
  bool Fail(const std::string& step) {
    GetLogDBModule()->WriteActionLog("zero config AP " + ip_ + "(" + mac_ + ") fail[stop at setting " + step + "]");
    return false;
  }

  void SetRestart(bool restart) { restart_ = restart; }

  // Commits what was set and stores it; nothing when nothing was set. A commit the AP refuses is a
  // failure: the values then never took effect and are not stored.
  bool Commit() {
    if (sets_.empty()) return true;
    if (snmp_.SetTyped(2, root_ + (restart_ ? ".1.3.0" : ".1.1.0"), "1") != 0) return Fail("commit");
    return Store();
  }

  void Succeed() { GetLogDBModule()->WriteActionLog("zero config AP " + ip_ + "(" + mac_ + ") success"); }

 private:
  // The values set are stored as every configuration the AP took is: property row (made when missing),
  // the differences they answer cleared, the "Changed" status with the last of them.
  bool Store() { return GetGroupStore()->SyncApConfiguration(mac_, sets_) == 0 || Fail("database update"); }

  std::string ip_;
  std::string mac_;
  std::string root_;
  CYSnmp snmp_;
  std::vector<ApPropertyUpdate> sets_;
  bool restart_ = true;
};

// The defaults store the WPA cipher as 1 AES, 2 TKIP; the AP's object counts 0 TKIP, 1 AES, 2 auto.
int ApCipher(int stored) { return stored == 2 ? 0 : stored; }

std::string WepColumn(int bits, const char* field) { return "crvAPWEP" + std::to_string(bits) + field; }

}  // namespace

bool HasManagementHost(const CDefaultParams& params) {
  return !params.trap_ip.empty() && params.trap_ip != "0.0.0.0";
}

CDefaultParamsPush::CDefaultParamsPush(ChannelChooser chooseChannel) : chooseChannel_(std::move(chooseChannel)) {}

int CDefaultParamsPush::ZeroConfigAp(const std::string& ip, const std::string& mac) {
  CDefaultParams params;
  CDefaultParamsStore().GetDefaultParams(params);
  if (params.b_apply_defparam == 0) return 0;
  return Push(Variant::kZeroConfig, params, ip, mac, TopologyDBManager().GetDeviceSysObjectId(mac));
}

int CDefaultParamsPush::ApplyDefaultParamsToAp(const std::string& mac) {
  const auto managed = CAccessDatabase().QueryValues("SELECT ip, sysobjid FROM device_list_prev WHERE mac=?", {mac});
  CDefaultParams params;
  CDefaultParamsStore().GetDefaultParams(params);
  // A MAC outside the managed list has no address: its first set fails and is logged.
  if (managed.empty()) return Push(Variant::kSavedAp, params, "", mac, "");
  return Push(Variant::kSavedAp, params, managed[0][0], mac, managed[0][1]);
}

int CDefaultParamsPush::Push(Variant variant, const CDefaultParams& params, const std::string& ip,
                             const std::string& mac, const std::string& sysObjectId) {
  PushRun run(ip, mac, sysObjectId);
  if (HasManagementHost(params)) {
    run.SetRestart(false);
    if (!run.Set(".1.9.0", "enterpriseAPSysSNMPTrapIP", params.trap_ip, "management  host")) return -1;
  }
  if (!params.ssid.empty()) {
    run.SetRestart(true);
    if (!run.Set(".4.3.0", "crvAPssid", params.ssid, "SSID")) return -1;
  }
  if (variant == Variant::kZeroConfig && params.auto_select_channel == 1) {
    run.SetRestart(true);
    const int channel = chooseChannel_ ? chooseChannel_(ip) : 0;
    if (channel < 1) {
      run.Fail("Auto select channel");
      return -1;
    }
    if (!run.Set(".4.2.0", "crvAPChannel", channel, "Auto select channel")) return -1;
  }
  const int type = params.security_type;
  if (type != -1) {
    run.SetRestart(true);
    if (!run.Set(".4.5.1.0", "crvAPSecurityType", type, "Security type")) return -1;
  }
  WepKeyBlock block{};
  if (WepBlockOf(params, type, block)) {
    const std::string object = ".4.5.4." + std::to_string(block.bits == 64 ? 1 : block.bits == 128 ? 2 : 3);
    if (variant == Variant::kSavedAp &&
        !run.Set(".4.5.4.1.1.0", "crvAPWEP64KeyType", params.crvAPWEP64KeyType, "WEP encryption type"))
      return -1;
    if (!run.Set((object + ".2.0").c_str(), WepColumn(block.bits, "DefaultKeyValue").c_str(), block.defaultKey,
                 "WEP default key"))
      return -1;
    // An index outside 0..3 names no key: the key step fails rather than send another key.
    if (block.defaultKey < 0 || block.defaultKey > 3) {
      run.Fail("WEP key value");
      return -1;
    }
    const std::string keyNumber = std::to_string(block.defaultKey + 1);
    if (!run.Set((object + "." + std::to_string(block.defaultKey + 3) + ".0").c_str(),
                 WepColumn(block.bits, ("Key" + keyNumber + "Value").c_str()).c_str(), *block.keys[block.defaultKey],
                 "WEP key value"))
      return -1;
  } else if (type == 8 || type == 10) {
    if (!run.Set(".4.5.2.0", "crvAPSecurityCipherType", ApCipher(params.security_cipher_type),
                 "WPA security cipher type") ||
        !run.Set(".4.5.3.0", "crvAPWPAPassPhrase", params.wpa_pass_phrase, "WPA pass phrase"))
      return -1;
  } else if (type == 9 || type == 11) {
    if (!run.Set(".4.5.5.1.0", "radiusIP1", params.radius_server1_ip, "WPA RADIUS IP1") ||
        !run.Set(".4.5.5.2.0", "radiusPort1", params.radius_server1_port, "WPA RADIUS port1") ||
        !run.Set(".4.5.5.3.0", "radiusSharedSecret1", params.radius_server1_secret, "WPA RADIUS secret1"))
      return -1;
    // A second server is optional: its empty fields are not sent.
    if (!params.radius_server2_ip.empty() &&
        !run.Set(".4.5.6.1.0", "radiusIP2", params.radius_server2_ip, "WPA RADIUS IP2"))
      return -1;
    if (params.radius_server2_port != 0 &&
        !run.Set(".4.5.6.2.0", "radiusPort2", params.radius_server2_port, "WPA RADIUS port2"))
      return -1;
    if (!params.radius_server2_secret.empty() &&
        !run.Set(".4.5.6.3.0", "radiusSharedSecret2", params.radius_server2_secret, "WPA RADIUS secret2"))
      return -1;
  }
  if (!run.Commit()) return -1;
  run.Succeed();
  return 0;
}

int CDefaultParamsPush::ConfirmDefaultManagementHost(const std::function<bool()>& openPreferences) {
  CDefaultParams params;
  CDefaultParamsStore().GetDefaultParams(params);
  if (HasManagementHost(params)) return 0;
  const int answer = platform::MessageBox("Default 'Management Host' is empty, do you want to set it?", "Warning",
                                          platform::MB_YESNO | platform::MB_ICONQUESTION);
  if (answer != platform::IDYES) return -1;
  return openPreferences && openPreferences() ? 0 : -1;
}
