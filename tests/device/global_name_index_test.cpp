// Display-name numbers: the smallest free number per kind, taken once even by concurrent workers.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <thread>

#include "device/DeviceNameIndex.h"
#include "support/TempDatabase.h"

namespace {

// The numbers the device tables hold per kind, as the database loader reports them.
CDeviceNameIndex::IdLoader TablesWith(std::map<int, std::vector<int>> numbers, std::vector<int>* order = nullptr) {
  return [numbers, order](std::vector<int>& ids, int kind) {
    if (order) order->push_back(kind);
    auto found = numbers.find(kind);
    if (found != numbers.end()) ids.insert(ids.end(), found->second.begin(), found->second.end());
    return 0;
  };
}

TEST(DeviceNameIndex, AllocatesTheSmallestFreeNumberPerKind) {
  CDeviceNameIndex index;
  std::vector<int> order;
  index.Reload(TablesWith({{2, {1, 2, 4, 2}}, {1, {3}}}, &order));
  EXPECT_EQ(order, (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(index.Allocate(2), 3);
  EXPECT_EQ(index.Allocate(2), 5);
  EXPECT_EQ(index.Allocate(1), 1);
  EXPECT_EQ(index.Allocate(1), 2);
  EXPECT_EQ(index.Allocate(1), 4);
  EXPECT_EQ(index.Allocate(0), 1);
  EXPECT_EQ(index.Allocate(3), -1);
  EXPECT_EQ(index.Allocate(-1), -1);

  // A reload adds to what is taken; Clear starts every kind from 1 again.
  index.Reload(TablesWith({{0, {2}}}));
  EXPECT_EQ(index.Allocate(0), 3);
  index.Clear();
  EXPECT_EQ(index.Allocate(2), 1);
  EXPECT_EQ(index.Allocate(1), 1);
  EXPECT_EQ(index.Allocate(0), 1);
}

TEST(DeviceNameIndex, AFullKindGivesMinusOne) {
  CDeviceNameIndex index;
  std::vector<int> all;
  for (int n = 1; n <= 59998; ++n) all.push_back(n);
  index.Reload(TablesWith({{1, all}}));
  EXPECT_EQ(index.Allocate(1), 59999);
  EXPECT_EQ(index.Allocate(1), -1);
  EXPECT_EQ(index.Allocate(2), 1);
}

// The numbers come from the names in both device tables; only the number after the first '_' counts.
TEST(DeviceNameIndex, ReloadReadsTheNamesOfBothDeviceTables) {
  testing_support::TempDatabase database;
  const std::vector<std::pair<std::string, std::string>> rows{
      {"device_list", "AP_1"}, {"device_list", "AP_x"}, {"device_list", "AP"}, {"device_list", "AP_0"},
      {"device_list_prev", "AP_2"}, {"device_list_prev", "AP_4"}};
  int mac = 0;
  for (const auto& [table, name] : rows)
    ASSERT_TRUE(database.Exec("insert into " + table + " (name, mac, type) values (?, ?, '2')",
                              {name, "02:00:00:00:00:0" + std::to_string(++mac)}));
  ASSERT_TRUE(database.Exec("insert into device_list_prev (name, mac, type) values ('Lobby_3', '02:00:00:00:01:01', '1')"));
  ASSERT_TRUE(database.Exec("insert into device_list (name, mac, type) values (NULL, '02:00:00:00:01:02', '0')"));

  CDeviceNameIndex index;
  index.Reload();
  EXPECT_EQ(index.Allocate(2), 3);
  EXPECT_EQ(index.Allocate(2), 5);
  EXPECT_EQ(index.Allocate(1), 1);
  EXPECT_EQ(index.Allocate(1), 2);
  EXPECT_EQ(index.Allocate(1), 4);  // a renamed switch still reserves its number
  EXPECT_EQ(index.Allocate(0), 1);
}

TEST(DeviceNameIndex, ConcurrentWorkersNeverShareANumber) {
  CDeviceNameIndex index;
  constexpr int kThreads = 8, kEach = 200;
  std::vector<std::vector<int>> taken(kThreads);
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t)
    workers.emplace_back([&index, &taken, t] {
      for (int i = 0; i < kEach; ++i) taken[t].push_back(index.Allocate(2));
    });
  for (std::thread& w : workers) w.join();
  std::vector<int> all;
  for (const auto& numbers : taken) all.insert(all.end(), numbers.begin(), numbers.end());
  std::sort(all.begin(), all.end());
  std::vector<int> expected(kThreads * kEach);
  for (size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<int>(i) + 1;
  EXPECT_EQ(all, expected);
}

}  // namespace
