// CPollingDb: the stored values that the AP compare and the switch configuration read, and the
// single-column updates of the AP's previous address and channel and of the switch's settings.
#include <cstdlib>

#include "db/pollingdb.h"
#include "platform/DebugTrace.h"

void CPollingDb::CopyColumns(const db::CRecordset& rs,
                             std::initializer_list<std::pair<const char*, std::string*>> fields) {
  for (const auto& [column, field] : fields)
    if (!IsNull(rs, column)) *field = rs.GetText(column);
}

int CPollingDb::GetCompareInfo(ApIdentityRecord& identity, const std::string& mac) {
  return ReadQuery("GetCompareInfo",
                   "select enterpriseAPSysCfgID,enterpriseAPSysFWVersion,enterpriseAPSysHWid,"
                   "enterpriseAPSysFlashCFGChecksum FROM ap_property where mac=?",
                   {mac}, 0, [&](db::CRecordset& rs) {
                     CopyColumns(rs, {{"enterpriseAPSysCfgID", &identity.configId},
                                      {"enterpriseAPSysFWVersion", &identity.firmwareVersion},
                                      {"enterpriseAPSysHWid", &identity.hardwareId},
                                      {"enterpriseAPSysFlashCFGChecksum", &identity.flashChecksum}});
                     return 1;
                   });
}

int CPollingDb::GetCompareInfo(ApChannelRecord& channel, const std::string& mac) {
  return ReadQuery("GetCompareInfo", "select crvAPChannel,crvapautochannel FROM ap_property where mac=?", {mac}, 0,
                   [&](db::CRecordset& rs) {
                     CopyColumns(rs, {{"crvapautochannel", &channel.autoChannel}, {"crvAPChannel", &channel.channel}});
                     return 1;
                   });
}

int CPollingDb::GetCompareInfo(ApBalancingRecord& balancing, const std::string& mac) {
  return ReadQuery("GetCompareInfo", "select crvAPWaterLevelBalancing,crvAPUserNumLimit FROM ap_property where mac=?",
                   {mac}, 0, [&](db::CRecordset& rs) {
                     CopyColumns(rs, {{"crvAPWaterLevelBalancing", &balancing.waterLevelBalancing},
                                      {"crvAPUserNumLimit", &balancing.userNumLimit}});
                     return 1;
                   });
}

int CPollingDb::GetCompareInfo(std::string& dhcpMode, const std::string& mac) {
  return ReadQuery("GetCompareInfo", "select APSysDHCP FROM ap_property where mac=?", {mac}, 0,
                   [&](db::CRecordset& rs) {
                     CopyColumns(rs, {{"APSysDHCP", &dhcpMode}});
                     return 1;
                   });
}

int CPollingDb::GetCompareInfo(SwitchSettingsRecord& settings, const std::string& key, SwitchSettingsLookup lookup) {
  switch (lookup) {
    case SwitchSettingsLookup::CommunityByIp:
      return ReadQuery(
          "GetCompareInfo", "select * FROM device_list_prev where ip=?", {key}, 0, [&](db::CRecordset& rs) {
            CopyColumns(rs, {{"write_community", &settings.writeCommunity}, {"sysobjid", &settings.sysObjectId}});
            return 1;
          });
    case SwitchSettingsLookup::LldpByIp:
      return ReadQuery("GetCompareInfo", "select * FROM switch_property where ip_address=?", {key}, 0,
                       [&](db::CRecordset& rs) {
                         CopyColumns(rs, {{"LLDPonoff", &settings.lldp}});
                         return 1;
                       });
    case SwitchSettingsLookup::CommunityByMac:
      return ReadQuery("GetCompareInfo", "select * FROM device_list_prev where mac=?", {key}, 0,
                       [&](db::CRecordset& rs) {
                         CopyColumns(rs, {{"write_community", &settings.writeCommunity},
                                          {"sysobjid", &settings.sysObjectId},
                                          {"ip", &settings.ip}});
                         return 1;
                       });
  }
  return -1;
}

int CPollingDb::GetCompareInfo(const std::string& mac, SwitchCode code) {
  if (code == SwitchCode::Online) {
    return ReadQuery("GetCompareInfo", "select * FROM device_list_prev where type=1 and mac=?", {mac}, 0,
                     [](db::CRecordset& rs) {
                       if (IsNull(rs, "online")) return 0;
                       const int online = std::atoi(rs.GetText("online").c_str());
                       return online == 1 ? 2 : online == 0 ? 1 : 0;
                     });
  }
  return ReadQuery("GetCompareInfo", "select * FROM switch_property where mac=?", {mac}, 0, [](db::CRecordset& rs) {
    const int lldp = NumberOr(rs, "LLDPonoff", 0);
    return lldp == 1 || lldp == 2 ? lldp : 0;
  });
}

std::string CPollingDb::GetCommunityByMac(const std::string& mac, int inNewList) {
  return FirstText("GetCommunityByMac", std::string("select * FROM ") + DeviceTable(inNewList) + " where mac=?", {mac},
                   "write_community");
}

int CPollingDb::updatePreAPChannel(const std::string& mac, const std::string& channel) {
  return ChangeRows("updatePreAPChannel", "select * from ap_property where mac=?", {mac}, false,
                    [&](db::CRecordset& rs) {
                      Run("update ap_property set KipAPchannel=? where mac=?", {channel, mac});
                      return static_cast<int>(rs.Rows().size());
                    });
}

int CPollingDb::updateAntiRogue(const SwitchSettingsRecord* settings) {
  if (!settings) return -1;
  return ChangeRows("updateAntiRogue", "select * from switch_property where ip_address=?", {settings->ip}, false,
                    [&](db::CRecordset& rs) {
                      Run("update switch_property set anti_rogue=?,sys_name=?,location=?,LLDPonoff=? "
                          "where ip_address=?",
                          {settings->antiRogue, settings->sysName, settings->location, settings->lldp, settings->ip});
                      for (size_t row = 0; row < rs.Rows().size(); ++row) DebugTrace("%s", settings->lldp.c_str());
                      return static_cast<int>(rs.Rows().size());
                    });
}
