#pragma once
// A fresh database in the test's own folder, every level enabled, and a recording main window. The
// shut-down at the end deletes the event log and the pool, so the next test starts from a new file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/AccessDatabase.h"
#include "log/LogDBModule.h"
#include "log/LogLevelMask.h"
#include "platform/Clock.h"
#include "platform/Shutdown.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override { g_nLogLevelMask = 0xF; }
  void TearDown() override {
    platform::RunShutdown();
    platform::UnpinClock();
    g_nLogLevelMask = 0;
  }

  CLogDBModule& Log() { return *GetLogDBModule(); }

  // Rows as "index|type|level|description", in index order, read around the module.
  std::vector<std::string> StoredRows() {
    std::vector<std::string> rows;
    for (const auto& row : CAccessDatabase().QueryRows(
             "SELECT \"index\", type, level, description FROM system_log ORDER BY \"index\""))
      rows.push_back(row[0] + "|" + row[1] + "|" + row[2] + "|" + row[3]);
    return rows;
  }

  // Pins the clock to a local time and returns its stored text.
  static std::string PinLocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    platform::PinClock(std::chrono::system_clock::from_time_t(std::mktime(&local)));
    return platform::NowText();
  }

  testing_support::MessageRecorder mainWindow;
  testing_support::MessageBoxRecorder boxes;
  testing_support::TempDatabase database;
  const testing_support::TempDir& tmp = database.Dir();
};
