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
#include "support/LocalTime.h"

using testing_support::PinLocalTime;

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

  testing_support::MessageRecorder mainWindow;
  testing_support::MessageBoxRecorder boxes;
  testing_support::TempDatabase database;
  const testing_support::TempDir& tmp = database.Dir();
};
