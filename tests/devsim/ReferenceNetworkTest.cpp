// The simulator as Net-SNMP's own tools see it: the reference network over real UDP.
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "NetSnmpTool.h"
#include "support/DevSimProcess.h"
#include "support/SnmpdProcess.h"

namespace {

using devsim_test::RunNetSnmpTool;
using devsim_test::ToolResult;
using testing_support::DevSimProcess;
using testing_support::DevSimReference;

const std::string kAp = "1.3.6.1.4.1.44711.1";
const std::string kSwitch = "1.3.6.1.4.1.44711.10.76.2";

class ReferenceNetworkTest : public testing::Test {
 protected:
  ToolResult Tool(const std::string& tool, const std::string& address, const std::vector<std::string>& args,
                  const std::string& community = "private") {
    return RunNetSnmpTool(tool, community, simulator_.Peer(address), args);
  }
  // The output of a tool that must succeed.
  std::string Output(const std::string& tool, const std::string& address, const std::vector<std::string>& args,
                     const std::string& community = "private") {
    const ToolResult result = Tool(tool, address, args, community);
    EXPECT_EQ(result.exitCode, 0) << result.output;
    return result.output;
  }

  DevSimProcess simulator_;
};

TEST_F(ReferenceNetworkTest, ServesTheReferenceValuesToSnmpget) {
  struct Case {
    const char* address;
    std::string oid;
    std::string line;  // as snmpget prints it, without the OID
  };
  const Case cases[] = {
      {DevSimReference::kSwitch, "1.3.6.1.2.1.1.2.0", "OID: .1.3.6.1.4.1.44711.10.76.2"},
      {DevSimReference::kSwitch, "1.3.6.1.2.1.1.5.0", "STRING: \"lab-switch\""},
      {DevSimReference::kSwitch, "1.3.6.1.2.1.2.1.0", "INTEGER: 25"},
      {DevSimReference::kSwitch, "1.3.6.1.2.1.17.1.1.0", "Hex-STRING: 02 44 71 00 00 01 "},
      {DevSimReference::kSwitch, "1.3.6.1.2.1.17.2.15.1.3.24", "INTEGER: 5"},
      {DevSimReference::kSwitch, "1.0.8802.1.1.2.1.1.6.1.2.1", "INTEGER: 3"},
      {DevSimReference::kSwitch, "1.3.6.1.4.1.44711.10.75.3.24.6.0", "INTEGER: 1"},
      {DevSimReference::kSwitch, kSwitch + ".24.6.0", "INTEGER: 1"},
      {DevSimReference::kSwitch, kSwitch + ".11.15.0", "STRING: \"private\""},
      {DevSimReference::kAp1, kAp + ".1.4.0", "STRING: \"private\""},
      {DevSimReference::kSwitch, kSwitch + ".11.16.0", "IpAddress: 127.0.0.10"},
      {DevSimReference::kSwitch, kSwitch + ".11.17.0", "IpAddress: 255.0.0.0"},
      {DevSimReference::kSwitch, kSwitch + ".24.1.0", "STRING: \"E77E059E88D60FC190FEECA13F26D527\""},
      {DevSimReference::kSwitch, kSwitch + ".24.2.0", "Hex-STRING: 00 00 00 "},
      {DevSimReference::kSwitch, kSwitch + ".24.3.1.3.4", "STRING: \"02 90 00\""},
      {DevSimReference::kSwitch, kSwitch + ".24.3.1.3.5", "\"\""},
      {DevSimReference::kAp1, "1.3.6.1.2.1.2.2.1.6.1", "Hex-STRING: 02 44 71 00 01 01 "},
      {DevSimReference::kAp1, kAp + ".1.5.0", "STRING: \"QR7V-TOLNA           -00\""},
      {DevSimReference::kAp1, kAp + ".1.9.0", "IpAddress: 127.0.0.1"},
      {DevSimReference::kAp1, kAp + ".3.5.1.2.1", "STRING: \"02:55:00:00:00:01\""},
      {DevSimReference::kAp1, kAp + ".5.6.0", "Counter32: 2000"},
      {DevSimReference::kAp2, kAp + ".2.2.1.2.1", "STRING: \"02:66:00:00:00:03\""},
      {DevSimReference::kAp2, kAp + ".1.10.2.0", "IpAddress: 127.0.0.12"},
      {DevSimReference::kAp3, kAp + ".4.2.0", "INTEGER: 11"},
      {DevSimReference::kAp3, kAp + ".6.3.1.3.2", "STRING: \"02:44:71:00:01:02\""},
      {DevSimReference::kUnknown, "1.3.6.1.2.1.1.2.0", "OID: .0.0"},
      {DevSimReference::kUnknown, "1.3.6.1.2.1.1.5.0", "STRING: \"printer-1\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.address) + " " + c.oid);
    EXPECT_EQ(Output("snmpget", c.address, {c.oid}, "public"), "." + c.oid + " = " + c.line + "\n");
  }
}

TEST_F(ReferenceNetworkTest, WalksTablesInSnmpOrder) {
  std::string expected;
  const char* chassis[] = {"02 44 71 00 01 01", "02 44 71 00 01 02", "02 44 71 00 01 03", "02 90 00 00 04 01"};
  const char* ports[] = {"eth0", "eth0", "eth0", "1"};
  const char* capabilities[] = {"00 08", "00 08", "00 08", "00 80"};
  for (int l = 0; l < 4; ++l) expected += ".1.0.8802.1.1.2.1.4.1.1.5.0." + std::to_string(l) + ".1 = Hex-STRING: " + chassis[l] + " \n";
  for (int l = 0; l < 4; ++l) expected += ".1.0.8802.1.1.2.1.4.1.1.7.0." + std::to_string(l) + ".1 = STRING: \"" + ports[l] + "\"\n";
  for (int l = 0; l < 4; ++l) expected += ".1.0.8802.1.1.2.1.4.1.1.12.0." + std::to_string(l) + ".1 = Hex-STRING: " + capabilities[l] + " \n";
  for (int l = 0; l < 4; ++l)
    expected += ".1.0.8802.1.1.2.1.4.2.1.4.0." + std::to_string(l) + ".1.1.4.127.0.0.1" + std::to_string(l + 1) + " = INTEGER: 0\n";
  EXPECT_EQ(Output("snmpwalk", DevSimReference::kSwitch, {"1.0.8802.1.1.2.1.4"}), expected);

  // The client table of A1 by columns; then, after the clients changed, with a third row.
  const std::string clients = Output("snmpwalk", DevSimReference::kAp1, {kAp + ".2"});
  EXPECT_EQ(clients, "." + kAp + ".2.1.0 = INTEGER: 2\n." + kAp + ".2.2.1.1.1 = INTEGER: 1\n." + kAp +
                         ".2.2.1.1.2 = INTEGER: 2\n." + kAp + ".2.2.1.2.1 = STRING: \"02:66:00:00:00:01\"\n." + kAp +
                         ".2.2.1.2.2 = STRING: \"02:66:00:00:00:02\"\n." + kAp + ".2.2.1.3.1 = INTEGER: 1\n." + kAp +
                         ".2.2.1.3.2 = INTEGER: 2\n." + kAp + ".2.2.1.4.1 = INTEGER: 40\n." + kAp +
                         ".2.2.1.4.2 = INTEGER: 25\n");
  simulator_.NextFrame(DevSimReference::kAp1);
  const std::string changed = Output("snmpwalk", DevSimReference::kAp1, {kAp + ".2.2.1.2"});
  EXPECT_EQ(changed, "." + kAp + ".2.2.1.2.1 = STRING: \"02:66:00:00:00:01\"\n." + kAp +
                         ".2.2.1.2.2 = STRING: \"02:66:00:00:00:02\"\n." + kAp +
                         ".2.2.1.2.3 = STRING: \"02:66:00:00:00:04\"\n");

  // snmpwalk checks that every answer comes after the last; a whole device walks without complaint.
  const std::string all = Output("snmpwalk", DevSimReference::kAp2, {"1"});
  EXPECT_EQ(all.find("OID not increasing"), std::string::npos);
  EXPECT_NE(all.find("." + kAp + ".6.3.1.5.2 = INTEGER: 10\n"), std::string::npos);
}

TEST_F(ReferenceNetworkTest, AnswersWithV1ErrorsAndOnlyToItsCommunities) {
  // -Cf: snmpget reports the error instead of asking again without the failing object.
  ToolResult result = Tool("snmpget", DevSimReference::kAp1, {"-Cf", kAp + ".2.1.0", kAp + ".4.9.0"}, "public");
  EXPECT_NE(result.exitCode, 0);
  EXPECT_NE(result.output.find("(noSuchName)"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("Failed object: ." + kAp + ".4.9.0"), std::string::npos) << result.output;

  result = Tool("snmpgetnext", DevSimReference::kUnknown, {"1.3.6.1.2.1.1.6.0"});
  EXPECT_NE(result.output.find("(noSuchName)"), std::string::npos) << result.output;

  struct Case {
    const char* what;
    std::string community;
    std::vector<std::string> args;
    const char* error;
  };
  const Case sets[] = {
      {"read community", "public", {"1.3.6.1.2.1.1.6.0", "s", "x"}, "(noSuchName)"},
      {"read-only object", "private", {"1.3.6.1.2.1.1.1.0", "s", "x"}, "(noSuchName)"},
      {"wrong type", "private", {"1.3.6.1.2.1.1.6.0", "i", "1"}, "(badValue)"},
      {"bad filter MAC", "private", {kAp + ".3.2.0", "s", "02-55-00"}, "(badValue)"},
  };
  for (const Case& c : sets) {
    SCOPED_TRACE(c.what);
    const std::string address = c.args[0].starts_with(kAp) ? DevSimReference::kAp1 : DevSimReference::kSwitch;
    result = Tool("snmpset", address, c.args, c.community);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.output.find(c.error), std::string::npos) << result.output;
  }
  EXPECT_EQ(simulator_.Get(DevSimReference::kSwitch, "1.3.6.1.2.1.1.6.0"), "1.3.6.1.2.1.1.6.0|4|lab");

  result = Tool("snmpget", DevSimReference::kSwitch, {"1.3.6.1.2.1.1.5.0"}, "wrong");
  EXPECT_NE(result.output.find("Timeout"), std::string::npos) << result.output;
}

TEST_F(ReferenceNetworkTest, SetsCommitsAndRestarts) {
  const std::string ap = DevSimReference::kAp1;
  // A restart far longer than the test: the silence below does not depend on how fast the machine is.
  simulator_.Configure(ap, "restart-silence-ms 600000");
  EXPECT_EQ(Output("snmpset", ap, {"1.3.6.1.2.1.1.6.0", "s", "rack 2", kAp + ".4.2.0", "i", "6"}),
            ".1.3.6.1.2.1.1.6.0 = STRING: \"rack 2\"\n." + kAp + ".4.2.0 = INTEGER: 6\n");
  EXPECT_EQ(Output("snmpget", ap, {"1.3.6.1.2.1.1.6.0", kAp + ".4.2.0"}),
            ".1.3.6.1.2.1.1.6.0 = STRING: \"rack 2\"\n." + kAp + ".4.2.0 = INTEGER: 6\n");

  // The new password waits for the commit; until then the AP reads back the one in force.
  EXPECT_EQ(Output("snmpset", ap, {kAp + ".1.4.0", "s", "newpass"}), "." + kAp + ".1.4.0 = STRING: \"newpass\"\n");
  EXPECT_EQ(Output("snmpget", ap, {kAp + ".1.4.0"}), "." + kAp + ".1.4.0 = STRING: \"private\"\n");
  EXPECT_EQ(Output("snmpset", ap, {kAp + ".1.4.0", "s", "newpass", kAp + ".1.3.0", "i", "1"}),
            "." + kAp + ".1.4.0 = STRING: \"newpass\"\n." + kAp + ".1.3.0 = INTEGER: 1\n");
  // Restarting: no answer with either password; once the restart is over, the new password and a new
  // configuration id.
  EXPECT_TRUE(simulator_.IsSilent(ap));
  EXPECT_NE(Tool("snmpget", ap, {kAp + ".1.11.0"}, "newpass").output.find("Timeout"), std::string::npos);
  EXPECT_TRUE(simulator_.IsSilent(ap));
  EXPECT_FALSE(simulator_.IsSilent(DevSimReference::kAp2));
  simulator_.Wake(ap);
  EXPECT_FALSE(simulator_.IsSilent(ap));
  EXPECT_EQ(Output("snmpget", ap, {kAp + ".1.11.0", kAp + ".1.3.0", kAp + ".1.4.0"}, "newpass"),
            "." + kAp + ".1.11.0 = INTEGER: 2\n." + kAp + ".1.3.0 = INTEGER: 0\n." + kAp +
                ".1.4.0 = STRING: \"newpass\"\n");
  EXPECT_NE(Tool("snmpget", ap, {kAp + ".1.11.0"}, "private").output.find("Timeout"), std::string::npos);
}

TEST_F(ReferenceNetworkTest, FirmwareOpenObjectsCloseAfterTheTransfer) {
  // Opened over SNMP, each device reads 0 again once its transfer time has passed. How long that takes
  // is not checked here (the in-process tests step the clock); only that it happens within a bound no
  // machine comes near.
  const std::pair<const char*, std::string> objects[] = {{DevSimReference::kSwitch, kSwitch + ".11.42.0"},
                                                         {DevSimReference::kAp1, kAp + ".1.8.0"}};
  for (const auto& [address, oid] : objects)
    EXPECT_EQ(Output("snmpset", address, {oid, "i", "1"}), "." + oid + " = INTEGER: 1\n");
  for (const auto& [address, oid] : objects) {
    SCOPED_TRACE(address);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    std::string state = simulator_.Get(address, oid);
    while (state != oid + "|2|0" && std::chrono::steady_clock::now() < giveUp) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      state = simulator_.Get(address, oid);
    }
    EXPECT_EQ(state, oid + "|2|0");
    EXPECT_EQ(Output("snmpget", address, {oid}), "." + oid + " = INTEGER: 0\n");
  }
}

TEST_F(ReferenceNetworkTest, LldpStateIsOneValueAtTheAbsoluteOidAndUnderTheRoot) {
  const std::string sw = DevSimReference::kSwitch, absolute = "1.3.6.1.4.1.44711.10.75.3.24.6.0";
  Output("snmpset", sw, {kSwitch + ".24.6.0", "i", "2"});
  EXPECT_EQ(Output("snmpget", sw, {absolute}), "." + absolute + " = INTEGER: 2\n");
  simulator_.Set(sw, absolute + "|2|1");  // a test's own change follows the same rule
  EXPECT_EQ(Output("snmpget", sw, {kSwitch + ".24.6.0"}), "." + kSwitch + ".24.6.0 = INTEGER: 1\n");
}

TEST_F(ReferenceNetworkTest, AddsAndDeletesMacFilterRows) {
  const std::string ap = DevSimReference::kAp1;
  Output("snmpset", ap, {kAp + ".3.2.0", "s", "02AB00000002"});
  Output("snmpset", ap, {kAp + ".3.2.0", "s", "02ab00000003", kAp + ".3.3.0", "s", "025500000001"});
  EXPECT_EQ(Output("snmpwalk", ap, {kAp + ".3.5"}),
            "." + kAp + ".3.5.1.1.1 = INTEGER: 1\n." + kAp + ".3.5.1.1.2 = INTEGER: 2\n." + kAp +
                ".3.5.1.2.1 = STRING: \"02:AB:00:00:00:02\"\n." + kAp + ".3.5.1.2.2 = STRING: \"02:ab:00:00:00:03\"\n");
}

TEST_F(ReferenceNetworkTest, DropsMalformedDatagramsAndKeepsServing) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  ASSERT_GE(fd, 0);
  sockaddr_in agent = testing_support::SocketAddress(DevSimReference::kSwitch, simulator_.Port());
  const std::string getSysName("\x30\x27\x02\x01\x00\x04\x07private\xa0\x19\x02\x01\x01\x02\x01\x00\x02\x01\x00"
                               "\x30\x0e\x30\x0c\x06\x08\x2b\x06\x01\x02\x01\x01\x05\x00\x05\x00", 41);
  std::vector<std::string> junk = {"", "hello", std::string(1400, '\xff'), std::string("\x30\x82\xff\xff", 4),
                                   getSysName.substr(0, 30), std::string("\x30\x03\x02\x01\x00", 5)};
  std::string v2c = getSysName;
  v2c[4] = 1;  // the same request as SNMPv2c
  junk.push_back(v2c);
  std::string bulk = getSysName;
  bulk[16] = '\xa5';  // GetBulk does not exist in v1
  junk.push_back(bulk);
  for (const std::string& datagram : junk)
    sendto(fd, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&agent), sizeof agent);
  sendto(fd, getSysName.data(), getSysName.size(), 0, reinterpret_cast<sockaddr*>(&agent), sizeof agent);

  // Exactly one answer comes back: the one to the well-formed request.
  char reply[1500];
  pollfd ready{fd, POLLIN, 0};
  ASSERT_EQ(poll(&ready, 1, 5000), 1);
  const ssize_t size = recv(fd, reply, sizeof reply, 0);
  ASSERT_GT(size, 0);
  EXPECT_NE(std::string(reply, size).find("lab-switch"), std::string::npos);
  EXPECT_EQ(poll(&ready, 1, 200), 0);
  close(fd);
  EXPECT_EQ(Output("snmpget", DevSimReference::kSwitch, {"1.3.6.1.2.1.1.5.0"}), ".1.3.6.1.2.1.1.5.0 = STRING: \"lab-switch\"\n");
}

TEST_F(ReferenceNetworkTest, SilenceAndDelayForTimeOutTests) {
  const std::string sw = DevSimReference::kSwitch;
  simulator_.Configure(sw, "delay-ms 300");
  EXPECT_EQ(Output("snmpget", sw, {"1.3.6.1.2.1.1.5.0"}), ".1.3.6.1.2.1.1.5.0 = STRING: \"lab-switch\"\n");
  simulator_.Configure(sw, "silent on");
  simulator_.Wake(sw);  // ends restarts only
  EXPECT_TRUE(simulator_.IsSilent(sw));
  EXPECT_NE(Tool("snmpget", sw, {"1.3.6.1.2.1.1.5.0"}).output.find("Timeout"), std::string::npos);
  EXPECT_EQ(Output("snmpget", DevSimReference::kAp2, {"1.3.6.1.2.1.1.5.0"}), ".1.3.6.1.2.1.1.5.0 = STRING: \"ap-2\"\n");
  simulator_.Configure(sw, "silent off");
  EXPECT_EQ(Output("snmpget", sw, {"1.3.6.1.2.1.1.5.0"}), ".1.3.6.1.2.1.1.5.0 = STRING: \"lab-switch\"\n");
}

}  // namespace
