// The data-file formats: snmprec lines, side-file directives and scenarios.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "DeviceConfig.h"
#include "DeviceLoader.h"
#include "Scenario.h"
#include "Snmprec.h"
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
