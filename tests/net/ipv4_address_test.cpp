// The IPv4 address value: parsing, order, increment, classes and the classful network and broadcast tests.
#include <gtest/gtest.h>

#include "net/IPv4Address.h"

namespace {

TEST(IPv4Address, ParsesAndOrdersPartByPart) {
  CIPv4Address address("10.20.30.40");
  EXPECT_EQ(address.ToString(), "10.20.30.40");
  EXPECT_TRUE(CIPv4Address("9.255.255.255").IsLess(address));
  EXPECT_TRUE(CIPv4Address("10.20.30.39").IsLess(address));
  EXPECT_FALSE(address.IsLess(CIPv4Address("10.20.30.40")));
  EXPECT_FALSE(CIPv4Address("10.20.31.0").IsLess(address));
  EXPECT_TRUE(address.Equals(CIPv4Address(std::string("10.20.30.40"))));

  // Parts that do not parse keep their values.
  CIPv4Address partial("1.2.3.4");
  partial.Parse("7.8");
  EXPECT_EQ(partial.ToString(), "7.8.3.4");
  partial.Clear();
  EXPECT_EQ(partial.ToString(), "0.0.0.0");
}

TEST(IPv4Address, IncrementCarriesTowardsTheFirstPart) {
  CIPv4Address address("10.0.0.254");
  EXPECT_EQ(address.Increment().ToString(), "10.0.0.255");
  EXPECT_EQ(address.Increment().ToString(), "10.0.1.0");
  CIPv4Address high("10.255.255.255");
  EXPECT_EQ(high.Increment().ToString(), "11.0.0.0");
}

TEST(IPv4Address, ClassesAndClassfulAddresses) {
  struct Case {
    const char* ip;
    int addressClass;
    int network;
    int broadcast;
    const char* firstHost;
  } cases[] = {
      {"10.0.0.0", 1, 1, 0, ""},           {"10.255.255.255", 1, 0, 1, "10.0.0.1"},
      {"10.0.0.255", 1, 0, 0, ""},         {"172.16.0.0", 2, 2, 0, ""},
      {"172.16.255.255", 2, 0, 2, "172.16.0.1"}, {"192.168.1.0", 3, 3, 0, ""},
      {"192.168.3.255", 3, 0, 3, "192.168.3.1"}, {"224.0.0.1", 4, 0, 0, ""},
      {"240.0.0.0", 5, 0, 0, ""},          {"250.0.0.0", 0, 0, 0, ""},
  };
  for (const Case& c : cases) {
    CIPv4Address address(c.ip);
    EXPECT_EQ(address.GetClass(), c.addressClass) << c.ip;
    EXPECT_EQ(address.IsClassfulNetwork(), c.network) << c.ip;
    char host[16] = "";
    EXPECT_EQ(address.IsClassfulBroadcast(host, sizeof host), c.broadcast) << c.ip;
    EXPECT_STREQ(host, c.firstHost) << c.ip;
  }
  char small[8] = "";
  EXPECT_EQ(CIPv4Address("10.0.0.1").Format(small, sizeof small), -1);
  EXPECT_EQ(CIPv4Address("10.255.255.255").IsClassfulBroadcast(small, sizeof small), 1);
  EXPECT_STREQ(small, "");
}

}  // namespace
