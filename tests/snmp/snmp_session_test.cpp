// Net-SNMP made ready for numeric OIDs: no MIB read, nothing printed, the environment left alone.
#include "snmp/SnmpSession.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(SnmpSessionLibraryTest, StartsWithoutMibsAndWithoutTouchingTheEnvironment) {
  if (std::getenv("MIBS")) GTEST_SKIP() << "MIBS is set for this run";

  testing::internal::CaptureStderr();
  CSnmpSession::InitLibrary();
  CSnmpSession::InitLibrary();  // any number of times
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  // Other threads may read the environment at any time, and child processes inherit it.
  EXPECT_EQ(std::getenv("MIBS"), nullptr);

  // Only numeric OIDs are known: no module was loaded that could name one.
  oid name[MAX_OID_LEN];
  size_t length = MAX_OID_LEN;
  EXPECT_EQ(read_objid("SNMPv2-MIB::sysName.0", name, &length), 0);
  length = MAX_OID_LEN;
  EXPECT_EQ(read_objid(".1.3.6.1.2.1.1.5.0", name, &length), 1);
  EXPECT_EQ(length, 9u);
}

}  // namespace
