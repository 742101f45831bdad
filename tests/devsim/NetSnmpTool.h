#pragma once
// Runs one of Net-SNMP's command-line tools as the simulator's real peer: SNMPv1, numeric OIDs, no MIBs,
// a short time-out and no retry.
#include <string>
#include <vector>

namespace devsim_test {

struct ToolResult {
  int exitCode = -1;
  std::string output;  // standard output and standard error together
};

ToolResult RunNetSnmpTool(const std::string& tool, const std::string& community, const std::string& peer,
                          const std::vector<std::string>& arguments);

}  // namespace devsim_test
