#pragma once
// devsim [--port N] [--control] [--strict] [--keep-sets N] [--scenario FILE]... [ADDRESS=DATAFILE]...
//   --port N      UDP port of every device; 0 picks one free on all addresses. Default: PELLION_SNMP_PORT,
//                 else 161.
//   --control     read control commands from standard input (see ControlChannel.h); its end stops the program
//   --strict      a data-file line that cannot be read refuses the file; without, the line is skipped with a
//                 warning naming the file and line
//   --keep-sets N the SET bindings each device keeps for "sent" (the last N, at least 1); default 1000
#include <stdexcept>
#include <string>
#include <vector>

#include "Device.h"
#include "Scenario.h"

namespace devsim {

struct CommandLine {
  int port = 161;
  bool control = false;
  bool strict = false;
  size_t keepSets = Device::kDefaultKeptSets;
  std::vector<DeviceSpec> devices;

  // Throws std::runtime_error with the problem; environmentPort is PELLION_SNMP_PORT's value (or null).
  static CommandLine Parse(const std::vector<std::string>& arguments, const char* environmentPort);
  static const char* Usage();
};

}  // namespace devsim
