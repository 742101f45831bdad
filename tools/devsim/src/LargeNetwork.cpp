#include "LargeNetwork.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Behaviours.h"
#include "DeviceLoader.h"
#include "Snmprec.h"

namespace devsim {

namespace {

namespace fs = std::filesystem;

const char kSysName[] = "1.3.6.1.2.1.1.5.0";
const char kBridgeAddress[] = "1.3.6.1.2.1.17.1.1.0";
const char kSwitchRoot[] = "1.3.6.1.4.1.44711.10.76.2";
const char kLldpRemoteTables[] = "1.0.8802.1.1.2.1.4";
const char kLldpRemote[] = "1.0.8802.1.1.2.1.4.1.1.";
const char kLldpManAddr[] = "1.0.8802.1.1.2.1.4.2.1.4.0.";
const char kApPhysAddress[] = "1.3.6.1.2.1.2.2.1.6.1";
const char kApRoot[] = "1.3.6.1.4.1.44711.1";
const char kOui[] = "024471";
const char kSystemKeyText[] = "labkey";

// 0..99 as two decimal digits.
std::string DecimalPair(int number) { return (number < 10 ? "0" : "") + std::to_string(number); }

Oid RequireOid(const std::string& text) {
  auto parsed = ParseOid(text);
  if (!parsed) throw LargeNetworkError("bad OID " + text);
  return *parsed;
}

void Put(ObjectMap& objects, const std::string& oid, const char* tag, const std::string& value) {
  objects[RequireOid(oid)] = Snmprec::ParseValue(tag, value);
}

void WriteData(const fs::path& file, const ObjectMap& objects) {
  std::ofstream out(file);
  for (const auto& [name, value] : objects) out << Snmprec::FormatLine(name, value) << '\n';
  if (!out) throw LargeNetworkError("cannot write " + file.string());
}

// The reference side file with its file arguments made absolute (the copy lives elsewhere) and, for a
// switch, its system key bound to the new MAC.
void WriteSide(const fs::path& file, const fs::path& reference, const std::string& macHex) {
  std::ifstream in(reference);
  if (!in) throw LargeNetworkError("cannot read " + reference.string());
  std::ofstream out(file);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "include" || key == "rotate-frame") {
      std::string argument;
      words >> argument;
      line = key + " " + (reference.parent_path() / argument).string();
    } else if (key == "system-key") {
      std::string keyOid, digestOid, oui, mac;
      words >> keyOid >> digestOid >> oui >> mac;
      line = key + " " + keyOid + " " + digestOid + " " + oui + " " + macHex;
    }
    out << line << '\n';
  }
  if (!out) throw LargeNetworkError("cannot write " + file.string());
}

ObjectMap ReadReference(const fs::path& file) {
  try {
    return Snmprec::ParseFile(file.string());
  } catch (const SnmprecError& error) {
    throw LargeNetworkError(error.what());
  }
}

}  // namespace

std::string LargeNetwork::SwitchAddress(int k, int secondOctet) {
  return "127." + std::to_string(secondOctet) + "." + std::to_string(k) + ".1";
}

std::string LargeNetwork::ApAddress(int k, int j, int secondOctet) {
  return "127." + std::to_string(secondOctet) + "." + std::to_string(k) + "." + std::to_string(10 + j);
}

std::string LargeNetwork::MacHex(int k, int j) {
  return std::string(kOui) + DecimalPair(k / 100) + DecimalPair(k % 100) + DecimalPair(j + 1);
}

std::vector<DeviceSpec> LargeNetwork::Generate(const LargeNetworkPlan& plan) {
  if (plan.switches < 1 || plan.switches > kMaxSwitches || plan.apsPerSwitch < 0 ||
      plan.apsPerSwitch > kMaxApsPerSwitch)
    throw LargeNetworkError("1 to 200 switches with 0 to 99 APs each");
  if (plan.secondOctet < 0 || plan.secondOctet > 255) throw LargeNetworkError("second octet 0 to 255");
  const fs::path reference(plan.referenceDir);
  const fs::path output(plan.outputDir);
  fs::create_directories(output);

  const ObjectMap switchModel = ReadReference(reference / "switch.snmprec");
  const char* apModels[] = {"ap-1", "ap-2", "ap-3"};
  std::vector<ObjectMap> apData;
  for (const char* model : apModels) apData.push_back(ReadReference(reference / (std::string(model) + ".snmprec")));

  std::vector<DeviceSpec> devices;
  std::ofstream scenario(output / "large.scenario");
  scenario << "# " << plan.switches << " switches with " << plan.apsPerSwitch << " APs each\n";
  const auto add = [&](const std::string& address, const fs::path& data) {
    devices.push_back({address, data.string()});
    scenario << address << ' ' << data.filename().string() << '\n';
  };

  for (int k = 0; k < plan.switches; ++k) {
    const std::string switchMac = MacHex(k, -1);
    ObjectMap objects = switchModel;
    const Oid remoteTables = RequireOid(kLldpRemoteTables);
    std::erase_if(objects, [&](const auto& entry) { return OidStartsWith(entry.first, remoteTables); });
    Put(objects, kSysName, "4", "switch-" + std::to_string(k));
    Put(objects, kBridgeAddress, "4x", switchMac);
    Put(objects, std::string(kSwitchRoot) + ".11.16.0", "64", SwitchAddress(k, plan.secondOctet));
    Put(objects, std::string(kSwitchRoot) + ".24.1.0", "4",
        Behaviours::SystemKeyDigest(Snmprec::ParseValue("4x", kOui).bytes, kSystemKeyText, switchMac));
    for (int j = 0; j < plan.apsPerSwitch; ++j) {
      const std::string row = ".0." + std::to_string(j) + ".1";
      Put(objects, kLldpRemote + std::string("5") + row, "4x", MacHex(k, j));
      Put(objects, kLldpRemote + std::string("7") + row, "4", "eth0");
      Put(objects, kLldpRemote + std::string("12") + row, "4x", "0008");
      Put(objects, kLldpManAddr + std::to_string(j) + ".1.1.4." + ApAddress(k, j, plan.secondOctet), "2", "0");
    }
    const fs::path data = output / ("switch-" + std::to_string(k) + ".snmprec");
    WriteData(data, objects);
    WriteSide(DeviceLoader::SideFileOf(data), reference / "switch.devsim", switchMac);
    add(SwitchAddress(k, plan.secondOctet), data);

    for (int j = 0; j < plan.apsPerSwitch; ++j) {
      const int model = j % 3;
      ObjectMap ap = apData[model];
      Put(ap, kSysName, "4", "ap-" + std::to_string(k) + "-" + std::to_string(j));
      Put(ap, kApPhysAddress, "4x", MacHex(k, j));
      Put(ap, std::string(kApRoot) + ".1.10.2.0", "64", ApAddress(k, j, plan.secondOctet));
      const fs::path apFile = output / ("ap-" + std::to_string(k) + "-" + std::to_string(j) + ".snmprec");
      WriteData(apFile, ap);
      WriteSide(DeviceLoader::SideFileOf(apFile), reference / (std::string(apModels[model]) + ".devsim"), "");
      add(ApAddress(k, j, plan.secondOctet), apFile);
    }
  }
  if (!scenario) throw LargeNetworkError("cannot write the scenario");
  return devices;
}

}  // namespace devsim
