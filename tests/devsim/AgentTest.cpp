// SNMPv1 semantics and device behaviours, in process, on the reference network's data.
#include <gtest/gtest.h>

#include "Agent.h"
#include "CommandLine.h"
#include "ControlChannel.h"
#include "DeviceLoader.h"

namespace devsim {
namespace {

using namespace std::chrono_literals;
const std::string kAp = "1.3.6.1.4.1.44711.1";
const std::string kSwitch = "1.3.6.1.4.1.44711.10.76.2";

Oid O(const std::string& text) { return *ParseOid(text); }

class AgentTest : public testing::Test {
 protected:
  std::unique_ptr<Device> Load(const std::string& file) {
    return DeviceLoader::Load({"127.0.0.1", DEVSIM_DATA_DIR "/" + file}, now_);
  }

  std::optional<Pdu> Send(Device& device, u_char command, std::vector<VarBind> bindings,
                          const std::string& community = "private", long version = SNMP_VERSION_1) {
    Pdu request;
    request.version = version;
    request.community = community;
    request.command = command;
    request.requestId = 77;
    request.varbinds = std::move(bindings);
    return Agent::Answer(device, request, now_);
  }

  std::optional<Pdu> Get(Device& device, const std::vector<std::string>& names) {
    std::vector<VarBind> bindings;
    for (const auto& name : names) bindings.push_back({O(name), {}});
    return Send(device, SNMP_MSG_GET, bindings);
  }

  // The error status, 0 for success.
  long SetStatus(Device& device, std::vector<VarBind> bindings, long* index = nullptr) {
    auto response = Send(device, SNMP_MSG_SET, std::move(bindings));
    if (!response) return -1;
    if (index) *index = response->errorIndex;
    return response->errorStatus;
  }

  std::vector<std::string> FilterTable(Device& device) {
    std::vector<std::string> rows;
    for (const auto& [name, value] : device.Objects())
      if (OidStartsWith(name, O(kAp + ".3.5.1")))
        rows.push_back(FormatOid(name).substr(kAp.size()) + "=" + (value.type == ASN_INTEGER ? std::to_string(value.integer) : value.bytes));
    return rows;
  }

  Device::Clock::time_point now_ = Device::Clock::now();
};

TEST_F(AgentTest, GetFailsAsAWholeOnOneMissingObjectAndNamesItsPosition) {
  auto ap = Load("ap-1.snmprec");
  auto answer = Get(*ap, {kAp + ".2.1.0", kAp + ".4.2.0"});
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->command, SNMP_MSG_RESPONSE);
  EXPECT_EQ(answer->requestId, 77);
  EXPECT_EQ(answer->errorStatus, SNMP_ERR_NOERROR);
  EXPECT_EQ(answer->varbinds[0].value, Value::Integer(2));
  EXPECT_EQ(answer->varbinds[1].value, Value::Integer(1));

  answer = Get(*ap, {kAp + ".2.1.0", kAp + ".4.9.0", kAp + ".4.2.0"});
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->errorStatus, SNMP_ERR_NOSUCHNAME);
  EXPECT_EQ(answer->errorIndex, 2);
  EXPECT_EQ(answer->varbinds[0].value.type, ASN_NULL);  // the request comes back unchanged

  // An AP must not look like a switch to the kind test.
  EXPECT_EQ(Get(*ap, {"1.3.6.1.4.1.44711.10.75.3.24.6.0"})->errorStatus, SNMP_ERR_NOSUCHNAME);
  auto next = Send(*ap, SNMP_MSG_GETNEXT, {{O("1.0.8802.1.1.2.1.1.6.1.2"), {}}});
  EXPECT_NE(FormatOid(next->varbinds[0].name).rfind("1.0.8802.1.1.2.1.1.6.1.2.", 0), 0u);
}

TEST_F(AgentTest, GetNextWalksInOrderSkipsCounter64AndFailsAtTheEnd) {
  auto device = Load("unknown.snmprec");
  device->Objects()[O("1.3.6.1.2.1.1.3.0")] = [] { Value v; v.type = ASN_COUNTER64; v.counter64 = 5; return v; }();
  auto answer = Send(*device, SNMP_MSG_GETNEXT, {{O("1.3.6.1.2.1.1.2.0"), {}}, {O("0.1"), {}}});
  ASSERT_TRUE(answer);
  EXPECT_EQ(FormatOid(answer->varbinds[0].name), "1.3.6.1.2.1.1.5.0");  // not the Counter64 in between
  EXPECT_EQ(FormatOid(answer->varbinds[1].name), "1.3.6.1.2.1.1.2.0");
  EXPECT_EQ(Get(*device, {"1.3.6.1.2.1.1.3.0"})->errorStatus, SNMP_ERR_NOSUCHNAME);

  answer = Send(*device, SNMP_MSG_GETNEXT, {{O("1.3.6.1.2.1.1.2.0"), {}}, {O("1.3.6.1.2.1.1.6.0"), {}}});
  EXPECT_EQ(answer->errorStatus, SNMP_ERR_NOSUCHNAME);
  EXPECT_EQ(answer->errorIndex, 2);
}

TEST_F(AgentTest, CommunitiesAndVersions) {
  auto sw = Load("switch.snmprec");
  const std::vector<VarBind> sysName{{O("1.3.6.1.2.1.1.5.0"), Value::OctetString("x")}};
  EXPECT_TRUE(Send(*sw, SNMP_MSG_GET, sysName, "public"));
  EXPECT_TRUE(Send(*sw, SNMP_MSG_GET, sysName, "private"));
  EXPECT_FALSE(Send(*sw, SNMP_MSG_GET, sysName, "wrong"));
  EXPECT_FALSE(Send(*sw, SNMP_MSG_GET, sysName, ""));
  EXPECT_FALSE(Send(*sw, SNMP_MSG_GET, sysName, "private", SNMP_VERSION_2c));
  EXPECT_FALSE(Send(*sw, SNMP_MSG_RESPONSE, sysName, "private"));
  EXPECT_FALSE(Send(*sw, SNMP_MSG_SET, sysName, "wrong"));

  // The read community may not write: noSuchName, and nothing changes.
  auto answer = Send(*sw, SNMP_MSG_SET, sysName, "public");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->errorStatus, SNMP_ERR_NOSUCHNAME);
  EXPECT_EQ(answer->errorIndex, 1);
  EXPECT_EQ(sw->Find(O("1.3.6.1.2.1.1.5.0"))->bytes, "lab-switch");
}

TEST_F(AgentTest, SetChecksEveryBindingBeforeApplyingAny) {
  auto sw = Load("switch.snmprec");
  const Oid sysName = O("1.3.6.1.2.1.1.5.0");
  struct Case {
    const char* what;
    VarBind second;
    long status;
  };
  Value shortAddress;
  shortAddress.type = ASN_IPADDRESS;
  shortAddress.bytes = "abc";
  const Case cases[] = {
      {"read-only object", {O("1.3.6.1.2.1.2.1.0"), Value::Integer(30)}, SNMP_ERR_NOSUCHNAME},
      {"missing object", {O("1.3.6.1.2.1.1.7.0"), Value::Integer(1)}, SNMP_ERR_NOSUCHNAME},
      {"wrong type", {O("1.3.6.1.2.1.1.6.0"), Value::Integer(1)}, SNMP_ERR_BADVALUE},
      {"IpAddress of three bytes", {O(kSwitch + ".11.16.0"), shortAddress}, SNMP_ERR_BADVALUE},
      {"commit-like flag out of range", {O(kSwitch + ".11.42.0"), Value::Integer(2)}, SNMP_ERR_BADVALUE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    long index = 0;
    EXPECT_EQ(SetStatus(*sw, {{sysName, Value::OctetString("renamed")}, c.second}, &index), c.status);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(sw->Find(sysName)->bytes, "lab-switch");
  }
  EXPECT_EQ(SetStatus(*sw, {{sysName, Value::OctetString("renamed")}, {O(kSwitch + ".24.2.0"), Value::OctetString("\x80\0\0")}}), 0);
  EXPECT_EQ(sw->Find(sysName)->bytes, "renamed");
}

// A flood of SETs keeps only the last ones a device may keep; "sent" says how many older ones were dropped.
TEST_F(AgentTest, ADeviceKeepsTheLastSetsAndSaysHowManyItDropped) {
  std::vector<std::unique_ptr<Device>> devices;
  devices.push_back(Load("switch.snmprec"));
  devices.back()->KeepReceivedSets(CommandLine::Parse({"--keep-sets", "3", "127.0.0.1=a.snmprec"}, nullptr).keepSets);
  ControlChannel channel(devices, [](Device&, const NotificationOrder&) { return std::optional<std::string>("ok"); });
  const Oid sysName = O("1.3.6.1.2.1.1.5.0");
  for (const char* name : {"n1", "n2", "n3", "n4", "n5"})
    EXPECT_EQ(SetStatus(*devices.back(), {{sysName, Value::OctetString(name)}}), 0);
  EXPECT_EQ(channel.Execute("sent 127.0.0.1"),
            "ok dropped 2\t1.3.6.1.2.1.1.5.0|4|n3\t1.3.6.1.2.1.1.5.0|4|n4\t1.3.6.1.2.1.1.5.0|4|n5");
  EXPECT_EQ(channel.Execute("sent 127.0.0.1"), "ok ");
  EXPECT_EQ(SetStatus(*devices.back(), {{sysName, Value::OctetString("n6")}}), 0);
  EXPECT_EQ(channel.Execute("sent 127.0.0.1"), "ok 1.3.6.1.2.1.1.5.0|4|n6");

  EXPECT_EQ(CommandLine::Parse({"127.0.0.1=a.snmprec"}, nullptr).keepSets, Device::kDefaultKeptSets);
  for (const char* bad : {"0", "-1", "many", ""})
    EXPECT_THROW(CommandLine::Parse({"--keep-sets", bad, "127.0.0.1=a.snmprec"}, nullptr), std::runtime_error) << bad;
}

// sysName takes what snmpd takes: text of up to 255 bytes, control characters and high bytes included,
// but no zero byte.
TEST_F(AgentTest, SysNameTakesTextOfUpTo255BytesAsSnmpdDoes) {
  auto sw = Load("switch.snmprec");
  const Oid sysName = O("1.3.6.1.2.1.1.5.0");
  struct Case {
    Value value;
    long status;
  };
  const Case cases[] = {
      {Value::OctetString(std::string(255, 'n')), SNMP_ERR_NOERROR}, {Value::OctetString(""), SNMP_ERR_NOERROR},
      {Value::OctetString("A\tB\x02\xff"), SNMP_ERR_NOERROR},         {Value::OctetString(std::string(256, 'n')), SNMP_ERR_BADVALUE},
      {Value::OctetString(std::string("A\0B", 3)), SNMP_ERR_BADVALUE}, {Value::Integer(5), SNMP_ERR_BADVALUE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value.bytes.size());
    const std::string before = sw->Find(sysName)->bytes;
    EXPECT_EQ(SetStatus(*sw, {{sysName, c.value}}), c.status);
    EXPECT_EQ(sw->Find(sysName)->bytes, c.status == SNMP_ERR_NOERROR ? c.value.bytes : before);
  }
}

TEST_F(AgentTest, SwitchPasswordChangesAtOnceAndReadsBack) {
  auto sw = Load("switch.snmprec");
  EXPECT_EQ(SetStatus(*sw, {{O(kSwitch + ".1.1.1.2.2"), Value::OctetString("newpass")}}), 0);
  EXPECT_EQ(sw->Authorise("newpass"), Device::Access::Write);
  EXPECT_EQ(sw->Authorise("private"), Device::Access::None);
  EXPECT_EQ(sw->Find(O(kSwitch + ".11.15.0"))->bytes, "newpass");
  EXPECT_EQ(sw->Find(O(kSwitch + ".1.1.1.2.2"))->bytes, "newpass");
}

TEST_F(AgentTest, SwitchServesTheLldpStateAtBothOidsWithOneValue) {
  auto sw = Load("switch.snmprec");
  const Oid absolute = O("1.3.6.1.4.1.44711.10.75.3.24.6.0"), underRoot = O(kSwitch + ".24.6.0");
  auto answer = Get(*sw, {FormatOid(absolute), FormatOid(underRoot)});
  ASSERT_EQ(answer->errorStatus, SNMP_ERR_NOERROR);
  EXPECT_EQ(answer->varbinds[0].value, Value::Integer(1));
  EXPECT_EQ(answer->varbinds[1].value, Value::Integer(1));
  for (const auto& [set, other] : {std::pair{absolute, underRoot}, std::pair{underRoot, absolute}}) {
    const long state = sw->Find(set)->integer == 1 ? 2 : 1;
    EXPECT_EQ(SetStatus(*sw, {{set, Value::Integer(state)}}), 0);
    EXPECT_EQ(sw->Find(other)->integer, state) << FormatOid(set);
  }
}

TEST_F(AgentTest, SwitchSystemKeyChangesTheDigest) {
  auto sw = Load("switch.snmprec");
  const Oid key = O(kSwitch + ".24.4.0"), digest = O(kSwitch + ".24.1.0");
  EXPECT_EQ(SetStatus(*sw, {{key, Value::OctetString("newkey")}}), 0);
  EXPECT_EQ(sw->Find(digest)->bytes, "665FB885BC6778D2192D69959B429D8B");
  EXPECT_EQ(SetStatus(*sw, {{key, Value::OctetString("labkey")}}), 0);
  EXPECT_EQ(sw->Find(digest)->bytes, "E77E059E88D60FC190FEECA13F26D527");  // the reference value again
}

TEST_F(AgentTest, CommitsApplyThePasswordRaiseTheConfigIdAndRestart) {
  auto ap = Load("ap-1.snmprec");
  ap->Config().restartSilence = 2s;
  const Oid configId = O(kAp + ".1.11.0");
  EXPECT_EQ(SetStatus(*ap, {{O(kAp + ".1.3.0"), Value::Integer(0)}}), 0);  // 0 does nothing
  EXPECT_EQ(ap->Find(configId)->integer, 1);
  EXPECT_EQ(SetStatus(*ap, {{O(kAp + ".1.4.0"), Value::OctetString("newpass")}}), 0);
  EXPECT_EQ(ap->Authorise("newpass"), Device::Access::None);  // waits for the commit
  EXPECT_EQ(ap->Find(O(kAp + ".1.4.0"))->bytes, "private");    // and reads back the current one

  EXPECT_EQ(SetStatus(*ap, {{O(kAp + ".1.1.0"), Value::Integer(1)}}), 0);
  EXPECT_EQ(ap->Authorise("newpass"), Device::Access::Write);
  EXPECT_EQ(ap->Authorise("private"), Device::Access::None);
  EXPECT_EQ(ap->Find(O(kAp + ".1.4.0"))->bytes, "newpass");
  EXPECT_EQ(ap->Find(configId)->integer, 2);
  EXPECT_EQ(ap->Find(O(kAp + ".1.1.0"))->integer, 0);
  EXPECT_FALSE(ap->IsSilent(now_));

  auto answer = Send(*ap, SNMP_MSG_SET, {{O(kAp + ".1.3.0"), Value::Integer(1)}}, "newpass");
  EXPECT_EQ(answer->errorStatus, SNMP_ERR_NOERROR);
  EXPECT_EQ(ap->Find(configId)->integer, 3);
  EXPECT_TRUE(ap->IsSilent(now_ + 1s));
  EXPECT_FALSE(ap->IsSilent(now_ + 2s));
  ap->EndRestart(now_ + 500ms);
  EXPECT_FALSE(ap->IsSilent(now_ + 1s));
  EXPECT_FALSE(Send(*ap, SNMP_MSG_GET, {{configId, {}}}, "private")) << "the old password is gone";
}

TEST_F(AgentTest, MacFilterAddAndDeleteEditTheTable) {
  auto ap = Load("ap-1.snmprec");
  const Oid add = O(kAp + ".3.2.0"), remove = O(kAp + ".3.3.0");
  EXPECT_EQ(SetStatus(*ap, {{add, Value::OctetString("02aa00000002")}}), 0);
  EXPECT_EQ(SetStatus(*ap, {{add, Value::OctetString("02AA00000002")}}), 0);  // a duplicate in other case
  EXPECT_EQ(SetStatus(*ap, {{add, Value::OctetString("02bb00000003")}}), 0);
  EXPECT_EQ(FilterTable(*ap), (std::vector<std::string>{".3.5.1.1.1=1", ".3.5.1.1.2=2", ".3.5.1.1.3=3",
                                                        ".3.5.1.2.1=02:55:00:00:00:01", ".3.5.1.2.2=02:aa:00:00:00:02",
                                                        ".3.5.1.2.3=02:bb:00:00:00:03"}));
  EXPECT_EQ(SetStatus(*ap, {{remove, Value::OctetString("025500000001")}}), 0);
  EXPECT_EQ(SetStatus(*ap, {{remove, Value::OctetString("02CC00000009")}}), 0);  // not there: no error
  EXPECT_EQ(FilterTable(*ap), (std::vector<std::string>{".3.5.1.1.1=1", ".3.5.1.1.2=2", ".3.5.1.2.1=02:aa:00:00:00:02",
                                                        ".3.5.1.2.2=02:bb:00:00:00:03"}));
  for (const char* bad : {"02:55:00:00:00:01", "0255000000", "02550000000g"})
    EXPECT_EQ(SetStatus(*ap, {{add, Value::OctetString(bad)}}), SNMP_ERR_BADVALUE) << bad;
  EXPECT_EQ(SetStatus(*ap, {{add, Value::Integer(1)}}), SNMP_ERR_BADVALUE);
  EXPECT_EQ(Get(*ap, {kAp + ".3.2.0"})->errorStatus, SNMP_ERR_NOSUCHNAME);  // write-only

  ap->Config().macFilterMax = 2;
  EXPECT_EQ(SetStatus(*ap, {{add, Value::OctetString("02dd00000004")}}), SNMP_ERR_GENERR);
  EXPECT_EQ(SetStatus(*ap, {{add, Value::OctetString("02BB00000003")}}), 0);  // known: still fine when full
}

TEST_F(AgentTest, ReferenceDevicesCloseFirmwareAfterTheirTransferTime) {
  const std::pair<const char*, std::string> devices[] = {{"switch.snmprec", kSwitch + ".11.42.0"},
                                                         {"ap-2.snmprec", kAp + ".1.8.0"}};
  for (const auto& [file, oid] : devices) {
    SCOPED_TRACE(file);
    auto device = Load(file);
    const auto transfer = device->Config().firmwareCloseAfter;
    ASSERT_GT(transfer.count(), 0);
    EXPECT_EQ(SetStatus(*device, {{O(oid), Value::Integer(1)}}), 0);
    device->Tick(now_ + transfer - 1ms);
    EXPECT_EQ(device->Find(O(oid))->integer, 1);
    device->Tick(now_ + transfer);
    EXPECT_EQ(device->Find(O(oid))->integer, 0);
    // Closing by hand works too and leaves nothing pending.
    EXPECT_EQ(SetStatus(*device, {{O(oid), Value::Integer(0)}}), 0);
    device->Tick(now_ + 2 * transfer);
    EXPECT_EQ(device->Find(O(oid))->integer, 0);
  }
}

TEST_F(AgentTest, TimedBehavioursFirmwareUptimeAndRotation) {
  auto sw = Load("switch.snmprec");
  sw->Config().firmwareCloseAfter = 3s;
  const Oid firmware = O(kSwitch + ".11.42.0");
  EXPECT_EQ(SetStatus(*sw, {{firmware, Value::Integer(1)}}), 0);
  sw->Tick(now_ + 2s);
  EXPECT_EQ(sw->Find(firmware)->integer, 1);
  sw->Tick(now_ + 3s);
  EXPECT_EQ(sw->Find(firmware)->integer, 0);
  EXPECT_EQ(sw->Find(O("1.3.6.1.2.1.1.3.0"))->integer, 300);

  auto ap = Load("ap-1.snmprec");
  auto clients = [&] { return ap->Find(O(kAp + ".2.1.0"))->integer; };
  EXPECT_EQ(clients(), 2);
  ap->NextFrame();
  EXPECT_EQ(clients(), 3);
  EXPECT_EQ(ap->Find(O(kAp + ".2.2.1.2.3"))->bytes, "02:66:00:00:00:04");
  EXPECT_EQ(ap->Find(O(kAp + ".5.3.0"))->integer, 1500);
  ap->NextFrame();
  EXPECT_EQ(clients(), 2);
  EXPECT_EQ(ap->Find(O(kAp + ".2.2.1.2.3")), nullptr);
  ap->Config().rotatePeriod = 10s;
  ap->Tick(now_ + 25s);  // two periods: there and back again
  EXPECT_EQ(clients(), 2);
  ap->Tick(now_ + 31s);
  EXPECT_EQ(clients(), 3);
}

}  // namespace
}  // namespace devsim
