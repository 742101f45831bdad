#pragma once
// A fresh database with every log level recorded, a recording main window, and helpers that add log rows
// and read the senders' outcome lines. The shut-down at the end deletes the event log and the pool.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "db/AccessDatabase.h"
#include "log/LogDBModule.h"
#include "log/LogLevelMask.h"
#include "platform/Clock.h"
#include "platform/Shutdown.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

class AlertTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_nLogLevelMask = 0xF;
    GetLogDBModule();  // installs the writer of the settings' action-log lines
  }
  void TearDown() override {
    platform::RunShutdown();
    platform::UnpinClock();
    g_nLogLevelMask = 0;
  }

  // A system-log row of the test's own, stamped as given.
  void AddRow(const std::string& dateTime, int level, const std::string& description) {
    const int index = std::stoi("0" + database.Value("SELECT MAX(\"index\") FROM system_log")) + 1;
    ASSERT_TRUE(database.Exec("INSERT INTO system_log VALUES(?, ?, 1, ?, ?)", {index, dateTime, level, description}));
  }

  // The descriptions of the Debug rows that contain part, in the order written.
  std::vector<std::string> DebugLines(const std::string& part) {
    std::vector<std::string> lines;
    for (const auto& row :
         database.Rows("SELECT description FROM system_log WHERE type=1 AND level=4 AND instr(description, ?) > 0 "
                       "ORDER BY \"index\"",
                       {part}))
      lines.push_back(row[0]);
    return lines;
  }

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
};
