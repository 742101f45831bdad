#include "config/ApConfigSheetModel.h"

#include "config/ApConfigReader.h"
#include "groups/GroupStore.h"
#include "groups/PreviousApAddress.h"
#include "platform/MessageBox.h"

namespace {

void FillWirelessSecurity(const ApConfigRecord& record, CApWirelessPageModel& page) {
  CApSecurityModel& security = page.security;
  const int code = record.crvAPSecurityType;
  page.securityCode = code;
  const CApSecurityModel::Kind kind = CApSecurityModel::KindOf(code);
  page.securityIndex = kind == CApSecurityModel::kNone ? -1 : kind - 1;
  security.keyTypeIndex = record.crvAPWEP64KeyType;  // one key type for every key size
  if (kind == CApSecurityModel::kWep) {
    security.TakeWepCode(code);
    const bool is64 = code <= 3, is128 = code == 4 || code == 5;
    security.defaultKeyIndex = is64 ? record.crvAPWEP64DefaultKeyValue
                               : is128 ? record.crvAPWEP128DefaultKeyValue : record.crvAPWEP152DefaultKeyValue;
    security.keys = is64    ? std::array<std::string, 4>{record.crvAPWEP64Key1Value, record.crvAPWEP64Key2Value,
                                                         record.crvAPWEP64Key3Value, record.crvAPWEP64Key4Value}
                    : is128 ? std::array<std::string, 4>{record.crvAPWEP128Key1Value, record.crvAPWEP128Key2Value,
                                                         record.crvAPWEP128Key3Value, record.crvAPWEP128Key4Value}
                            : std::array<std::string, 4>{record.crvAPWEP152Key1Value, record.crvAPWEP152Key2Value,
                                                         record.crvAPWEP152Key3Value, record.crvAPWEP152Key4Value};
  }
  if (code < 8) return;
  security.psk = code == 8 || code == 10;
  security.tkip = record.crvAPSecurityCipherType != 1;
  if (security.psk) {
    security.passPhrase = security.confirmedPassPhrase = record.crvAPWPAPassPhrase;
  } else {
    security.radius1Ip = record.radiusIP1;
    security.radius1Port = record.radiusPort1;
    security.radius1Secret = record.radiusSharedSecret1;
    security.radius2Ip = record.radiusIP2;
    security.radius2Port = record.radiusPort2;
    security.radius2Secret = record.radiusSharedSecret2;
  }
}

}  // namespace

void FillApConfigSheet(CApConfigSheetModel& sheet, ApConfigRecord& record, ApSheetMode mode) {
  if (mode == ApSheetMode::kCurrent) {
    record.filterMacsToAdd.clear();
    record.filterMacsToDelete.clear();
  }
  sheet.context.mode = mode;
  CApBasicPageModel& basic = sheet.basic;
  basic.dhcp = record.APSysDHCP;
  basic.ip = record.ip;
  basic.subnetMask = record.APSysSubnetMask;
  basic.gateway = record.APSysDefaultGateway;
  basic.location = record.location;
  basic.name = record.name;
  basic.onlineStations = record.staNumber;
  basic.countryCode = record.APSysCountryCode;
  basic.managementHost = record.enterpriseAPSysSNMPTrapIP;
  basic.connectionLimit = record.crvAPUserNumLimit;

  CApWirelessPageModel& wireless = sheet.wireless;
  wireless.bgModeIndex = record.crvAPBGMode;
  if (record.crvAPWirelessRadio == 1 || record.crvAPWirelessRadio == 0) wireless.radio = record.crvAPWirelessRadio == 1;
  wireless.ssid = record.crvAPssid;
  wireless.channel = record.crvAPChannel;
  wireless.superGIndex = record.crvAPSuperG;
  if (record.crvAPWMMFunc == 1 || record.crvAPWMMFunc == 0) wireless.wmm = record.crvAPWMMFunc == 1;
  // The AP reports 0 for a broadcast SSID and 1 for a hidden one.
  if (record.crvAPSSIDBroadcast == 0 || record.crvAPSSIDBroadcast == 1) wireless.ssidBroadcast = record.crvAPSSIDBroadcast == 0;
  wireless.autoChannel = record.crvapautochannel == 1 ? 1 : 0;
  FillWirelessSecurity(record, wireless);

  CApAdvancePageModel& advance = sheet.advance;
  advance.txRate = record.crvAPTxRates;  // a rate code until the page starts
  advance.transmitPower = record.crvAPAntennaTransmitPower;
  advance.beaconInterval = record.crvAPBeaconInterval;
  advance.rtsThreshold = record.crvAPRTSThreshold;
  advance.fragmentation = record.crvAPFragmentationThreshold;
  advance.dtimInterval = record.crvAPDTIMinterval;
  advance.shortPreamble = record.crvAPPreambleType == 1;
  if (record.crvAPCTSMode >= 0 && record.crvAPCTSMode <= 2) advance.ctsMode = record.crvAPCTSMode;
  advance.wlanPartitionDisabled = record.WLAN_Partition != 0;

  CApMacFilterPageModel& macFilter = sheet.macFilter;
  macFilter.filterType = record.filterType;
  macFilter.filterMacs = record.filterMacs;
  macFilter.added = record.filterMacsToAdd;
  macFilter.deleted = record.filterMacsToDelete;
}

void CApConfigSheetModel::Fill(ApSheetMode mode) {
  FillApConfigSheet(*this, record, mode);
  basic.Start(context);
  advance.Start();
  macFilter.Start();
  wireless.Start();
  if (context.SendsEverything()) visited.fill(true);
}

void CApConfigSheetModel::LoadCurrent(const std::string& ip, const std::string& mac, const std::string& caption) {
  title = caption;
  groups::ClearPreviousApIp();  // an address noted for another sheet says nothing about this AP
  if (GetGroupStore()->LoadApSyncResult(mac, &record, &context.markers) == -1) {
    record = ApConfigRecord();
    ReadApConfiguration(ip, record);
  }
  context.storedIp = groups::GetPreviousApIp();
}

bool CApConfigSheetModel::LoadPrevious(const std::string& mac, const std::string& caption) {
  title = caption;
  groups::ClearPreviousApIp();
  if (GetGroupStore()->LoadApPreviousConfig(mac, &record) == -1) {
    platform::MessageBox("No Ap previous configuration", "Information", platform::MB_ICONINFORMATION);
    return false;
  }
  context.storedIp = groups::GetPreviousApIp();
  return true;
}

bool CApConfigSheetModel::LoadReplacement(const std::string& newIp, const std::string& newMac,
                                          const std::string& replacedMac) {
  groups::ClearPreviousApIp();
  if (GetGroupStore()->LoadApSyncResult(replacedMac, &record, &context.markers) == -1) {
    platform::MessageBox("Couldn't get replace Ap " + replacedMac + " configuration");
    return false;
  }
  // The new AP gets the replaced one's filter MACs it lacks and loses those the replaced one had not.
  GetGroupStore()->GetApFilterMacs(newMac, replacedMac, &record);
  // The new AP keeps its own address; the replaced one's noted address is nothing to it.
  context.storedIp.reset();
  groups::ClearPreviousApIp();
  title = "Replace Ap '" + newIp + "' configuration by " + record.ip + "[" + replacedMac + "]";
  record.ip = newIp;
  return true;
}

std::optional<CApConfigSheetModel::Failure> CApConfigSheetModel::CheckPages() {
  const auto failed = [](Page page, const PageCheck& check) -> std::optional<Failure> {
    if (!check) return std::nullopt;
    return Failure{page, *check};
  };
  if (visited[kBasic])
    if (auto failure = failed(kBasic, basic.Check(context))) return failure;
  if (visited[kWireless])
    if (auto failure = failed(kWireless, wireless.Check(context))) return failure;
  if (visited[kAdvance])
    if (auto failure = failed(kAdvance, advance.Check())) return failure;
  return std::nullopt;
}

ApSetEntryList CApConfigSheetModel::BuildChanges() {
  ApSetEntryList entries;
  if (visited[kBasic]) basic.AppendEntries(context, entries);
  if (visited[kWireless]) wireless.AppendEntries(entries);
  if (visited[kAdvance]) advance.AppendEntries(context, entries);
  if (visited[kMacFilter]) macFilter.AppendEntries(context, entries);
  return entries;
}
