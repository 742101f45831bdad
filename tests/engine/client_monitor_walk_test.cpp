// The client monitor against an AP that misbehaves in its client table: rows that go back, rows that never
// end, one client listed again and again, client counts that are no count.
#include <gtest/gtest.h>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "engine/ClientMonitorThread.h"
#include "log/LogLevelMask.h"
#include "platform/Environment.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/MessageRecorder.h"
#include "support/ScriptedAgent.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::AgentRequest;
using testing_support::ObjectName;
using testing_support::ScriptedAgent;
namespace ber = testing_support::ber;

const ObjectName kRoot{1, 3, 6, 1, 4, 1, 44711, 1};
const std::string kApMac = "02:44:71:00:09:01";
constexpr unsigned char kCounter32 = 0x41;

ObjectName Under(ObjectName prefix, std::initializer_list<unsigned long> parts) {
  prefix.insert(prefix.end(), parts);
  return prefix;
}

std::string ClientMac(unsigned long row) {
  char text[18];
  std::snprintf(text, sizeof text, "02:77:00:%02lx:%02lx:%02lx", (row >> 16) & 0xFF, (row >> 8) & 0xFF, row & 0xFF);
  return text;
}

// How the AP fills its client table: the row a GETNEXT gives after the asked row (0 for the column itself),
// and the client MAC of a row.
struct ClientTable {
  std::function<unsigned long(unsigned long asked)> nextRow;
  std::function<std::string(unsigned long row)> mac = ClientMac;
};

class ClientMonitorWalkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_nLogLevelMask = 0xF;
    std::lock_guard lock(g_RuntimeSettings.csSettings);
    g_RuntimeSettings.nSnmpTimeout = 30;
  }
  void TearDown() override {
    platform::RunShutdown();
    agent_.reset();
    unsetenv("PELLION_SNMP_PORT");
    platform::ReloadOverrides();
    g_nLogLevelMask = 0;
  }

  // An AP whose client count object holds count (encoded) and whose client table is table.
  void StartAp(const std::string& count, ClientTable table) {
    agent_ = std::make_unique<ScriptedAgent>([count, table](const AgentRequest& request, ScriptedAgent& agent) {
      if (request.command == SNMP_MSG_GET) {
        std::vector<ber::Binding> bindings;
        for (const ObjectName& name : request.names)
          bindings.push_back({name, name == Under(kRoot, {2, 1, 0}) ? count : ber::Integer(1000, kCounter32)});
        agent.Send(request, ber::Response(request, bindings));
        return;
      }
      const ObjectName& asked = request.names.at(0);
      const ObjectName entry = Under(kRoot, {2, 2, 1});
      if (asked.size() <= entry.size() || !std::equal(entry.begin(), entry.end(), asked.begin())) return;
      const unsigned long column = asked[entry.size()];
      const unsigned long row = table.nextRow(asked.size() > entry.size() + 1 ? asked[entry.size() + 1] : 0);
      const std::string value = column == 2 ? ber::OctetString(table.mac(row)) : ber::Integer(static_cast<long>(row));
      agent.Send(request, ber::Response(request, {{Under(entry, {column, row}), value}}));
    });
    setenv("PELLION_SNMP_PORT", std::to_string(agent_->Port()).c_str(), 1);
    platform::ReloadOverrides();
    ASSERT_TRUE(database_.Exec(
        "INSERT INTO device_list_prev (name, ip, mac, type, write_community, sysobjid) VALUES ('AP_1', ?, ?, 2, "
        "'private', '1.3.6.1.4.1.44711.1')",
        {agent_->Address(), kApMac}));
  }
  // One round and its events.
  void Cycle() {
    CClientMonitorThread monitor;
    ASSERT_TRUE(monitor.MonitorAps());
    monitor.RecordChanges();
  }
  std::string StoredClients() { return database_.Value("SELECT count(*) FROM client_connect_ap"); }
  std::string Connects() { return database_.Value("SELECT count(*) FROM client_info WHERE client_state = 'connect'"); }

  testing_support::MessageRecorder mainWindow_;
  testing_support::MessageBoxRecorder boxes_;
  testing_support::TempDatabase database_;
  std::unique_ptr<ScriptedAgent> agent_;
};

// Rows 1, 2, 1, 2, ...: the walk ends where the agent goes back, whatever count it claims.
TEST_F(ClientMonitorWalkTest, ATableThatGoesBackEndsTheWalk) {
  StartAp(ber::Integer(1000), {[](unsigned long asked) { return asked == 1 ? 2ul : 1ul; }});
  Cycle();
  EXPECT_EQ(StoredClients(), "2");
  EXPECT_EQ(Connects(), "2");
}

// Rows that never end: no more rows than the AP said it has clients.
TEST_F(ClientMonitorWalkTest, AnEndlessTableIsReadUpToTheClientCount) {
  StartAp(ber::Integer(5), {[](unsigned long asked) { return asked + 1; }});
  Cycle();
  EXPECT_EQ(StoredClients(), "5");
  EXPECT_EQ(database_.Value("SELECT count_connected FROM recorder_polling"), "5");
}

TEST_F(ClientMonitorWalkTest, AClientListedInEveryRowIsOneClient) {
  StartAp(ber::Integer(10),
          {[](unsigned long asked) { return asked + 1; }, [](unsigned long) { return ClientMac(1); }});
  Cycle();
  EXPECT_EQ(StoredClients(), "1");
  EXPECT_EQ(Connects(), "1");
}

// A count that is negative or larger than any table could hold gives the AP no round, as no answer does.
TEST_F(ClientMonitorWalkTest, AClientCountThatIsNoCountGivesTheApNoRound) {
  for (const std::string& count : {ber::Integer(-2), ber::Integer(4294967295L, 0x42), ber::Integer(100001),
                                   ber::OctetString("many")}) {
    SCOPED_TRACE(testing::PrintToString(count));
    StartAp(count, {[](unsigned long asked) { return asked + 1; }});
    Cycle();
    EXPECT_EQ(database_.Value("SELECT count(*) FROM recorder_polling"), "0");
    EXPECT_EQ(StoredClients(), "0");
    ASSERT_TRUE(database_.Exec("DELETE FROM device_list_prev"));
  }
}

}  // namespace
