// CYSnmp against an agent that misbehaves on purpose: endless tables, SNMPv2 exception values in SNMPv1
// answers, answers about other objects or from other senders, types the library does not know.
#include <gtest/gtest.h>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "device/AutoAssignChannel.h"
#include "device/DeviceFactory.h"
#include "device/Switch.h"
#include "platform/Environment.h"
#include "platform/Shutdown.h"
#include "snmp/WalkLimit.h"
#include "snmp/y_snmp.h"
#include "support/MessageRecorder.h"
#include "support/ScriptedAgent.h"
#include "support/SnmpDefaults.h"
#include "support/SnmpdProcess.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::AgentRequest;
using testing_support::ObjectName;
using testing_support::ScriptedAgent;
namespace ber = testing_support::ber;

const ObjectName kSysObjectId{1, 3, 6, 1, 2, 1, 1, 2, 0};
const ObjectName kSysName{1, 3, 6, 1, 2, 1, 1, 5, 0};
const ObjectName kSysLocation{1, 3, 6, 1, 2, 1, 1, 6, 0};
const ObjectName kTable{1, 3, 6, 1, 4, 1, 99999, 1};

std::string Text(const ObjectName& name) {
  std::string text;
  for (unsigned long part : name) text += (text.empty() ? "" : ".") + std::to_string(part);
  return text;
}

ObjectName Under(ObjectName prefix, unsigned long last) {
  prefix.push_back(last);
  return prefix;
}

// Each GETNEXT is answered with the next row of a column that never ends: column.1, column.2, ... Past
// a few rows more than any walk may read, the agent falls silent, so that a walk without a bound fails
// its test instead of eating the machine's memory.
ScriptedAgent::Handler EndlessColumn(const ObjectName& column, const std::string& value) {
  const size_t silentAfter = std::min(CWalkLimit::kMaxRows, CWalkLimit::kMaxBytes / value.size()) + 10;
  return [column, value, silentAfter](const AgentRequest& request, ScriptedAgent& agent) {
    const ObjectName& asked = request.names.at(0);
    const bool inside = asked.size() > column.size() && std::equal(column.begin(), column.end(), asked.begin());
    const unsigned long row = inside ? asked[column.size()] + 1 : 1;
    if (row > silentAfter) return;
    agent.Send(request, ber::Response(request, {{Under(column, row), ber::OctetString(value)}}));
  };
}

class SnmpHostileAgentTest : public testing::Test {
 protected:
  void Start(ScriptedAgent::Handler handler) {
    agent_ = std::make_unique<ScriptedAgent>(std::move(handler));
    setenv("PELLION_SNMP_PORT", std::to_string(agent_->Port()).c_str(), 1);
    platform::ReloadOverrides();
  }
  void TearDown() override {
    agent_.reset();
    unsetenv("PELLION_SNMP_PORT");
    unsetenv("PELLION_TRACE");
    platform::ReloadOverrides();
  }
  CYSnmp Client() const {
    CYSnmp snmp;
    snmp.SetIp(agent_->Address());
    snmp.SetReadCommunity("public");
    snmp.SetWriteCommunity("private");
    snmp.timeout = 20;
    return snmp;
  }

  std::unique_ptr<ScriptedAgent> agent_;
};

TEST_F(SnmpHostileAgentTest, WalksOfAnEndlessTableStopAtTheRowOrByteLimit) {
  // Large values reach the byte limit first; the values read until then stay.
  Start(EndlessColumn(kTable, std::string(60000, 'v')));
  std::vector<std::string> values;
  EXPECT_EQ(Client().WalkToList(Text(kTable), values), -1);
  const size_t bytes = std::accumulate(values.begin(), values.end(), size_t{0},
                                       [](size_t sum, const std::string& value) { return sum + value.size(); });
  EXPECT_LE(bytes, CWalkLimit::kMaxBytes);
  EXPECT_GT(bytes, CWalkLimit::kMaxBytes - 60000);

  // Small values reach the row limit.
  Start(EndlessColumn(kTable, "7"));
  std::vector<int> numbers;
  EXPECT_EQ(Client().WalkToIntVector(Text(kTable), numbers), -1);
  EXPECT_EQ(numbers.size(), CWalkLimit::kMaxRows);
  EXPECT_EQ(numbers.back(), 7);
}

TEST_F(SnmpHostileAgentTest, AnEndlessLldpColumnFailsTheNeighbourRead) {
  Start(EndlessColumn({1, 0, 8802, 1, 1, 2, 1, 4, 1, 1, 5}, "00 11 22 33 44 55 "));
  CSwitch device;
  device.ip = agent_->Address();
  device.community = "public";
  EXPECT_EQ(device.ReadLldpNeighbours(), 0);
  EXPECT_TRUE(device.neighbours.empty());
}

// An SNMPv1 agent has no exception values: one in its answer means the object was not read.
TEST_F(SnmpHostileAgentTest, ExceptionValuesInAnSnmpV1AnswerAreFailures) {
  for (const unsigned char exception : {SNMP_NOSUCHOBJECT, SNMP_NOSUCHINSTANCE, SNMP_ENDOFMIBVIEW}) {
    SCOPED_TRACE(static_cast<int>(exception));
    // A device that names itself but knows no LLDP and no AP object, in SNMPv2 terms.
    Start([exception](const AgentRequest& request, ScriptedAgent& agent) {
      std::vector<ber::Binding> bindings;
      for (const ObjectName& name : request.names)
        bindings.push_back({name, name == kSysObjectId ? ber::ObjectId({1, 3, 6, 1, 4, 1, 8072}) : ber::Tlv(exception, "")});
      agent.Send(request, ber::Response(request, bindings));
    });
    std::string value = "kept";
    EXPECT_EQ(Client().Get(Text(kSysName), value), kSnmpStatusErrorBase - SNMP_ERR_NOSUCHNAME);
    EXPECT_EQ(value, "kept");
    std::vector<std::string> values;
    EXPECT_EQ(Client().GetList({Text(kSysObjectId), Text(kSysName)}, values), kSnmpStatusErrorBase - SNMP_ERR_NOSUCHNAME);
    EXPECT_TRUE(values.empty());
    // A walk takes it as the agent's end of objects: it ends with nothing read.
    EXPECT_EQ(Client().WalkToList(Text(kTable), values), 0);
    EXPECT_TRUE(values.empty());

    // The kind test must not take it for a switch.
    SetSnmpDefaults("public", "private", 20);
    std::string root;
    EXPECT_EQ(JudgeDeviceType(agent_->Address(), "public", root), kDeviceUnknown);
    SetSnmpDefaults("", "", 0);
  }
}

TEST_F(SnmpHostileAgentTest, AnswersAboutOtherObjectsOrInAnotherOrderAreFailures) {
  struct Case {
    const char* what;
    std::function<std::vector<ObjectName>(const std::vector<ObjectName>&)> answered;
    int result;
  };
  const Case cases[] = {
      {"the objects asked for", [](const std::vector<ObjectName>& asked) { return asked; }, 0},
      {"another order", [](const std::vector<ObjectName>& asked) { return std::vector<ObjectName>(asked.rbegin(), asked.rend()); },
       kSnmpStatusSessionFailure},
      {"another object", [](const std::vector<ObjectName>& asked) { return std::vector<ObjectName>{asked[0], kSysLocation}; },
       kSnmpStatusSessionFailure},
      {"one more object", [](const std::vector<ObjectName>& asked) { return std::vector<ObjectName>{asked[0], asked[1], kSysLocation}; },
       kSnmpStatusSessionFailure},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start([&c](const AgentRequest& request, ScriptedAgent& agent) {
      std::vector<ber::Binding> bindings;
      for (const ObjectName& name : c.answered(request.names)) bindings.push_back({name, ber::OctetString(Text(name))});
      agent.Send(request, ber::Response(request, bindings));
    });
    std::vector<std::string> values;
    EXPECT_EQ(Client().GetList({Text(kSysObjectId), Text(kSysName)}, values), c.result);
    if (c.result == 0) EXPECT_EQ(values, (std::vector<std::string>{Text(kSysObjectId), Text(kSysName)}));
    else EXPECT_TRUE(values.empty());
  }

  // A SET answered about another object has not been done.
  Start([](const AgentRequest& request, ScriptedAgent& agent) {
    agent.Send(request, ber::Response(request, {{kSysLocation, ber::OctetString("x")}}));
  });
  EXPECT_EQ(Client().SetTyped(ASN_OCTET_STR, Text(kSysName), "x"), -5);
}

// A GETNEXT answered with the OID asked for, or an earlier one, fails: a caller stepping on from the
// answer would ask the same again for ever.
TEST_F(SnmpHostileAgentTest, AGetNextAnswerThatDoesNotMoveForwardFails) {
  struct Case {
    const char* what;
    std::function<ObjectName(const ObjectName&)> answered;
    int result;
  };
  const Case cases[] = {
      {"the OID asked for", [](const ObjectName& asked) { return asked; }, -1},
      {"an earlier OID", [](const ObjectName& asked) { return Under(kTable, asked.back() - 1); }, -1},
      {"the OID above it", [](const ObjectName&) { return kTable; }, -1},
      {"the next OID", [](const ObjectName& asked) { return Under(kTable, asked.back() + 1); }, 0},
  };
  const std::string asked = Text(Under(kTable, 5));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start([&c](const AgentRequest& request, ScriptedAgent& agent) {
      agent.Send(request, ber::Response(request, {{c.answered(request.names.at(0)), ber::OctetString("v")}}));
    });
    SnmpObject next;
    EXPECT_EQ(Client().GetNextObject(asked, Text(kTable), next), c.result);
    if (c.result == 0) {
      EXPECT_EQ(next.oid, Text(Under(kTable, 6)));
    }
    char oid[64];
    char value[64];
    EXPECT_EQ(Client().GetNext(asked, oid, sizeof oid, value, sizeof value, Text(kTable)), c.result);
  }
}

TEST_F(SnmpHostileAgentTest, AnswersFromAnotherAddressOrPortAreIgnored) {
  const std::string elsewhere = testing_support::UniqueLoopbackAddress();
  Start([&elsewhere](const AgentRequest& request, ScriptedAgent& agent) {
    const std::string forged = ber::Response(request, {{request.names.at(0), ber::OctetString("forged")}});
    agent.SendFrom(agent.Address(), 0, request, forged);             // the agent's address, another port
    agent.SendFrom(elsewhere, agent.Port(), request, forged);        // the agent's port, another address
    std::this_thread::sleep_for(std::chrono::milliseconds(20));      // the forged ones arrive first
    agent.Send(request, ber::Response(request, {{request.names.at(0), ber::OctetString("genuine")}}));
  });
  std::string value;
  EXPECT_EQ(Client().Get(Text(kSysName), value), 0);
  EXPECT_EQ(value, "genuine");
}

TEST_F(SnmpHostileAgentTest, TheLibrarysLogLinesGoToTheTraceNotToStandardError) {
  // A value of a type the library does not know: it logs "bad type returned" and drops the answer.
  Start([](const AgentRequest& request, ScriptedAgent& agent) {
    agent.Send(request, ber::Response(request, {{request.names.at(0), ber::Tlv(0x49, "?")}}));
  });
  // An OID whose first part BER cannot carry: the library logs "snmp_build: unknown failure".
  const auto exchange = [this] {
    std::string value;
    EXPECT_EQ(Client().Get(Text(kSysName), value), kSnmpStatusTimeout);
    EXPECT_EQ(Client().Get("7.1", value), kSnmpStatusSessionFailure);
  };

  unsetenv("PELLION_TRACE");
  platform::ReloadOverrides();
  testing::internal::CaptureStderr();
  exchange();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

  setenv("PELLION_TRACE", "1", 1);
  platform::ReloadOverrides();
  testing::internal::CaptureStderr();
  exchange();
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_NE(trace.find("bad type returned"), std::string::npos) << trace;
  EXPECT_NE(trace.find("snmp_build: unknown failure"), std::string::npos) << trace;
}

TEST_F(SnmpHostileAgentTest, SetTypedRefusesObjectIdentifiersItCannotSend) {
  std::atomic<int> sets{0};
  Start([&sets](const AgentRequest& request, ScriptedAgent& agent) {
    ++sets;
    agent.Send(request, ber::Response(request, {{request.names.at(0), ber::ObjectId({1, 3, 6, 1})}}));
  });
  for (const char* text : {"not an oid", "1.3.x", "7.1", "1.40.2", "1"})
    EXPECT_EQ(Client().SetTyped(ASN_OBJECT_ID, Text(kSysObjectId), text), -4) << text;
  EXPECT_EQ(sets, 0);
  EXPECT_EQ(Client().SetTyped(ASN_OBJECT_ID, Text(kSysObjectId), "1.3.6.1"), 0);
  EXPECT_EQ(sets, 1);
}

// An AP whose neighbour table never ends, while the discovery is being stopped: the channel choice ends at
// the next request instead of walking on to the walk's limit.
TEST_F(SnmpHostileAgentTest, TheChannelChoiceEndsOnceTheDiscoveryIsStopped) {
  testing_support::TempDatabase database;
  testing_support::MessageBoxRecorder boxes;
  SetSnmpDefaults("public", "private", 20);
  DiscoveryStopObject stop;
  SetDiscoveryStopObject(&stop);
  const ObjectName root{1, 3, 6, 1, 4, 1, 44711, 1};
  const ObjectName channels{1, 3, 6, 1, 4, 1, 44711, 1, 6, 3, 1, 4};
  constexpr unsigned long kStopAt = 50;
  std::atomic<unsigned long> rows{0};
  Start([&](const AgentRequest& request, ScriptedAgent& agent) {
    if (request.command == SNMP_MSG_GET) {
      std::vector<ber::Binding> bindings;  // Super G off (.4.4.0), channels 1 (.4.22.0) to 11 (.4.23.0)
      for (const ObjectName& name : request.names) {
        const unsigned long object = name.at(root.size() + 1);
        bindings.push_back({name, ber::Integer(object == 4 ? 0 : object == 22 ? 1 : 11)});
      }
      agent.Send(request, ber::Response(request, bindings));
      return;
    }
    const ObjectName& asked = request.names.at(0);
    const unsigned long row = asked.size() > channels.size() ? asked[channels.size()] + 1 : 1;
    if (++rows == kStopAt) stop.Set(true);
    agent.Send(request, ber::Response(request, {{Under(channels, row), ber::Integer(6)}}));
  });
  ASSERT_TRUE(database.Exec(
      "INSERT INTO device_list_prev (name, ip, mac, type, sysobjid) VALUES ('AP_1', ?, '02:44:71:00:09:01', 2, ?)",
      {agent_->Address(), Text(root)}));
  EXPECT_EQ(AutoAssignChannel(agent_->Address().c_str()), kDiscoveryStopped);
  EXPECT_EQ(rows, kStopAt);
  agent_.reset();  // the handler refers to this test's objects
  UnregisterDiscoveryStopObject(&stop);
  platform::RunShutdown();  // the group store goes with the database
}

}  // namespace
