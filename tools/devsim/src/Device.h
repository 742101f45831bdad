#pragma once
// The state of one simulated device: its objects, its settings and the timers of its behaviours.
#include <algorithm>
#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "DeviceConfig.h"
#include "Snmprec.h"

namespace devsim {

class Device {
 public:
  using Clock = std::chrono::steady_clock;
  enum class Access { None, Read, Write };

  Device(std::string address, ObjectMap objects, DeviceConfig config, Clock::time_point now);

  const std::string& Address() const { return address_; }
  DeviceConfig& Config() { return config_; }
  const DeviceConfig& Config() const { return config_; }
  ObjectMap& Objects() { return objects_; }

  // The write community is accepted for reads too; an empty community is never accepted.
  Access Authorise(const std::string& community) const;
  bool IsSilent(Clock::time_point now) const;

  // An object a v1 request can see (Counter64 cannot travel in SNMPv1, so it is invisible).
  const Value* Find(const Oid& name) const;
  // The first visible object after name in SNMP order.
  const ObjectMap::value_type* Next(const Oid& name) const;
  void EraseSubtree(const Oid& prefix);
  // Stores an object and its mirror, if it has one.
  void Put(const Oid& name, const Value& value);

  // Hundredths of a second since the start or the last restart, as sysUpTime counts (wraps at 2^32).
  long UptimeTicks(Clock::time_point now) const;
  // Brings time-driven state up to date before a request is served.
  void Tick(Clock::time_point now);
  // Starts again: silent for the restart time, uptime from zero.
  void Restart(Clock::time_point now);
  // The restart is over: answering again from now on.
  void EndRestart(Clock::time_point now) { silentUntil_ = std::min(silentUntil_, now); }
  // Replaces the rotating objects with the next frame.
  void NextFrame();
  void CloseFirmwareAt(Clock::time_point when) { firmwareCloseAt_ = when; }
  // A new write community that waits for the next commit.
  void SetPendingPassword(std::string community) { pendingPassword_ = std::move(community); }
  std::optional<std::string> TakePendingPassword() { return std::exchange(pendingPassword_, std::nullopt); }

  // Every binding of every SET the device received with its write community, as "OID|TAG|VALUE",
  // accepted or not: the last kept of them, so that a flood of SETs cannot take the memory; older ones are
  // counted as dropped. TakeReceivedSets hands them over and starts a new record.
  struct ReceivedSets {
    std::vector<std::string> lines;
    size_t dropped = 0;
  };
  static constexpr size_t kDefaultKeptSets = 1000;
  void KeepReceivedSets(size_t kept) { keptSets_ = kept; }
  void RecordSet(std::string line);
  ReceivedSets TakeReceivedSets();

  // The requests the device has answered since the start (benchmarks count the console's requests).
  void CountAnswer() { ++answered_; }
  long Answered() const { return answered_; }

 private:
  long answered_ = 0;
  std::deque<std::string> receivedSets_;
  size_t keptSets_ = kDefaultKeptSets;
  size_t droppedSets_ = 0;
  std::string address_;
  ObjectMap objects_;
  DeviceConfig config_;
  Clock::time_point startedAt_;
  Clock::time_point silentUntil_;
  Clock::time_point lastRotation_;
  std::optional<Clock::time_point> firmwareCloseAt_;
  std::optional<std::string> pendingPassword_;
  ObjectMap firstFrame_;  // the rotating objects as the data file had them, taken at the first change
  size_t frame_ = 0;
};

}  // namespace devsim
