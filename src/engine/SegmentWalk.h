#pragma once
// The addresses the segment scan probes in one Discovery Wizard segment, in order. Without a to-IP the
// segment is its from-IP alone, or, for a classful broadcast address, the hosts of that network. The walk
// goes from the first address up to and including the last, and leaves out multicast addresses and
// classful network and broadcast addresses. An end before the start, or a bound with a part outside
// 0..255, gives no address.
#include "db/DiscoveryDb.h"
#include "net/IPv4Address.h"

class CSegmentWalk {
 public:
  explicit CSegmentWalk(const CManagementSegment& segment);

  // The next address to probe; false once the walk is past its end.
  bool Next(CIPv4Address& address);

 private:
  static bool IsSkipped(const CIPv4Address& address);
  static bool IsDottedQuad(const CIPv4Address& address);

  CIPv4Address current_;
  CIPv4Address end_;
  bool done_ = false;
};
