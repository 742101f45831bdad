// The data-file formats: snmprec lines, side-file directives and scenarios.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "DeviceConfig.h"
#include "DeviceLoader.h"
#include "Scenario.h"
#include "NetSnmpTool.h"
#include "Snmprec.h"
#include "support/ChildProcess.h"
#include "support/SnmpdProcess.h"
#include "support/TempDir.h"

namespace devsim {
namespace {

TEST(Snmprec, ParsesEveryTypeAndReadsBackWhatItFormats) {
  struct Case {
    const char* line;
    u_char type;
    const char* formatted;  // FormatLine of the parsed object
  };
  const Case cases[] = {
      {"1.3.6.1.2.1.1.5.0|4|lab-switch", ASN_OCTET_STR, "1.3.6.1.2.1.1.5.0|4|lab-switch"},
      {".1.3.6.1.2.1.1.5.0|4|", ASN_OCTET_STR, "1.3.6.1.2.1.1.5.0|4|"},
      {"1.3.6.1.2.1.1.5.0|4|a|b", ASN_OCTET_STR, "1.3.6.1.2.1.1.5.0|4x|617c62"},
      {"1.3.6.1.2.1.17.1.1.0|4x|024471000001", ASN_OCTET_STR, "1.3.6.1.2.1.17.1.1.0|4x|024471000001"},
      {"1.3.6.1.2.1.2.1.0|2|-25", ASN_INTEGER, "1.3.6.1.2.1.2.1.0|2|-25"},
      {"1.3.6.1.2.1.1.2.0|6|1.3.6.1.4.1.44711.1", ASN_OBJECT_ID, "1.3.6.1.2.1.1.2.0|6|1.3.6.1.4.1.44711.1"},
      {"1.3.6.1.4.1.1.0|64|127.0.0.10", ASN_IPADDRESS, "1.3.6.1.4.1.1.0|64|127.0.0.10"},
      {"1.3.6.1.4.1.1.0|64x|7f00000a", ASN_IPADDRESS, "1.3.6.1.4.1.1.0|64|127.0.0.10"},
      {"1.3.6.1.4.1.1.0|65|4294967295", ASN_COUNTER, "1.3.6.1.4.1.1.0|65|4294967295"},
      {"1.3.6.1.4.1.1.0|66|7", ASN_GAUGE, "1.3.6.1.4.1.1.0|66|7"},
      {"1.3.6.1.4.1.1.0|67|100", ASN_TIMETICKS, "1.3.6.1.4.1.1.0|67|100"},
      {"1.3.6.1.4.1.1.0|70|18446744073709551615", ASN_COUNTER64, "1.3.6.1.4.1.1.0|70|18446744073709551615"},
      {"1.3.6.1.4.1.1.0|5|", ASN_NULL, "1.3.6.1.4.1.1.0|5|"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const auto [name, value] = Snmprec::ParseLine(c.line);
    EXPECT_EQ(value.type, c.type);
    EXPECT_EQ(Snmprec::FormatLine(name, value), c.formatted);
    EXPECT_EQ(Snmprec::ParseLine(Snmprec::FormatLine(name, value)).second, value);
  }
}

TEST(Snmprec, RefusesMalformedLines) {
  for (const char* line : {"1.3.6.1|4", "|4|x", "1..3|4|x", "1.3.6.|2|1", "1.3.6.1|2|12a", "1.3.6.1|2|2147483648",
                           "1.3.6.1|65|-1", "1.3.6.1|64|127.0.0", "1.3.6.1|64x|7f0000", "1.3.6.1|4x|0g",
                           "1.3.6.1|4x|024", "1.3.6.1|2x|01", "1.3.6.1|6|1", "1.3.6.1|99|1", "1.3.6.1|x|1"}) {
    SCOPED_TRACE(line);
    EXPECT_THROW(Snmprec::ParseLine(line), SnmprecError);
  }
}

TEST(Snmprec, FileErrorsNameFileAndLine) {
  testing_support::TempDir dir;
  std::ofstream(dir.File("bad.snmprec")) << "# comment\n\n1.3.6.1.2.1.1.5.0|4|ok\n1.3.6.1.2.1.1.6.0|2|no\n";
  try {
    Snmprec::ParseFile(dir.File("bad.snmprec"));
    FAIL() << "no error";
  } catch (const SnmprecError& error) {
    EXPECT_NE(std::string(error.what()).find("bad.snmprec:4: bad number"), std::string::npos) << error.what();
  }
}

// A recording with lines the simulator cannot read, and rows out of OID order.
constexpr const char* kRoughRecording =
    "# recorded from a switch\n"
    "1.3.6.1.2.1.1.6.0|4|lab\n"
    "1.3.6.1.2.1.1.3.0|67|\n"                 // a typed row without its value
    "SNMPv2-MIB::sysName.0|4|lab-switch\n"    // a symbolic OID
    "1.3.6.1.2.1.1.1.0|4|switch\n"
    "1.3.6.1.2.1.2.1.0|2|\n";

TEST(Snmprec, SkipsLinesItCannotReadWithAWarningNamingFileAndLine) {
  testing_support::TempDir dir;
  const std::string file = dir.File("rough.snmprec");
  std::ofstream(file) << kRoughRecording;

  std::vector<std::string> warnings;
  const ObjectMap objects = Snmprec::ParseFile(file, warnings);
  std::vector<std::string> lines;
  for (const auto& [name, value] : objects) lines.push_back(Snmprec::FormatLine(name, value));
  EXPECT_EQ(lines, (std::vector<std::string>{"1.3.6.1.2.1.1.1.0|4|switch", "1.3.6.1.2.1.1.6.0|4|lab"}));
  EXPECT_EQ(warnings, (std::vector<std::string>{file + ":3: bad number \"\"",
                                                file + ":4: bad OID \"SNMPv2-MIB::sysName.0\"",
                                                file + ":6: bad number \"\""}));

  // Strict, the first of them refuses the file; a missing file is refused either way.
  try {
    Snmprec::ParseFile(file);
    ADD_FAILURE() << "accepted";
  } catch (const SnmprecError& error) {
    EXPECT_EQ(std::string(error.what()), file + ":3: bad number \"\"");
  }
  EXPECT_THROW(Snmprec::ParseFile(dir.File("missing.snmprec"), warnings), SnmprecError);
  EXPECT_TRUE(CommandLine::Parse({"--strict", "127.0.0.1=a.snmprec"}, nullptr).strict);
  EXPECT_FALSE(CommandLine::Parse({"127.0.0.1=a.snmprec"}, nullptr).strict);
}

// The simulator program on a port of its own choice: what it wrote to its standard output and error until
// it said it was ready or ended.
struct SimulatorRun {
  testing_support::ChildProcess process;
  std::string output;
  int port = 0;
};

SimulatorRun StartSimulator(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv{DEVSIM_BINARY, "--port", "0"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  SimulatorRun run{testing_support::ChildProcess(argv, {.output = pipeFds[1], .error = pipeFds[1]}), "", 0};
  close(pipeFds[1]);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (run.output.find("ready port=") == std::string::npos || run.output.back() != '\n') {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    pollfd ready{pipeFds[0], POLLIN, 0};
    if (left <= 0 || poll(&ready, 1, static_cast<int>(left)) != 1) break;
    char chunk[4096];
    const ssize_t count = read(pipeFds[0], chunk, sizeof chunk);
    if (count <= 0) break;
    run.output.append(chunk, static_cast<size_t>(count));
  }
  close(pipeFds[0]);
  const size_t ready = run.output.find("ready port=");
  if (ready != std::string::npos) run.port = std::atoi(run.output.c_str() + ready + 11);
  return run;
}

TEST(DevSimProgram, ServesARecordingWithUnreadableLinesUnlessStrict) {
  testing_support::TempDir dir;
  const std::string file = dir.File("rough.snmprec");
  std::ofstream(file) << kRoughRecording;
  const std::string address = testing_support::UniqueLoopbackAddress();

  SimulatorRun lenient = StartSimulator({address + "=" + file});
  ASSERT_GT(lenient.port, 0) << lenient.output;
  EXPECT_NE(lenient.output.find("devsim: warning: " + file + ":3: bad number \"\" (line skipped)\n"),
            std::string::npos)
      << lenient.output;
  EXPECT_NE(lenient.output.find("devsim: warning: " + file + ":4: bad OID"), std::string::npos) << lenient.output;
  EXPECT_NE(lenient.output.find("devsim: warning: " + file + ":6: bad number"), std::string::npos) << lenient.output;
  const devsim_test::ToolResult walk = devsim_test::RunNetSnmpTool(
      "snmpwalk", "public", "udp:" + address + ":" + std::to_string(lenient.port), {"1.3.6.1.2.1"});
  EXPECT_EQ(walk.exitCode, 0) << walk.output;
  EXPECT_EQ(walk.output,
            ".1.3.6.1.2.1.1.1.0 = STRING: \"switch\"\n.1.3.6.1.2.1.1.6.0 = STRING: \"lab\"\nEnd of MIB\n");

  SimulatorRun strict = StartSimulator({"--strict", address + "=" + file});
  EXPECT_EQ(strict.process.Wait(), 1);
  EXPECT_EQ(strict.port, 0);
  EXPECT_EQ(strict.output, "devsim: " + file + ":3: bad number \"\"\n");
}

TEST(DeviceConfig, ReadsDirectivesIncludesAndFramesAndRefusesUnknownOnes) {
  testing_support::TempDir dir;
  std::ofstream(dir.File("model.devsim")) << "write-community secret\nwritable 1.3.6.1.2.1.1\n";
  std::ofstream(dir.File("frame.snmprec")) << "1.3.6.1.4.1.9.1.0|2|5\n";
  std::ofstream(dir.File("dev.devsim")) << "# one device\ninclude model.devsim\nfirmware-open 1.3.6.1.4.1.9.2.0 1500\n"
                                           "password 1.3.6.1.4.1.9.3.0 commit\nrotate-scope 1.3.6.1.4.1.9.1\n"
                                           "rotate-frame frame.snmprec\nsilent on\nmirror 1.3.6.1.4.1.9.4.0 .1.3.6.1.4.1.9.5.0\n";
  DeviceConfig config;
  config.ApplyFile(dir.File("dev.devsim"));
  EXPECT_EQ(config.writeCommunity, "secret");
  EXPECT_EQ(config.readCommunity, "public");
  ASSERT_EQ(config.writable.size(), 1u);
  EXPECT_EQ(config.firmwareCloseAfter, std::chrono::milliseconds(1500));
  EXPECT_TRUE(config.passwordOnCommit);
  ASSERT_EQ(config.rotateFrames.size(), 1u);
  EXPECT_EQ(config.rotateFrames[0].size(), 1u);
  EXPECT_TRUE(config.silent);
  ASSERT_EQ(config.mirrors.size(), 1u);
  EXPECT_EQ(FormatOid(config.mirrors[0].second), "1.3.6.1.4.1.9.5.0");

  for (const char* line : {"colour blue", "writable", "writable 1.x", "delay-ms -5", "silent maybe",
                           "password 1.3.6 later", "mirror 1.3.6", "delay-ms 5 6", "rotate-frame missing.snmprec",
                           "system-key 1.3.1 1.3.2 0244 024471000001", "system-key 1.3.1 1.3.2 024471 02447100000g"}) {
    SCOPED_TRACE(line);
    EXPECT_THROW(config.Apply(line, dir.Path().string()), DeviceConfigError);
  }
}

TEST(DeviceConfig, RefusesIncludeCyclesNamingTheirFiles) {
  testing_support::TempDir dir;
  std::ofstream(dir.File("self.devsim")) << "uptime 1.3.6.1.2.1.1.3.0\ninclude self.devsim\n";
  std::ofstream(dir.File("a.devsim")) << "include b.devsim\n";
  std::ofstream(dir.File("b.devsim")) << "include shared.devsim\ninclude a.devsim\n";
  std::ofstream(dir.File("shared.devsim")) << "silent on\n";
  // The same file twice, but not inside itself, is no cycle.
  std::ofstream(dir.File("twice.devsim")) << "include shared.devsim\ninclude shared.devsim\n";
  const struct {
    const char* file;
    std::vector<const char*> chain;
  } cases[] = {{"self.devsim", {"self.devsim", "self.devsim"}}, {"a.devsim", {"a.devsim", "b.devsim", "a.devsim"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    DeviceConfig config;
    try {
      config.ApplyFile(dir.File(c.file));
      FAIL() << "no error";
    } catch (const DeviceConfigError& error) {
      std::string chain;
      for (const char* file : c.chain) chain += (chain.empty() ? "" : " -> ") + dir.File(file);
      EXPECT_NE(std::string(error.what()).find("include cycle: " + chain), std::string::npos) << error.what();
    }
  }
  DeviceConfig config;
  EXPECT_NO_THROW(config.ApplyFile(dir.File("twice.devsim")));
  EXPECT_TRUE(config.silent);
}

// A time is added to clock readings: past a day it is refused before it can overflow one.
TEST(DeviceConfig, RefusesTimesPastADay) {
  for (const std::string directive : {"delay-ms", "restart-silence-ms", "rotate-period-ms", "firmware-open 1.3.6.1.4.1.9.2.0"}) {
    SCOPED_TRACE(directive);
    DeviceConfig config;
    EXPECT_NO_THROW(config.Apply(directive + " 86400000", "."));
    for (const char* time : {"86400001", "9223372036854775807"})
      EXPECT_THROW(config.Apply(directive + " " + time, "."), DeviceConfigError) << time;
  }
}

TEST(Scenario, ResolvesDataFilesNextToTheScenario) {
  const auto devices = Scenario::ParseFile(DEVSIM_DATA_DIR "/reference.scenario");
  ASSERT_EQ(devices.size(), 5u);
  EXPECT_EQ(devices[0].address, "127.0.0.10");
  EXPECT_EQ(devices[0].dataFile, DEVSIM_DATA_DIR "/switch.snmprec");
  EXPECT_EQ(DeviceLoader::SideFileOf(devices[1].dataFile), DEVSIM_DATA_DIR "/ap-1.devsim");
  EXPECT_THROW(Scenario::ParseDeviceArgument("127.0.0.1"), ScenarioError);
  EXPECT_EQ(Scenario::ParseDeviceArgument("127.0.0.1=a.snmprec").dataFile, "a.snmprec");
}

TEST(Scenario, TakesLoopbackAddressesOnly) {
  for (const char* address : {"127.0.0.1", "127.77.0.0", "127.255.255.254"}) {
    SCOPED_TRACE(address);
    EXPECT_NO_THROW(Scenario::RequireLoopback(address));
    EXPECT_EQ(CommandLine::Parse({std::string(address) + "=a.snmprec"}, nullptr).devices[0].address, address);
  }
  for (const char* address : {"10.0.0.5", "0.0.0.0", "128.0.0.1", "126.255.255.255", "255.255.255.255", "localhost",
                              "::1", "127.0.0", "127.0.0.1.5", " 127.0.0.1"}) {
    SCOPED_TRACE(address);
    try {
      CommandLine::Parse({"--port", "0", std::string(address) + "=a.snmprec"}, nullptr);
      ADD_FAILURE() << "accepted";
    } catch (const ScenarioError& error) {
      EXPECT_EQ(std::string(error.what()),
                "\"" + std::string(address) + "\" is not a loopback address: devices live on 127.0.0.0/8 only");
    }
  }

  // A scenario names the file and line of the address it refuses; nothing of it is started.
  testing_support::TempDir dir;
  std::ofstream(dir.File("net.scenario")) << "# lab\n127.0.0.10 switch.snmprec\n192.168.1.10 switch.snmprec\n";
  try {
    CommandLine::Parse({"--scenario", dir.File("net.scenario")}, nullptr);
    ADD_FAILURE() << "accepted";
  } catch (const ScenarioError& error) {
    EXPECT_NE(std::string(error.what()).find("net.scenario:3: \"192.168.1.10\" is not a loopback address"),
              std::string::npos)
        << error.what();
  }
}

}  // namespace
}  // namespace devsim
