#include "Device.h"

#include <iterator>

namespace devsim {

Device::Device(std::string address, ObjectMap objects, DeviceConfig config, Clock::time_point now)
    : address_(std::move(address)),
      objects_(std::move(objects)),
      config_(std::move(config)),
      startedAt_(now),
      silentUntil_(now),
      lastRotation_(now) {}

Device::Access Device::Authorise(const std::string& community) const {
  if (community.empty()) return Access::None;
  if (community == config_.writeCommunity) return Access::Write;
  if (community == config_.readCommunity) return Access::Read;
  return Access::None;
}

void Device::RecordSet(std::string line) {
  receivedSets_.push_back(std::move(line));
  for (; receivedSets_.size() > keptSets_; ++droppedSets_) receivedSets_.pop_front();
}

Device::ReceivedSets Device::TakeReceivedSets() {
  ReceivedSets taken{{std::make_move_iterator(receivedSets_.begin()), std::make_move_iterator(receivedSets_.end())},
                     std::exchange(droppedSets_, 0)};
  receivedSets_.clear();
  return taken;
}

bool Device::IsSilent(Clock::time_point now) const { return config_.silent || now < silentUntil_; }

const Value* Device::Find(const Oid& name) const {
  auto found = objects_.find(name);
  if (found == objects_.end() || found->second.type == ASN_COUNTER64) return nullptr;
  return &found->second;
}

const ObjectMap::value_type* Device::Next(const Oid& name) const {
  for (auto next = objects_.upper_bound(name); next != objects_.end(); ++next)
    if (next->second.type != ASN_COUNTER64) return &*next;
  return nullptr;
}

void Device::EraseSubtree(const Oid& prefix) {
  auto first = objects_.lower_bound(prefix);
  auto last = first;
  while (last != objects_.end() && OidStartsWith(last->first, prefix)) ++last;
  objects_.erase(first, last);
}

void Device::Put(const Oid& name, const Value& value) {
  objects_[name] = value;
  for (const auto& [one, other] : config_.mirrors) {
    if (one == name) objects_[other] = value;
    if (other == name) objects_[one] = value;
  }
}

long Device::UptimeTicks(Clock::time_point now) const {
  const auto ticks = std::chrono::duration_cast<std::chrono::milliseconds>(now - startedAt_).count() / 10;
  return static_cast<long>(ticks & 0xFFFFFFFF);
}

void Device::Tick(Clock::time_point now) {
  if (config_.uptime) objects_[*config_.uptime] = Value::Integer(UptimeTicks(now), ASN_TIMETICKS);
  if (firmwareCloseAt_ && now >= *firmwareCloseAt_ && config_.firmwareOpen) {
    objects_[*config_.firmwareOpen] = Value::Integer(0);
    firmwareCloseAt_.reset();
  }
  if (config_.rotatePeriod.count() > 0 && !config_.rotateFrames.empty()) {
    const auto steps = (now - lastRotation_) / config_.rotatePeriod;
    for (auto step = steps % static_cast<long>(config_.rotateFrames.size() + 1); step > 0; --step) NextFrame();
    lastRotation_ += steps * config_.rotatePeriod;
  }
}

void Device::Restart(Clock::time_point now) {
  silentUntil_ = now + config_.restartSilence;
  startedAt_ = now;
}

void Device::NextFrame() {
  if (config_.rotateFrames.empty()) return;
  if (frame_ == 0 && firstFrame_.empty()) {
    for (const auto& scope : config_.rotateScopes)
      for (auto it = objects_.lower_bound(scope); it != objects_.end() && OidStartsWith(it->first, scope); ++it)
        firstFrame_.insert(*it);
  }
  frame_ = (frame_ + 1) % (config_.rotateFrames.size() + 1);
  for (const auto& scope : config_.rotateScopes) EraseSubtree(scope);
  const ObjectMap& frame = frame_ == 0 ? firstFrame_ : config_.rotateFrames[frame_ - 1];
  for (const auto& [name, value] : frame) objects_.insert_or_assign(name, value);
}

}  // namespace devsim
