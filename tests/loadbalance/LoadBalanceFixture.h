#pragma once
// A fresh database, a recording main window and the local clock pinned on request. The shut-down at the
// end deletes the manager (saving its poll-round number) and the pool.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <string>
#include <vector>

#include "loadbalance/LoadBalanceManager_DB.h"
#include "platform/Clock.h"
#include "platform/Shutdown.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

class LoadBalanceTest : public ::testing::Test {
 protected:
  void TearDown() override {
    platform::RunShutdown();
    platform::UnpinClock();
  }

  static void PinLocalTime(int year, int month, int day, int hour, int minute) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_isdst = -1;
    platform::PinClock(std::chrono::system_clock::from_time_t(std::mktime(&local)));
  }
  // Rows as texts joined by '|'.
  std::vector<std::string> Rows(const std::string& sql, const db::SqlParams& params = {}) {
    std::vector<std::string> rows;
    for (const auto& row : database.Rows(sql, params)) {
      std::string line;
      for (size_t i = 0; i < row.size(); ++i) line += (i ? "|" : "") + row[i];
      rows.push_back(line);
    }
    return rows;
  }
  void AddAp(const std::string& table, const std::string& name, const std::string& ip, const std::string& mac,
             const std::string& group = "") {
    ASSERT_TRUE(database.Exec("INSERT INTO " + table +
                                  " (name, ip, mac, type, online, isnew, group_balance, read_community, "
                                  "write_community) VALUES (?, ?, ?, 2, 1, 0, ?, 'public', 'private')",
                              {name, ip, mac, group}));
  }

  testing_support::MessageRecorder mainWindow;
  testing_support::MessageBoxRecorder boxes;
  testing_support::TempDatabase database;
};

inline RecorderPollingRecord ApRound(const std::string& mac, int clients, int traffic,
                                     std::vector<ClientConnectRecord> list = {}) {
  RecorderPollingRecord record;
  record.Mac_ap = mac;
  record.count_conn_client = clients;
  record.traffic_ap = traffic;
  record.clients = std::move(list);
  return record;
}

inline ClientConnectRecord Client(const std::string& mac, const std::string& rssi = "40", const std::string& mode = "1",
                                  const std::string& state = "", const std::string& ap = "") {
  return {mac, rssi, mode, state, ap};
}
