#pragma once
// The reference network in a fresh database for the device views: S, A1 and A2 managed with property
// rows, A3 and U found, A3 without properties yet, and the links of the first pass.
#include "db/PoolFixture.h"
#include "db/ReferenceApProperties.h"
#include "db/pollingdb.h"
#include "support/SnmpDefaults.h"

namespace net = testing_support::reference_network;

class DevViewsFixture : public PoolFixture {
 protected:
  void SetUp() override {
    SetSnmpDefaults("public", "private", 50);  // half a second: the simulator answers at once
    ASSERT_TRUE(net::AddDevices(database_, "device_list"));
    Run("INSERT INTO device_list_prev SELECT * FROM device_list WHERE mac IN (?, ?, ?)",
        {net::kSwitch, net::kAp1, net::kAp2});
    Run("DELETE FROM device_list WHERE mac IN (?, ?, ?)", {net::kSwitch, net::kAp1, net::kAp2});
    for (int ap = 1; ap <= 2; ++ap) {
      const auto items = net::ApItems(ap);
      ASSERT_EQ(CPollingDb().insertAPProperty(items, items[items.size() - 2].value), 1);
    }
    ASSERT_TRUE(net::AddLinks(database_, "device_map_polling"));
    ASSERT_TRUE(net::AddLinks(database_, "device_map_prev"));
  }
  // A managed device's stored status and online flag.
  void SetManaged(const std::string& mac, int status, int online = 1) {
    Run("UPDATE device_list_prev SET status=?, online=? WHERE mac=?", {status, online, mac});
  }
};
