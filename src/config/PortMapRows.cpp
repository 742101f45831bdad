#include "config/PortMapRows.h"

std::vector<PortMapRow> BuildPortMapRows(const std::string& switchMac, const std::vector<CConnectionRecord>& links,
                                         const std::function<std::string(const std::string& mac)>& ipOfMac) {
  std::vector<PortMapRow> rows;
  for (const CConnectionRecord& link : links) {
    const bool fromSwitch = link.srcMac == switchMac;
    const std::string& peer = fromSwitch ? link.destMac : link.srcMac;
    rows.push_back({std::to_string(fromSwitch ? link.srcPort : link.destPort), ipOfMac(peer),
                    std::to_string(fromSwitch ? link.destPort : link.srcPort)});
  }
  return rows;
}
