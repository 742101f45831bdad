#pragma once
// Judging what answers at an address, and building the device object of that kind.
#include <memory>
#include <string>

#include "device/Device.h"

// The kind code (0 unknown, 1 switch, 2 AP); -1 when nothing answers (also an address without a route);
// -100 when stopping. root receives the sysObjectID, the fixed AP root for an AP, or "" when the kind
// tests leave the device unknown.
int JudgeDeviceType(const std::string& ip, const std::string& community, std::string& root);

// A new, identified device of the judged kind with ip, community and root set; none when nothing answers
// or when stopping.
std::unique_ptr<CDevice> CreateDevice(const std::string& ip, const std::string& community);
