#pragma once
// A fresh database with the reference network's devices managed, message boxes recorded, and the
// process-wide services shut down again after each test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups/GroupStore.h"
#include "platform/Shutdown.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace net = testing_support::reference_network;

class GroupStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(net::AddDevices(database_, "device_list_prev")); }
  void TearDown() override { platform::RunShutdown(); }

  CGroupStore& Store() { return *GetGroupStore(); }
  // Adds a group with the template and members; fails the test when it cannot.
  void AddGroup(const std::string& name, GroupTemplateRecord groupTemplate, const std::vector<std::string>& macs) {
    ASSERT_EQ(Store().AddGroup(name, &groupTemplate), 0) << name;
    for (const std::string& mac : macs) ASSERT_EQ(Store().AddApToGroup(name, mac), 0) << name;
  }

  testing_support::MessageBoxRecorder boxes_;
  testing_support::TempDatabase database_;
};
