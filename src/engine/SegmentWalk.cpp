#include "engine/SegmentWalk.h"

namespace {
constexpr int kMulticastClass = 4;
constexpr int kAddressTextLength = 16;
}  // namespace

CSegmentWalk::CSegmentWalk(const CManagementSegment& segment) {
  current_.Parse(segment.from_ip.c_str());
  if (segment.to_ip.empty()) {
    end_ = current_;
    char firstHost[kAddressTextLength];
    if (current_.IsClassfulBroadcast(firstHost, sizeof firstHost) != 0) current_.Parse(firstHost);
  } else {
    end_.Parse(segment.to_ip.c_str());
  }
  done_ = end_.IsLess(current_);
}

bool CSegmentWalk::IsSkipped(const CIPv4Address& address) {
  return address.GetClass() == kMulticastClass || address.IsClassfulNetwork() != 0 ||
         address.IsClassfulBroadcast() != 0;
}

bool CSegmentWalk::Next(CIPv4Address& address) {
  while (!done_) {
    const CIPv4Address candidate = current_;
    // Equality ends the walk before the increment, so an end of 255.255.255.255 does not wrap around.
    if (candidate.Equals(end_))
      done_ = true;
    else
      current_.Increment();
    if (!IsSkipped(candidate)) {
      address = candidate;
      return true;
    }
  }
  return false;
}
