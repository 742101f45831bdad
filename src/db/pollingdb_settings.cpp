// The settings row of the polling database: polling, logging and country settings, the discovery
// password, and the country code the APs report.
#include <cstdlib>

#include "db/MethodBox.h"
#include "db/pollingdb.h"

namespace {

// What a NULL column of the settings row stands for.
constexpr int kDefaultIntervalSeconds = 60;
constexpr int kDefaultTimeoutSeconds = 1;
constexpr int kDefaultMonitorSeconds = 600;
constexpr int kAllLogLevels = 15;
constexpr int kDefaultCountryIndex = 1;
constexpr int kDefaultThreadCount = 5;

// The first row of the table; a change needs it to exist.
constexpr char kFirstSettingsRow[] = "rowid = (SELECT rowid FROM global_setting LIMIT 1)";

}  // namespace

int CPollingDb::getGlobalSetting(int& interval, int& timeout, int& monitorTime, int& logLevel, int& countryIndex,
                                 int& threadNo) {
  return ReadQuery("getGlobalSetting", "select * from global_setting", {}, 0, [&](db::CRecordset& rs) {
    interval = NumberOr(rs, "interval", kDefaultIntervalSeconds);
    timeout = NumberOr(rs, "timeout", kDefaultTimeoutSeconds);
    monitorTime = NumberOr(rs, "monitor_time", kDefaultMonitorSeconds);
    logLevel = NumberOr(rs, "log_level", kAllLogLevels);
    countryIndex = NumberOr(rs, "country_index", kDefaultCountryIndex);
    threadNo = NumberOr(rs, "threadno", kDefaultThreadCount);
    return 1;
  });
}

int CPollingDb::saveGlobalSetting(const int& interval, const int& timeout, const int& monitorTime, const int& logLevel,
                                  const int& countryIndex, const unsigned& countryCode, const int& threadNo) {
  return ChangeRows(
      "saveGlobalSetting", "select * from global_setting", {}, true,
      [&](db::CRecordset& rs) {
        RequireRow(rs);
        Run(std::string("update global_setting set interval=?,timeout=?,monitor_time=?,log_level=?,"
                        "country_index=?,country_code=?,threadno=? where ") +
                kFirstSettingsRow,
            {interval, timeout, monitorTime, logLevel, countryIndex, countryCode, threadNo});
        return 0;
      },
      db::ShowMethodBox("saveGlobalSetting", -1));
}

int CPollingDb::getPassword(std::string& community) {
  return ReadQuery(
      "getPassword", "select w_community from global_setting", {}, -1,
      [&](db::CRecordset& rs) {
        if (!IsNull(rs, "w_community")) community = rs.GetText("w_community");
        return 1;
      },
      -2);
}

int CPollingDb::setPassword(const std::string& community) {
  return ChangeRows(
      "setPassword", "select w_community from global_setting", {}, true,
      [&](db::CRecordset& rs) {
        RequireRow(rs);
        Run(std::string("update global_setting set w_community=? where ") + kFirstSettingsRow, {community});
        return 0;
      },
      db::ShowMethodBox("setPassword", -1));
}

int CPollingDb::getCountryCode(int& code) {
  return ReadQuery(
      "getCountryCode", "select APSysCountryCode from ap_property", {}, -1,
      [&](db::CRecordset& rs) {
        if (IsNull(rs, "APSysCountryCode")) return -1;
        code = std::atoi(rs.GetText("APSysCountryCode").c_str());
        return 1;
      },
      -2);
}
