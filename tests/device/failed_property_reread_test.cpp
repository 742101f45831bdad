// A property whose last read failed is read again at the OID the AP answers to: the stored mark goes
// once the AP gives the value.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/pollingdb.h"
#include "device/AP.h"
#include "snmp/y_snmp.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/SnmpDefaults.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::DevSimProcess;
using testing_support::DevSimReference;
using testing_support::TempDatabase;
namespace net = testing_support::reference_network;

TEST(FailedPropertyRereadTest, APropertyThatReadGetfailRecoversWhenTheApAnswers) {
  TempDatabase database;
  testing_support::MessageBoxRecorder boxes;
  DevSimProcess simulator;
  SetSnmpDefaults("private", "private", 50);
  ASSERT_TRUE(net::AddDevices(database, "device_list_prev"));
  // The last poll could not read the SSID (relative OID) nor the name (absolute OID).
  ASSERT_TRUE(
      database.Exec("insert into ap_property (mac, crvAPssid, crvAPName, crvAPChannel) "
                    "values (?, 'GETFAIL', 'GETFAIL', '1')",
                    {net::kAp1}));

  CPollingDb polling;
  std::vector<PolledProperty> failed;
  ASSERT_EQ(polling.readAPFailProperty(&failed, net::kAp1, kApRootOid), 2);

  CYSnmp snmp;
  snmp.SetIp(DevSimReference::kAp1);
  std::string unused;
  EXPECT_NE(snmp.Get(".4.3.0", unused), 0) << "the OID as stored names nothing on the AP";
  for (PolledProperty& item : failed) ASSERT_EQ(snmp.Get(item.oid, item.value), 0) << item.oid;
  EXPECT_EQ(polling.UpdateApProperties(failed, net::kAp1), 0);

  std::vector<PolledProperty> again;
  EXPECT_EQ(polling.readAPFailProperty(&again, net::kAp1, kApRootOid), 0);
  EXPECT_EQ(database.Rows("select crvAPssid, crvAPName from ap_property"),
            (CAccessDatabase::TextRows{{"corvath", "ap-1"}}));
  EXPECT_TRUE(boxes.Texts().empty());
}

}  // namespace
