// CYSnmp against a real agent (Net-SNMP's snmpd) on a loopback address of its own.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>

#include "platform/Environment.h"
#include "settings/GlobalSettings.h"
#include "snmp/y_snmp.h"
#include "support/SnmpDefaults.h"
#include "support/SnmpdProcess.h"
#include "support/TempDir.h"

namespace {

using testing_support::SnmpdProcess;

constexpr const char* kSysDescr = "1.3.6.1.2.1.1.1.0";
constexpr const char* kSysObjectId = "1.3.6.1.2.1.1.2.0";
constexpr const char* kSysContact = "1.3.6.1.2.1.1.4.0";
constexpr const char* kSysName = "1.3.6.1.2.1.1.5.0";
constexpr const char* kSysLocation = "1.3.6.1.2.1.1.6.0";
constexpr const char* kIfNumber = "1.3.6.1.2.1.2.1.0";
constexpr const char* kIfAdminStatus1 = "1.3.6.1.2.1.2.2.1.7.1";
constexpr const char* kLoopbackIpAddress = "1.3.6.1.2.1.4.20.1.1.127.0.0.1";  // IpAddress, read-only
constexpr const char* kMissing = "1.3.6.1.2.1.1.99.0";

// A pass-through subtree whose agent answers every GETNEXT with the same object, as a faulty device
// would, one whose next object has a very long OID, and a subtree of two objects at the very end of the
// agent's tree.
constexpr const char* kPassScript = R"(#!/bin/sh
case "$1 $2" in
  "-n .1.3.6.1.4.1.99999"*) echo .1.3.6.1.4.1.99999.1; echo integer; echo 7 ;;
  "-g .1.3.6.1.4.1.99999.1") echo .1.3.6.1.4.1.99999.1; echo integer; echo 7 ;;
  "-n .2.98") echo .2.98.1234567890.1234567890.1234567890.1234567890.1234567890.1234567890; echo integer; echo 1 ;;
  "-n .2.99") echo .2.99.1; echo integer; echo 11 ;;
  "-n .2.99.1") echo .2.99.2; echo integer; echo 12 ;;
esac
exit 0
)";

class SnmpAgentTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scriptDir_ = new testing_support::TempDir();
    const std::string script = scriptDir_->File("pass.sh");
    std::ofstream(script) << kPassScript;
    SnmpdProcess::Options options;
    options.extraConfig = "pass .1.3.6.1.4.1.99999 /bin/sh " + script + "\npass .2.98 /bin/sh " + script +
                           "\npass .2.99 /bin/sh " + script + "\n";
    agent_ = new SnmpdProcess(options);
    setenv("PELLION_SNMP_PORT", std::to_string(agent_->Port()).c_str(), 1);
    platform::ReloadOverrides();
  }
  static void TearDownTestSuite() {
    delete agent_;
    delete scriptDir_;
    unsetenv("PELLION_SNMP_PORT");
    platform::ReloadOverrides();
  }

  static CYSnmp Client() {
    CYSnmp snmp;
    snmp.SetIp(agent_->Address());
    snmp.SetReadCommunity(agent_->ReadCommunity());
    snmp.SetWriteCommunity(agent_->WriteCommunity());
    snmp.timeout = 100;
    return snmp;
  }
  // A client of an address where nothing listens, with a short time-out.
  static CYSnmp Silent() {
    CYSnmp snmp = Client();
    snmp.SetIp(testing_support::UniqueLoopbackAddress());
    snmp.timeout = 5;
    return snmp;
  }
  static std::string Read(const char* oid) {
    std::string value;
    EXPECT_EQ(Client().Get(oid, value), 0) << oid;
    return value;
  }
  // Values as snmpget/snmpwalk print them with -OQv, in the wrapper's form: quotes and the OID's leading
  // dot removed.
  static std::vector<std::string> ToolValues(const std::string& tool, const std::vector<std::string>& oids) {
    std::vector<std::string> args{"-v1", "-c", agent_->ReadCommunity(), "-On", "-OQv", "-Ot", "-Oe", agent_->Peer()};
    args.insert(args.end(), oids.begin(), oids.end());
    std::string output;
    EXPECT_EQ(agent_->RunTool(tool, args, output), 0) << output;
    std::vector<std::string> values;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.front() == '"') {
        CYSnmp::StripQuotes(line.data());
        line.resize(std::strlen(line.c_str()));
      } else if (!line.empty() && line.front() == '.') {
        line.erase(0, 1);
      }
      values.push_back(line);
    }
    return values;
  }

  static SnmpdProcess* agent_;
  static testing_support::TempDir* scriptDir_;
};

SnmpdProcess* SnmpAgentTest::agent_ = nullptr;
testing_support::TempDir* SnmpAgentTest::scriptDir_ = nullptr;

TEST_F(SnmpAgentTest, GetReadsValuesInTheirTextForms) {
  EXPECT_EQ(Read(kSysDescr), "Pellion test agent");
  EXPECT_EQ(Read(kSysObjectId), "1.3.6.1.4.1.44711.10.76.2");  // dotted, no leading dot
  EXPECT_EQ(Read(kLoopbackIpAddress), "127.0.0.1");
  EXPECT_EQ(Read(".1.3.6.1.2.1.2.2.1.3.1"), "24");  // a leading dot means the same OID

  std::vector<std::string> values{"kept"};
  ASSERT_EQ(Client().GetList({kSysDescr, kIfNumber, kSysObjectId}, values), 0);
  ASSERT_EQ(values.size(), 4u);  // appended, in request order
  EXPECT_EQ(values[1], "Pellion test agent");
  EXPECT_EQ(values[3], "1.3.6.1.4.1.44711.10.76.2");

  char a[96], b[8];
  char* buffers[] = {a, b};
  const char* oids[] = {kSysDescr, kSysObjectId};
  ASSERT_EQ(Client().GetMany(2, oids, buffers, 8), 0);
  EXPECT_STREQ(a, "Pellion");  // cut to length - 1
  EXPECT_STREQ(b, "1.3.6.1");

  char small[5];
  ASSERT_EQ(Client().GetToBuffer(kSysDescr, small, sizeof small), 0);
  EXPECT_STREQ(small, "Pell");
}

TEST_F(SnmpAgentTest, GetAndGetListCutLongValuesTo95Characters) {
  std::string contact;
  for (int i = 0; contact.size() < 120; ++i) contact += std::to_string(i % 10);
  ASSERT_EQ(Client().Set(kSysContact, contact), 0);

  std::string value;
  ASSERT_EQ(Client().Get(kSysContact, value), 0);
  EXPECT_EQ(value, contact.substr(0, 95));

  std::vector<std::string> values;
  ASSERT_EQ(Client().GetList({kSysDescr, kSysContact}, values), 0);
  EXPECT_EQ(values, (std::vector<std::string>{"Pellion test agent", contact.substr(0, 95)}));

  // A value of exactly 95 characters comes back whole.
  ASSERT_EQ(Client().Set(kSysContact, contact.substr(0, 95)), 0);
  ASSERT_EQ(Client().Get(kSysContact, value), 0);
  EXPECT_EQ(value, contact.substr(0, 95));
}

TEST_F(SnmpAgentTest, WrapperAndSnmpgetReadTheSameValues) {
  const std::vector<std::string> oids{kSysDescr, kSysObjectId, kSysContact, kSysName, kIfNumber,
                                      "1.3.6.1.2.1.2.2.1.2.1", "1.3.6.1.2.1.2.2.1.6.1", kLoopbackIpAddress};
  std::vector<std::string> ours;
  ASSERT_EQ(Client().GetList(oids, ours), 0);
  EXPECT_EQ(ours, ToolValues("snmpget", oids));

  // Whole columns, walked by both: descriptions, types, MTUs and the MAC addresses (hex when binary).
  for (const char* column : {"1.3.6.1.2.1.2.2.1.2", "1.3.6.1.2.1.2.2.1.3", "1.3.6.1.2.1.2.2.1.4",
                             "1.3.6.1.2.1.2.2.1.6"}) {
    std::vector<std::string> walked;
    ASSERT_EQ(Client().WalkToList(column, walked), 0) << column;
    EXPECT_EQ(walked, ToolValues("snmpwalk", {column})) << column;
  }
}

TEST_F(SnmpAgentTest, GetNextReportsWhereTheNextObjectLies) {
  char next[96], value[96];
  EXPECT_EQ(Client().GetNext("1.3.6.1.2.1.1.5", next, sizeof next, value, sizeof value, ".1.3.6.1.2.1.1.5"), 0);
  EXPECT_STREQ(next, "1.3.6.1.2.1.1.5.0");

  // Leaving the prefix: -2, and the buffers still hold the next object.
  EXPECT_EQ(Client().GetNext(kSysDescr, next, sizeof next, value, sizeof value, "1.3.6.1.2.1.1.1"), -2);
  EXPECT_STREQ(next, kSysObjectId);
  EXPECT_STREQ(value, "1.3.6.1.4.1.44711.10.76.2");

  // An OID text that does not fit its buffer: -3 and nothing copied.
  char shortBuffer[17] = "untouched";
  std::strcpy(value, "untouched");
  EXPECT_EQ(Client().GetNext(kSysDescr, shortBuffer, sizeof shortBuffer, value, sizeof value, "1.3"), -3);
  EXPECT_STREQ(shortBuffer, "untouched");
  EXPECT_STREQ(value, "untouched");
}

TEST_F(SnmpAgentTest, WalksStopAtTheEndOfTheirSubtree) {
  std::string count;
  ASSERT_EQ(Client().Get(kIfNumber, count), 0);
  std::vector<int> types{-1};
  ASSERT_EQ(Client().WalkToIntVector("1.3.6.1.2.1.2.2.1.3", types), 0);
  ASSERT_EQ(types.size(), 1u + std::stoul(count));  // appended; ifMtu's first row not included
  EXPECT_EQ(types[1], 24);                          // softwareLoopback

  std::vector<std::string> none;
  EXPECT_EQ(Client().WalkToList("1.3.6.1.2.1.2.2.1.99", none), 0);
  EXPECT_TRUE(none.empty());

  // The end of the agent's tree (noSuchName in SNMPv1) ends the walk like the end of the subtree.
  std::vector<std::string> tail;
  EXPECT_EQ(Client().WalkToList("2.99", tail), 0);
  EXPECT_EQ(tail, (std::vector<std::string>{"11", "12"}));

  // Long OID texts, asked for or answered, are walked like any other.
  std::vector<std::string> empty;
  EXPECT_EQ(Client().WalkToList("1.3.6.1.2.1.2.2.1.2.1234567890.1234567890.1234567890.1234567890.1", empty), 0);
  EXPECT_TRUE(empty.empty());
  std::vector<std::string> longRow;
  EXPECT_EQ(Client().WalkToList("2.98", longRow), 0);
  EXPECT_EQ(longRow, std::vector<std::string>{"1"});
  SnmpObject next;
  EXPECT_EQ(Client().GetNextObject("2.98", "2.98", next), 0);
  EXPECT_EQ(next.oid, "2.98.1234567890.1234567890.1234567890.1234567890.1234567890.1234567890");
  EXPECT_EQ(next.text, "1");
}

TEST_F(SnmpAgentTest, OctetStringsAreReadAsTheirBytes) {
  std::vector<unsigned char> bytes;
  ASSERT_EQ(Client().GetOctets(kSysDescr, bytes), 0);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "Pellion test agent");
  SnmpObject next;
  ASSERT_EQ(Client().GetNextObject("1.3.6.1.2.1.1.1", "1.3.6.1.2.1.1", next), 0);
  EXPECT_EQ(next.oid, kSysDescr);
  EXPECT_EQ(next.octets, bytes);

  // Another syntax, or no such object: the bytes stay as they were.
  EXPECT_EQ(Client().GetOctets(kIfNumber, bytes), CYSnmp::kNotOctetString);
  EXPECT_EQ(Client().GetOctets(kMissing, bytes), kSnmpStatusErrorBase - 2);  // noSuchName
  EXPECT_EQ(Client().GetOctets("1..3", bytes), -2);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "Pellion test agent");
  ASSERT_EQ(Client().GetNextObject(kSysDescr, "1.3.6.1.2.1.1.1", next), -2);
  EXPECT_EQ(next.oid, kSysObjectId);
  EXPECT_TRUE(next.octets.empty());
  EXPECT_EQ(Silent().GetOctets(kSysDescr, bytes), kSnmpStatusTimeout);
  EXPECT_EQ(Silent().GetNextObject(kSysDescr, "1.3", next), -1);
}

TEST_F(SnmpAgentTest, WalkOfAnAgentThatDoesNotMoveForwardFails) {
  std::vector<std::string> values;
  EXPECT_EQ(Client().WalkToList("1.3.6.1.4.1.99999", values), -1);
  EXPECT_EQ(values, std::vector<std::string>{"7"});
}

TEST_F(SnmpAgentTest, AMissingObjectFailsTheWholeGet) {
  std::string value = "kept";
  EXPECT_EQ(Client().Get(kMissing, value), kSnmpStatusErrorBase - 2);  // noSuchName
  EXPECT_EQ(value, "kept");

  std::vector<std::string> values;
  EXPECT_EQ(Client().GetList({kSysDescr, kMissing}, values), kSnmpStatusErrorBase - 2);
  EXPECT_TRUE(values.empty());

  char a[32] = "kept", b[32] = "kept";
  char* buffers[] = {a, b};
  const char* oids[] = {kSysDescr, kMissing};
  EXPECT_EQ(Client().GetMany(2, oids, buffers, 32), -1);
  EXPECT_EQ(Client().GetManyRaw(2, oids, buffers, 32), kSnmpStatusErrorBase - 2);
  EXPECT_STREQ(a, "kept");
  EXPECT_STREQ(b, "kept");
}

TEST_F(SnmpAgentTest, SetsWriteThroughTheWriteCommunity) {
  ASSERT_EQ(Client().Set(kSysContact, "ops@pellion.test"), 0);
  EXPECT_EQ(Read(kSysContact), "ops@pellion.test");

  ASSERT_EQ(Client().SetTyped(4, kSysLocation, "Rack 7"), 0);
  EXPECT_EQ(Read(kSysLocation), "Rack 7");

  const unsigned char bytes[] = {'A', 0x02, 0x7F};
  ASSERT_EQ(Client().SetOctets(4, kSysName, bytes, sizeof bytes), 0);
  EXPECT_EQ(Read(kSysName), "41 02 7F ");  // not printable: hex bytes

  // Sets go with the write community only.
  CYSnmp readOnly = Client();
  readOnly.SetWriteCommunity(agent_->ReadCommunity());
  readOnly.timeout = 20;
  EXPECT_EQ(readOnly.Set(kSysContact, "intruder"), -5);
  EXPECT_EQ(Read(kSysContact), "ops@pellion.test");
}

TEST_F(SnmpAgentTest, ValuesThatDoNotFitTheObjectAreRefusedBeforeSending) {
  // The object is read-only: had the SET gone out, the agent would have refused it (-5).
  EXPECT_EQ(Client().Set(kLoopbackIpAddress, "abc"), -4);
  EXPECT_EQ(Client().SetOctets(4, kIfAdminStatus1, reinterpret_cast<const unsigned char*>("1"), 1), -4);
  EXPECT_EQ(Client().Set(kIfAdminStatus1, "99999999999"), -4);

  const std::string before = Read(kSysLocation);
  EXPECT_EQ(Client().SetTyped(64, kSysLocation, "abc"), -4);
  EXPECT_EQ(Client().SetTyped(70, kSysLocation, "1"), -4);  // Counter64 cannot be set
  EXPECT_EQ(Read(kSysLocation), before);

  EXPECT_EQ(Client().Set(kMissing, "x"), -5);  // the GET before the SET fails
  EXPECT_EQ(Client().Set("1.3.x", "x"), -3);
  EXPECT_EQ(Client().SetTyped(4, "", "x"), -3);
}

TEST_F(SnmpAgentTest, InvalidOidsAreRefusedBeforeSending) {
  std::vector<std::string> values;
  EXPECT_EQ(Client().GetList({kSysDescr, "1.3.six"}, values), -2);
  char a[8], b[8];
  char* buffers[] = {a, b};
  const char* oids[] = {kSysDescr, "1..3"};
  EXPECT_EQ(Client().GetMany(2, oids, buffers, 8), -2);
  EXPECT_EQ(Client().GetManyRaw(2, oids, buffers, 8), -2);
}

TEST_F(SnmpAgentTest, AWrongCommunityGetsNoAnswer) {
  CYSnmp snmp = Client();
  snmp.SetReadCommunity("wrong");
  snmp.timeout = 5;
  std::string value = "kept";
  EXPECT_EQ(snmp.Get(kSysDescr, value), kSnmpStatusTimeout);
  EXPECT_EQ(value, "kept");
}

TEST_F(SnmpAgentTest, NoAgentAtAllTimesOut) {
  std::string value;
  std::vector<std::string> values;
  std::vector<int> numbers;
  char a[32], b[32];
  char* buffers[] = {a};
  const char* oids[] = {kSysDescr};
  EXPECT_EQ(Silent().Get(kSysDescr, value), kSnmpStatusTimeout);
  EXPECT_EQ(Silent().GetList({kSysDescr}, values), kSnmpStatusTimeout);
  EXPECT_EQ(Silent().GetManyRaw(1, oids, buffers, 32), kSnmpStatusTimeout);
  EXPECT_EQ(Silent().GetMany(1, oids, buffers, 32), -1);
  EXPECT_EQ(Silent().GetNext(kSysDescr, a, 32, b, 32, "1.3"), -1);
  EXPECT_EQ(Silent().WalkToList("1.3.6.1.2.1.1", values), -1);
  EXPECT_EQ(Silent().WalkToIntVector("1.3.6.1.2.1.1", numbers), -1);
  EXPECT_EQ(Silent().Set(kSysContact, "x"), -5);
  EXPECT_EQ(Silent().SetTyped(4, kSysContact, "x"), -5);
}

// Polling workers each build their own wrapper; sessions must not mix up requests or answers.
TEST_F(SnmpAgentTest, WrappersOnManyThreadsEachGetTheirOwnAnswers) {
  constexpr int kThreads = 8, kEach = 40;
  std::atomic<int> wrong{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t)
    workers.emplace_back([&wrong, t] {
      const std::string oid = t % 2 ? kSysObjectId : kIfNumber;
      std::string first;
      for (int i = 0; i < kEach; ++i) {
        std::vector<std::string> values;
        if (Client().GetList({oid, kSysDescr}, values) != 0 || values.size() != 2 ||
            values[1] != "Pellion test agent" || (i > 0 && values[0] != first))
          ++wrong;
        else
          first = values[0];
      }
    });
  for (std::thread& w : workers) w.join();
  EXPECT_EQ(wrong.load(), 0);
}

TEST_F(SnmpAgentTest, WrappersUseTheDefaultCommunitiesAndTimeOut) {
  SetSnmpDefaults(agent_->ReadCommunity(), agent_->WriteCommunity(), 100);
  CYSnmp snmp;
  snmp.SetIpStr(agent_->Address().c_str());
  EXPECT_EQ(snmp.Set(kSysContact, "defaults"), 0);
  std::string value;
  EXPECT_EQ(snmp.Get(kSysContact, value), 0);
  EXPECT_EQ(value, "defaults");
  SetSnmpDefaults("", "", 0);
}

TEST_F(SnmpAgentTest, AnInvalidAddressFailsWithoutSending) {
  CYSnmp snmp = Client();
  snmp.SetIp("printer.example");
  std::string value;
  std::vector<std::string> values;
  char a[32], b[32];
  char* buffers[] = {a};
  const char* oids[] = {kSysDescr};
  EXPECT_EQ(snmp.Get(kSysDescr, value), kSnmpStatusInvalidAddress);
  EXPECT_EQ(snmp.GetList({"not an oid"}, values), kSnmpStatusInvalidAddress);  // the address is checked first
  EXPECT_EQ(snmp.GetMany(1, oids, buffers, 32), -1);
  EXPECT_EQ(snmp.GetManyRaw(1, oids, buffers, 32), -1);
  EXPECT_EQ(snmp.GetNext(kSysDescr, a, 32, b, 32, "1.3"), -1);
  EXPECT_EQ(snmp.WalkToList("1.3", values), -1);
  EXPECT_EQ(snmp.Set(kSysContact, "x"), -1);
  EXPECT_EQ(snmp.SetOctets(4, kSysContact, nullptr, 0), -1);

  // The address is cut to 19 characters: a valid address followed by anything longer stays invalid.
  snmp.SetIp(agent_->Address() + "                    ");
  EXPECT_EQ(std::strlen(snmp.GetIp()), 19u);
  EXPECT_EQ(snmp.Get(kSysDescr, value), kSnmpStatusInvalidAddress);
}

}  // namespace
