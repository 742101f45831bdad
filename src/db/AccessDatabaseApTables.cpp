// CAccessDatabase on the AP property rows (ap_property) and the chosen AP list columns (ap_usr). Every
// value goes in bound.
#include <climits>
#include <cstdlib>

#include "db/AccessDatabase.h"
#include "db/DbError.h"

namespace {

// A query that QueryRecordset could not run; it has shown why already.
struct ReportedFailure {};

// The text's leading decimal integer (leading white space and one sign allowed), 0 when no digit
// follows; kept inside the range of the field.
int32_t Number(const db::CRecordset& rs, const char* column) {
  const std::string text = rs.GetText(column);
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

int32_t Flag(const db::CRecordset& rs, const char* column) { return Number(rs, column) != 0 ? 1 : 0; }

// Every column by its field's name; a NULL reads as "" or 0.
void ReadRecord(const db::CRecordset& rs, CApProperties& p) {
#define PELLION_TEXT(field) p.field = rs.GetText(#field)
#define PELLION_NUMBER(field) p.field = Number(rs, #field)
#define PELLION_FLAG(field) p.field = Flag(rs, #field)
  PELLION_TEXT(enterpriseAPSysHWid);
  PELLION_TEXT(enterpriseAPSysFWVersion);
  PELLION_FLAG(enterpriseAPSysTFTPServer);
  PELLION_TEXT(enterpriseAPSysSNMPTrapIP);
  PELLION_NUMBER(filterType);
  p.name = rs.GetText("crvAPName");
  PELLION_NUMBER(APSysDHCP);
  PELLION_TEXT(APSysSubnetMask);
  PELLION_NUMBER(crvAPRTSThreshold);
  PELLION_NUMBER(crvAPBeaconInterval);
  PELLION_NUMBER(crvAPFragmentationThreshold);
  PELLION_NUMBER(crvAPDTIMinterval);
  PELLION_FLAG(crvAPSSIDBroadcast);
  PELLION_NUMBER(crvAPPreambleType);
  PELLION_NUMBER(crvAPUserNumLimit);
  PELLION_NUMBER(crvAPChannel);
  PELLION_FLAG(crvAPWMMFunc);
  PELLION_FLAG(crvAPWirelessRadio);
  PELLION_NUMBER(crvAPBGMode);
  PELLION_TEXT(crvAPssid);
  PELLION_NUMBER(crvAPSuperG);
  PELLION_NUMBER(crvAPSecurityType);
  PELLION_NUMBER(crvAPSecurityCipherType);
  PELLION_TEXT(crvAPWPAPassPhrase);
  PELLION_NUMBER(crvAPWEP64KeyType);
  PELLION_NUMBER(crvAPWEP64DefaultKeyValue);
  PELLION_TEXT(crvAPWEP64Key1Value);
  PELLION_TEXT(crvAPWEP64Key2Value);
  PELLION_TEXT(crvAPWEP64Key3Value);
  PELLION_TEXT(crvAPWEP64Key4Value);
  PELLION_NUMBER(crvAPWEP128KeyType);
  PELLION_NUMBER(crvAPWEP128DefaultKeyValue);
  PELLION_TEXT(crvAPWEP128Key1Value);
  PELLION_TEXT(crvAPWEP128Key2Value);
  PELLION_TEXT(crvAPWEP128Key3Value);
  PELLION_TEXT(crvAPWEP128Key4Value);
  PELLION_NUMBER(crvAPWEP152KeyType);
  PELLION_NUMBER(crvAPWEP152DefaultKeyValue);
  PELLION_TEXT(crvAPWEP152Key1Value);
  PELLION_TEXT(crvAPWEP152Key2Value);
  PELLION_TEXT(crvAPWEP152Key3Value);
  PELLION_TEXT(crvAPWEP152Key4Value);
  PELLION_TEXT(radiusIP1);
  PELLION_NUMBER(radiusPort1);
  PELLION_TEXT(radiusSharedSecret1);
  PELLION_TEXT(radiusIP2);
  PELLION_NUMBER(radiusPort2);
  PELLION_TEXT(radiusSharedSecret2);
  PELLION_NUMBER(crvAPTxRates);
  PELLION_NUMBER(crvAPWaterLevelBalancing);
  PELLION_NUMBER(crvapautochannel);
  PELLION_NUMBER(WLAN_Partition);
#undef PELLION_TEXT
#undef PELLION_NUMBER
#undef PELLION_FLAG
}

}  // namespace

std::unique_ptr<db::CRecordset> CAccessDatabase::FindApDeviceRow(const std::string& mac) {
  for (const char* table : {"device_list_prev", "device_list"}) {
    auto rows = QueryRecordset(std::string("SELECT * FROM ") + table + " WHERE mac=? AND type=2", {mac});
    if (!rows) throw ReportedFailure();
    if (!IsBofAndEof(*rows)) return rows;
  }
  return nullptr;
}

std::string CAccessDatabase::DeviceIpByMac(const std::string& mac) {
  for (const char* table : {"device_list_prev", "device_list"}) {
    auto rows = QueryRecordset(std::string("SELECT ip FROM ") + table + " WHERE mac=?", {mac});
    if (!rows) throw ReportedFailure();
    if (!IsBofAndEof(*rows)) return rows->GetText("ip");
  }
  return {};
}

int CAccessDatabase::GetApProperty(CApProperties& properties, const std::string& mac, int byAddress) {
  if (byAddress) return -1;
  try {
    auto row = QueryRecordset("SELECT * FROM ap_property WHERE mac=?", {mac});
    if (!row) return -1;
    if (IsBofAndEof(*row)) {
      // Not stored yet: the device tables know the AP's address and name, the rest stays as it was.
      auto device = FindApDeviceRow(mac);
      if (!device) return -1;
      properties.ip = device->GetText("ip");
      properties.mac = mac;
      properties.name = device->GetText("name");
      return 0;
    }
    CApProperties read;
    read.mac = mac;
    read.ip = DeviceIpByMac(mac);
    ReadRecord(*row, read);
    properties = read;
    return 0;
  } catch (const ReportedFailure&) {
    return -1;
  } catch (const db::CDbError& error) {
    ShowException(error, __LINE__);
    return -1;
  }
}

int CAccessDatabase::GetApBalancingColumn(const char* column, const std::string& mac, int byAddress) {
  if (byAddress) return -1;
  try {
    auto row = QueryRecordset("SELECT * FROM ap_property WHERE mac=?", {mac});
    if (!row) return -1;
    if (IsBofAndEof(*row)) return FindApDeviceRow(mac) ? 0 : -1;
    return Number(*row, column) != 0 ? 1 : 0;
  } catch (const ReportedFailure&) {
    return -1;
  } catch (const db::CDbError& error) {
    ShowException(error, __LINE__);
    return -1;
  }
}

int CAccessDatabase::GetApLoadBalanceStatus(const std::string& mac, int byAddress) {
  return GetApBalancingColumn("LoadBalanceStatus", mac, byAddress);
}

int CAccessDatabase::GetApWaterLevelBalancing(const std::string& mac, int byAddress) {
  return GetApBalancingColumn("crvAPWaterLevelBalancing", mac, byAddress);
}

bool CAccessDatabase::GetApHardwareIds(std::vector<std::string>& hardwareIds) {
  const TextRows rows = QueryRows(
      " SELECT DISTINCT enterpriseAPSysHWid FROM ap_property WHERE mac IN (SELECT mac FROM device_list_prev)");
  if (rows.empty()) return false;
  std::vector<std::string> read;
  for (const TextRow& row : rows) read.push_back(row.at(0));
  hardwareIds = std::move(read);
  return true;
}

bool CAccessDatabase::GetApFirmwareVersions(std::vector<std::string>& versions, const std::string& hardwareId) {
  const TextRows rows = QueryRows(
      " SELECT DISTINCT enterpriseAPSysFWVersion, mac FROM ap_property WHERE enterpriseAPSysHWid=? AND mac IN "
      "(SELECT mac FROM device_list_prev)",
      {hardwareId});
  if (rows.empty()) return false;
  std::vector<std::string> read;
  for (const TextRow& row : rows) read.push_back(row.at(0));
  versions = std::move(read);
  return true;
}

int CAccessDatabase::GetApListColumns(std::vector<ApListColumn>& columns) {
  auto table = GetRecordset("ap_usr");
  if (!table) return -1;
  try {
    if (IsBofAndEof(*table)) return -1;
    std::vector<ApListColumn> read;
    for (table->MoveFirst(); !table->IsEOF(); table->MoveNext())
      read.push_back({table->GetText("field_name"), table->GetText("display_name")});
    columns = std::move(read);
    return 0;
  } catch (const db::CDbError& error) {
    ShowException(error, __LINE__);
    return -1;
  }
}
