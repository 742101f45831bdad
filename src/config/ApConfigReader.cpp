#include "config/ApConfigReader.h"

#include <cstdlib>
#include <vector>

#include "db/TopologyDBManager.h"
#include "groups/GroupStore.h"
#include "snmp/y_snmp.h"

namespace {

constexpr int kAnswerLength = 255;
constexpr char kSysName[] = "1.3.6.1.2.1.1.5.0";
constexpr char kSysLocation[] = "1.3.6.1.2.1.1.6.0";

// One GET of several objects; answers in order, none when the AP did not answer the whole batch.
class Batch {
 public:
  Batch(CYSnmp& snmp, const std::string& root) : snmp_(snmp), root_(root) {}

  // Suffixes are joined to the root; a whole identifier is taken as it is.
  bool Get(const std::vector<std::string>& objects) {
    std::vector<std::string> oids;
    for (const std::string& object : objects) oids.push_back(object.starts_with("1.3.6.1.2.1.") ? object : root_ + object);
    std::vector<const char*> oidTexts;
    for (const std::string& oid : oids) oidTexts.push_back(oid.c_str());
    buffers_.assign(objects.size(), std::vector<char>(kAnswerLength, '\0'));
    std::vector<char*> answers;
    for (auto& buffer : buffers_) answers.push_back(buffer.data());
    return snmp_.GetMany(static_cast<int>(objects.size()), oidTexts.data(), answers.data(), kAnswerLength) == 0;
  }
  std::string Text(size_t index) const { return buffers_[index].data(); }
  // The C library's decimal conversion: text that is not a number gives 0.
  int Number(size_t index) const { return std::atoi(buffers_[index].data()); }
  int Flag(size_t index) const { return Number(index) == 1 ? 1 : 0; }

 private:
  CYSnmp& snmp_;
  const std::string& root_;
  std::vector<std::vector<char>> buffers_;
};

struct WepFields {
  int ApConfigRecord::*keyType;
  int ApConfigRecord::*defaultKey;
  std::string ApConfigRecord::*keys[4];
};

const WepFields& WepFieldsOf(int securityType) {
  using R = ApConfigRecord;
  static const WepFields blocks[] = {
      {&R::crvAPWEP64KeyType, &R::crvAPWEP64DefaultKeyValue,
       {&R::crvAPWEP64Key1Value, &R::crvAPWEP64Key2Value, &R::crvAPWEP64Key3Value, &R::crvAPWEP64Key4Value}},
      {&R::crvAPWEP128KeyType, &R::crvAPWEP128DefaultKeyValue,
       {&R::crvAPWEP128Key1Value, &R::crvAPWEP128Key2Value, &R::crvAPWEP128Key3Value, &R::crvAPWEP128Key4Value}},
      {&R::crvAPWEP152KeyType, &R::crvAPWEP152DefaultKeyValue,
       {&R::crvAPWEP152Key1Value, &R::crvAPWEP152Key2Value, &R::crvAPWEP152Key3Value, &R::crvAPWEP152Key4Value}},
  };
  return blocks[(securityType - 2) / 2];
}

void ReadSecurity(Batch& batch, ApConfigRecord& record) {
  const int type = record.crvAPSecurityType;
  if (type >= 2 && type <= 7) {
    const std::string block = ".4.5.4." + std::to_string((type - 2) / 2 + 1);
    if (!batch.Get({block + ".1.0", block + ".2.0", block + ".3.0", block + ".4.0", block + ".5.0", block + ".6.0"}))
      return;
    const WepFields& fields = WepFieldsOf(type);
    record.*fields.keyType = batch.Number(0);
    record.*fields.defaultKey = batch.Number(1);
    for (int key = 0; key < 4; ++key) record.*fields.keys[key] = batch.Text(2 + key);
  } else if (type == 8 || type == 10) {
    if (!batch.Get({".4.5.2.0", ".4.5.3.0"})) return;
    record.crvAPSecurityCipherType = batch.Number(0);
    record.crvAPWPAPassPhrase = batch.Text(1);
  } else if (type == 9 || type == 11) {
    if (!batch.Get({".4.5.2.0", ".4.5.5.1.0", ".4.5.5.2.0", ".4.5.5.3.0", ".4.5.6.1.0", ".4.5.6.2.0", ".4.5.6.3.0"}))
      return;
    record.crvAPSecurityCipherType = batch.Number(0);
    record.radiusIP1 = batch.Text(1);
    record.radiusPort1 = batch.Number(2);
    record.radiusSharedSecret1 = batch.Text(3);
    record.radiusIP2 = batch.Text(4);
    record.radiusPort2 = batch.Number(5);
    record.radiusSharedSecret2 = batch.Text(6);
  }
}

}  // namespace

void ReadApConfiguration(const std::string& ip, ApConfigRecord& record) {
  CYSnmp snmp;
  snmp.SetIp(ip);
  const std::string root = GetGroupStore()->GetDevSysObjectID(ip, KeyKind::Ip);
  Batch batch(snmp, root);
  if (batch.Get({".1.10.1.0", ".1.10.3.0", ".1.10.4.0", kSysName, kSysLocation, ".4.16.0", ".2.1.0"})) {
    record.APSysDHCP = batch.Number(0) == 1;
    record.ip = ip;
    record.APSysDefaultGateway = batch.Text(1);
    record.APSysSubnetMask = batch.Text(2);
    record.name = batch.Text(3);
    record.location = batch.Text(4);
    record.crvAPUserNumLimit = batch.Number(5);
    record.staNumber = batch.Number(6);
  }
  if (batch.Get({".4.21.0", ".4.3.0", ".4.2.0", ".4.4.0", ".4.20.0", ".4.14.0", ".4.5.1.0"})) {
    record.crvAPWirelessRadio = batch.Flag(0);
    record.crvAPssid = batch.Text(1);
    record.crvAPChannel = batch.Number(2);
    record.crvAPSuperG = batch.Number(3);
    record.crvAPWMMFunc = batch.Flag(4);
    record.crvAPSSIDBroadcast = batch.Flag(5);
    record.crvAPSecurityType = batch.Number(6);
    ReadSecurity(batch, record);
  }
  if (batch.Get({".4.6.0", ".4.7.0", ".4.11.0", ".4.10.0", ".4.12.0", ".4.13.0", ".4.15.0", ".4.8.0", ".4.27.0"})) {
    int ApConfigRecord::*const advanced[] = {
        &ApConfigRecord::crvAPTxRates,        &ApConfigRecord::crvAPAntennaTransmitPower,
        &ApConfigRecord::crvAPBeaconInterval, &ApConfigRecord::crvAPRTSThreshold,
        &ApConfigRecord::crvAPFragmentationThreshold, &ApConfigRecord::crvAPDTIMinterval,
        &ApConfigRecord::crvAPPreambleType,   &ApConfigRecord::crvAPCTSMode,
        &ApConfigRecord::WLAN_Partition};
    for (size_t i = 0; i < std::size(advanced); ++i) record.*advanced[i] = batch.Number(i);
  }
  if (batch.Get({".3.1.0"})) record.filterType = batch.Number(0);
  std::vector<std::string> macs;
  snmp.WalkToList(root + ".3.5.1.2", macs);  // a failed walk keeps the entries read before it
  for (const std::string& mac : macs) record.filterMacs.push_back({mac, "", -1});
}

int ReadApChannelCount(const std::string& ip) {
  CGroupStore* store = GetGroupStore();
  std::string mac;
  store->GetDevMacByIp(ip, mac);
  CYSnmp snmp;
  snmp.SetIp(ip);
  // The device's own read community reads it; the default one when none is known.
  const std::string community = TopologyDBManager().GetDeviceReadCommunity(mac);
  if (!community.empty()) snmp.SetReadCommunity(community);
  std::string count;
  if (snmp.Get(store->GetDevSysObjectID(mac, KeyKind::Mac) + ".4.23.0", count) != 0) return 0;
  return std::atoi(count.c_str());
}

std::string ReadApClientCount(const std::string& ip) {
  CYSnmp snmp;
  snmp.SetIp(ip);
  std::string count;
  return snmp.Get("1.3.6.1.4.1.44711.1.2.1.0", count) == 0 ? count : "";
}
