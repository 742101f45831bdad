#include "DeviceConfig.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace devsim {
namespace {

Oid OidArgument(std::istringstream& args) {
  std::string text;
  args >> text;
  auto parsed = ParseOid(text);
  if (!parsed) throw DeviceConfigError("expected an OID, got \"" + text + "\"");
  return *parsed;
}

long NumberArgument(std::istringstream& args) {
  std::string text;
  args >> text;
  long number = -1;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (ec != std::errc() || end != text.data() + text.size() || number < 0)
    throw DeviceConfigError("expected a number, got \"" + text + "\"");
  return number;
}

// A time in milliseconds: at most a day, so that adding it to a clock reading cannot overflow.
DeviceConfig::Millis MillisArgument(std::istringstream& args) {
  constexpr long kMaxMillis = 24L * 60 * 60 * 1000;
  const long number = NumberArgument(args);
  if (number > kMaxMillis)
    throw DeviceConfigError("expected at most " + std::to_string(kMaxMillis) + " ms, got " + std::to_string(number));
  return DeviceConfig::Millis(number);
}

std::string WordArgument(std::istringstream& args) {
  std::string text;
  if (!(args >> text)) throw DeviceConfigError("missing argument");
  return text;
}

}  // namespace

void DeviceConfig::Apply(const std::string& line, const std::string& baseDir, const IncludeChain& including) {
  std::istringstream args(line);
  std::string key;
  if (!(args >> key) || key.front() == '#') return;
  if (key == "read-community") {
    readCommunity = WordArgument(args);
  } else if (key == "write-community") {
    writeCommunity = WordArgument(args);
  } else if (key == "writable") {
    writable.push_back(OidArgument(args));
  } else if (key == "commit-apply") {
    commitApply = OidArgument(args);
  } else if (key == "commit-restart") {
    commitRestart = OidArgument(args);
  } else if (key == "restart-silence-ms") {
    restartSilence = MillisArgument(args);
  } else if (key == "config-id") {
    configId = OidArgument(args);
  } else if (key == "password") {
    password = OidArgument(args);
    const std::string mode = WordArgument(args);
    if (mode != "commit" && mode != "immediate") throw DeviceConfigError("password mode: commit or immediate");
    passwordOnCommit = mode == "commit";
  } else if (key == "password-mirror") {
    passwordMirrors.push_back(OidArgument(args));
  } else if (key == "mirror") {
    Oid name = OidArgument(args);
    mirrors.emplace_back(std::move(name), OidArgument(args));
  } else if (key == "mac-filter-add") {
    macFilterAdd = OidArgument(args);
  } else if (key == "mac-filter-delete") {
    macFilterDelete = OidArgument(args);
  } else if (key == "mac-filter-table") {
    macFilterTable = OidArgument(args);
  } else if (key == "mac-filter-max") {
    macFilterMax = NumberArgument(args);
  } else if (key == "firmware-open") {
    firmwareOpen = OidArgument(args);
    args >> std::ws;
    firmwareCloseAfter = args.eof() ? Millis(0) : MillisArgument(args);
  } else if (key == "system-key") {
    SystemKey systemKeyConfig{OidArgument(args), OidArgument(args), WordArgument(args), WordArgument(args)};
    try {
      systemKeyConfig.oui = Snmprec::ParseValue("4x", systemKeyConfig.oui).bytes;
      Snmprec::ParseValue("4x", systemKeyConfig.mac);
    } catch (const SnmprecError&) {
      systemKeyConfig.oui.clear();
    }
    if (systemKeyConfig.oui.size() != 3 || systemKeyConfig.mac.size() != 12)
      throw DeviceConfigError("system-key: OUI of 3 and MAC of 6 hex bytes");
    std::transform(systemKeyConfig.mac.begin(), systemKeyConfig.mac.end(), systemKeyConfig.mac.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    systemKey = systemKeyConfig;
  } else if (key == "uptime") {
    uptime = OidArgument(args);
  } else if (key == "delay-ms") {
    delay = MillisArgument(args);
  } else if (key == "silent") {
    const std::string state = WordArgument(args);
    if (state != "on" && state != "off") throw DeviceConfigError("silent: on or off");
    silent = state == "on";
  } else if (key == "rotate-scope") {
    rotateScopes.push_back(OidArgument(args));
  } else if (key == "rotate-frame") {
    std::filesystem::path file = WordArgument(args);
    if (file.is_relative()) file = std::filesystem::path(baseDir) / file;
    try {
      rotateFrames.push_back(Snmprec::ParseFile(file.string()));
    } catch (const SnmprecError& error) {
      throw DeviceConfigError(error.what());
    }
  } else if (key == "include") {
    std::filesystem::path file = WordArgument(args);
    if (file.is_relative()) file = std::filesystem::path(baseDir) / file;
    ApplyFile(file.string(), including);
  } else if (key == "rotate-period-ms") {
    rotatePeriod = MillisArgument(args);
  } else {
    throw DeviceConfigError("unknown directive \"" + key + "\"");
  }
  std::string extra;
  if (args >> extra) throw DeviceConfigError("unexpected \"" + extra + "\"");
}

void DeviceConfig::ApplyFile(const std::string& path, IncludeChain including) {
  // A file that includes itself, directly or through others, would be read until the stack runs out.
  const std::string file = std::filesystem::weakly_canonical(path).string();
  including.push_back(file);
  if (std::find(including.begin(), including.end() - 1, file) != including.end() - 1) {
    std::string chain;
    for (const std::string& link : including) chain += (chain.empty() ? "" : " -> ") + link;
    throw DeviceConfigError("include cycle: " + chain);
  }
  std::ifstream in(path);
  if (!in) throw DeviceConfigError(path + ": cannot open");
  const std::string baseDir = std::filesystem::path(path).parent_path().string();
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    try {
      Apply(line, baseDir, including);
    } catch (const DeviceConfigError& error) {
      throw DeviceConfigError(path + ":" + std::to_string(number) + ": " + error.what());
    }
  }
}

}  // namespace devsim
