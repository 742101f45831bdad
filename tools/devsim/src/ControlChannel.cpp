#include "ControlChannel.h"

#include <sstream>

#include "Snmprec.h"

namespace devsim {

Device* ControlChannel::FindDevice(const std::string& address) {
  for (auto& device : devices_)
    if (device->Address() == address) return device.get();
  return nullptr;
}

std::optional<std::string> ControlChannel::Execute(const std::string& line) {
  std::istringstream words(line);
  std::string command, address, rest;
  words >> command >> address;
  std::getline(words >> std::ws, rest);
  Device* device = FindDevice(address);
  if (!device) return "error no device at \"" + address + "\"";
  try {
    if (command == "get" || command == "unset") {
      auto name = ParseOid(rest);
      if (!name) return "error bad OID \"" + rest + "\"";
      device->Tick(Device::Clock::now());  // the state as a request now would see it
      auto found = device->Objects().find(*name);
      if (found == device->Objects().end()) return "error no such object";
      if (command == "unset") {
        device->Objects().erase(found);
        return "ok";
      }
      return "ok " + Snmprec::FormatLine(found->first, found->second);
    }
    if (command == "set") {
      auto [name, value] = Snmprec::ParseLine(rest);
      device->Put(name, value);
      return "ok";
    }
    if (command == "config") {
      device->Config().Apply(rest, ".");
      return "ok";
    }
    if (command == "sent") {
      const Device::ReceivedSets sets = device->TakeReceivedSets();
      std::string lines = sets.dropped ? "dropped " + std::to_string(sets.dropped) : "";
      for (const std::string& set : sets.lines) lines += (lines.empty() ? "" : "\t") + set;
      return "ok " + lines;
    }
    if (command == "next") {
      device->NextFrame();
      return "ok";
    }
    if (command == "answered") return "ok " + std::to_string(device->Answered());
    if (command == "state") return device->IsSilent(Device::Clock::now()) ? "ok silent" : "ok answering";
    if (command == "wake") {
      device->EndRestart(Device::Clock::now());
      return "ok";
    }
    if (command == "trap" || command == "inform")
      return notify_(*device, NotificationOrder::Parse(command == "inform", rest));
  } catch (const std::exception& error) {
    return std::string("error ") + error.what();
  }
  return "error unknown command \"" + command + "\"";
}

}  // namespace devsim
