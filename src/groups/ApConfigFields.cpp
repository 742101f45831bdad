#include "groups/ApConfigFields.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace groups {
namespace {

using R = ApConfigRecord;

void Put(const ApConfigFields::Field& field, const std::string& value, ApConfigRecord& record) {
  if (auto text = std::get_if<ApConfigFields::TextMember>(&field.member)) {
    record.*(*text) = value;
  } else if (!value.empty()) {
    record.*std::get<ApConfigFields::IntMember>(field.member) = std::atoi(value.c_str());
  }
}

// The fields a difference row may name, by their difference property names.
const std::vector<ApConfigFields::Field>& DifferenceFields() {
  static const std::vector<ApConfigFields::Field> fields = [] {
    std::vector<ApConfigFields::Field> all = {{"APSysSubnetMask", &R::APSysSubnetMask},
                                              {"APSysDefaultGateway", &R::APSysDefaultGateway},
                                              {"crvAPName", &R::name},
                                              {"APSysCountryCode", &R::APSysCountryCode}};
    for (const auto* group : {&ApConfigFields::General(), &ApConfigFields::Wep64(), &ApConfigFields::Wep128(),
                              &ApConfigFields::Wep152(), &ApConfigFields::Wpa(), &ApConfigFields::Radio()})
      for (const auto& field : *group)
        // Automatic channel selection has its own difference name; the filter type has no difference rows.
        if (std::strcmp(field.column, "crvapautochannel") != 0 && std::strcmp(field.column, "filterType") != 0)
          all.push_back(field);
    return all;
  }();
  return fields;
}

}  // namespace

const std::vector<ApConfigFields::Field>& ApConfigFields::General() {
  static const std::vector<Field> fields = {
      {"location", &R::location},
      {"staNumber", &R::staNumber},
      {"enterpriseAPSysSNMPTrapIP", &R::enterpriseAPSysSNMPTrapIP},
      {"crvAPUserNumLimit", &R::crvAPUserNumLimit},
      {"crvAPWaterLevelBalancing", &R::crvAPWaterLevelBalancing},
      {"LoadBalanceStatus", &R::LoadBalanceStatus},
      {"crvAPBGMode", &R::crvAPBGMode},
      {"crvAPWirelessRadio", &R::crvAPWirelessRadio},
      {"crvAPssid", &R::crvAPssid},
      {"crvapautochannel", &R::crvapautochannel},
      {"crvAPChannel", &R::crvAPChannel},
      {"crvAPSuperG", &R::crvAPSuperG},
      {"crvAPWMMFunc", &R::crvAPWMMFunc},
      {"crvAPSSIDBroadcast", &R::crvAPSSIDBroadcast},
      {"crvAPSecurityType", &R::crvAPSecurityType}};
  return fields;
}

const std::vector<ApConfigFields::Field>& ApConfigFields::Wep64() {
  static const std::vector<Field> fields = {
      {"crvAPWEP64KeyType", &R::crvAPWEP64KeyType},     {"crvAPWEP64DefaultKeyValue", &R::crvAPWEP64DefaultKeyValue},
      {"crvAPWEP64Key1Value", &R::crvAPWEP64Key1Value}, {"crvAPWEP64Key2Value", &R::crvAPWEP64Key2Value},
      {"crvAPWEP64Key3Value", &R::crvAPWEP64Key3Value}, {"crvAPWEP64Key4Value", &R::crvAPWEP64Key4Value}};
  return fields;
}

const std::vector<ApConfigFields::Field>& ApConfigFields::Wep128() {
  static const std::vector<Field> fields = {
      {"crvAPWEP128KeyType", &R::crvAPWEP128KeyType},
      {"crvAPWEP128DefaultKeyValue", &R::crvAPWEP128DefaultKeyValue},
      {"crvAPWEP128Key1Value", &R::crvAPWEP128Key1Value},
      {"crvAPWEP128Key2Value", &R::crvAPWEP128Key2Value},
      {"crvAPWEP128Key3Value", &R::crvAPWEP128Key3Value},
      {"crvAPWEP128Key4Value", &R::crvAPWEP128Key4Value}};
  return fields;
}

const std::vector<ApConfigFields::Field>& ApConfigFields::Wep152() {
  static const std::vector<Field> fields = {
      {"crvAPWEP152KeyType", &R::crvAPWEP152KeyType},
      {"crvAPWEP152DefaultKeyValue", &R::crvAPWEP152DefaultKeyValue},
      {"crvAPWEP152Key1Value", &R::crvAPWEP152Key1Value},
      {"crvAPWEP152Key2Value", &R::crvAPWEP152Key2Value},
      {"crvAPWEP152Key3Value", &R::crvAPWEP152Key3Value},
      {"crvAPWEP152Key4Value", &R::crvAPWEP152Key4Value}};
  return fields;
}

const std::vector<ApConfigFields::Field>& ApConfigFields::Wpa() {
  static const std::vector<Field> fields = {{"crvAPSecurityCipherType", &R::crvAPSecurityCipherType},
                                            {"crvAPWPAPassPhrase", &R::crvAPWPAPassPhrase},
                                            {"radiusIP1", &R::radiusIP1},
                                            {"radiusPort1", &R::radiusPort1},
                                            {"radiusSharedSecret1", &R::radiusSharedSecret1},
                                            {"radiusIP2", &R::radiusIP2},
                                            {"radiusPort2", &R::radiusPort2},
                                            {"radiusSharedSecret2", &R::radiusSharedSecret2}};
  return fields;
}

const std::vector<ApConfigFields::Field>& ApConfigFields::Radio() {
  static const std::vector<Field> fields = {{"crvAPTxRates", &R::crvAPTxRates},
                                            {"crvAPAntennaTransmitPower", &R::crvAPAntennaTransmitPower},
                                            {"crvAPBeaconInterval", &R::crvAPBeaconInterval},
                                            {"crvAPRTSThreshold", &R::crvAPRTSThreshold},
                                            {"crvAPFragmentationThreshold", &R::crvAPFragmentationThreshold},
                                            {"crvAPDTIMinterval", &R::crvAPDTIMinterval},
                                            {"crvAPPreambleType", &R::crvAPPreambleType},
                                            {"crvAPCTSMode", &R::crvAPCTSMode},
                                            {"WLAN_Partition", &R::WLAN_Partition},
                                            {"filterType", &R::filterType}};
  return fields;
}

void ApConfigFields::Read(const ColumnValues& row, const std::vector<Field>& fields, ApConfigRecord& record) {
  for (const Field& field : fields)
    if (auto value = row.find(field.column); value != row.end()) Put(field, value->second, record);
}

bool ApConfigFields::Apply(const std::string& property, const std::string& value, ApConfigRecord& record) {
  if (property == "crvAPSecurityCipherType") {
    record.crvAPSecurityCipherType = std::atoi(value.c_str());
    return true;
  }
  const auto& fields = DifferenceFields();
  const auto field = std::find_if(fields.begin(), fields.end(), [&](const Field& f) { return property == f.column; });
  if (field == fields.end()) return false;
  Put(*field, value, record);
  return true;
}

std::string BareMac(const std::string& mac) {
  std::string bare;
  for (char c : mac)
    if (c != ':' && c != ' ' && c != '-') bare += c;
  return bare;
}

}  // namespace groups
