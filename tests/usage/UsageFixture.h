#pragma once
// A fresh database with the reference network's APs managed and online, a recording main window, and the
// shut-down that deletes the load-balance manager and the pool after each test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loadbalance/LoadBalanceManager_DB.h"
#include "platform/Shutdown.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace net = testing_support::reference_network;

class UsageTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(net::AddDevices(database, "device_list_prev")); }
  void TearDown() override {
    platform::RunShutdown();
    platform::UnpinClock();
  }

  // Stores one monitor round through the process-wide manager: per AP its MAC, users and clients.
  void StoreRound(std::vector<RecorderPollingRecord> records) {
    ASSERT_TRUE(GetLoadBalanceManager()->SetRecordersPolling(records));
  }
  static RecorderPollingRecord Ap(const std::string& mac, int users, std::vector<ClientConnectRecord> clients = {}) {
    RecorderPollingRecord record;
    record.Mac_ap = mac;
    record.count_conn_client = users;
    record.clients = std::move(clients);
    return record;
  }

  static ClientConnectRecord Client(const std::string& mac, const std::string& rssi, const std::string& mode) {
    return {mac, rssi, mode, "", ""};
  }

  testing_support::MessageRecorder mainWindow;
  testing_support::MessageBoxRecorder boxes;
  testing_support::TempDatabase database;
};
