// The segment scan of the polling engine: every address of the Discovery Wizard's segments is asked
// whether it is a switch the console does not know yet.
#include <string>

#include "device/DeviceFactory.h"
#include "engine/NetworkEngine.h"
#include "engine/SegmentWalk.h"
#include "net/AddressText.h"
#include "platform/DebugTrace.h"
#include "platform/MessageIds.h"

void CNetworkEngine::CountSegmentAddresses(const std::vector<CManagementSegment>& segments) {
  addressCount_ = 0;
  for (const CManagementSegment& segment : segments) {
    CSegmentWalk walk(segment);
    CIPv4Address address;
    while (walk.Next(address)) ++addressCount_;
  }
}

int CNetworkEngine::ScanSegments(const std::vector<CManagementSegment>& segments) {
  int found = 0;
  if (IsStopping()) return kDiscoveryStopped;
  CountSegmentAddresses(segments);
  for (const CManagementSegment& segment : segments) {
    if (IsStopping()) return kDiscoveryStopped;
    CSegmentWalk walk(segment);
    CIPv4Address address;
    while (walk.Next(address)) {
      if (IsStopping()) return kDiscoveryStopped;
      const std::string ip = address.ToString();
      PostScanIp(ip);
      const int probed = ProbeSwitchAtIp(ip);
      if (probed == kDiscoveryStopped) return kDiscoveryStopped;
      if (probed > 0) found += probed;
    }
  }
  SaveConnections();
  return found;
}

int CNetworkEngine::ProbeSwitchAtIp(const std::string& ip) {
  const std::string community = DefaultWriteCommunity();
  if (IsSnmpAgentAlive(ip, community) != 1) {
    DebugTrace("step 1 !!");
    PostScanStep();
    return -1;
  }
  if (IsStopping()) return kDiscoveryStopped;
  std::unique_ptr<CDevice> device = CreateDevice(ip, community);
  if (!device) {
    DebugTrace("step 2 !!");
    PostScanStep();
    return -1;
  }
  std::string mac;
  if (device->type != kDeviceSwitch || device->GetMAC(mac) < 0 || !IsDeviceMac(mac)) {
    DebugTrace("step 3 !!");
    PostScanStep();
    return -1;
  }
  if (IsStopping()) return kDiscoveryStopped;
  device->mac = mac;
  if (FindDeviceByMac(mac)) {
    DebugTrace("step 4 !!");
    PostScanStep();
    return -1;
  }
  DebugTrace("scan ip: found a new switch");
  device->isNew = 1;
  CDevice* added = AddDevice(std::move(device));
  eventLog_.LogNewDevice(*added);
  newDevices_.push_back(added);
  PostScanStep();
  return 1;
}

void CNetworkEngine::PostScanStep() {
  Post(msg::WM_NMS_SCAN_STEP, static_cast<std::uintptr_t>(addressCount_), 1);
}

void CNetworkEngine::PostScanIp(const std::string& ip) {
  const CIPv4Address address(ip);
  Post(msg::WM_NMS_SCAN_IP, static_cast<std::uintptr_t>(address.a * 1000 + address.b), address.c * 1000 + address.d);
}
