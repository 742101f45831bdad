#include "config/FirmwareStatusLines.h"

#include <algorithm>

void CFirmwareStatusLines::Reset(const std::vector<std::string>& ips) {
  devices_.clear();
  for (const std::string& ip : ips) devices_.push_back({ip});
}

CFirmwareStatusLines::Device* CFirmwareStatusLines::At(int device) {
  return device >= 0 && device < static_cast<int>(devices_.size()) ? &devices_[device] : nullptr;
}

void CFirmwareStatusLines::SetStarted(int device) {
  if (Device* d = At(device); d && d->state == State::Waiting) d->state = State::Running;
}

void CFirmwareStatusLines::SetPercent(int device, int percent) {
  if (Device* d = At(device)) d->percent = std::clamp(percent, 0, 100);
}

void CFirmwareStatusLines::SetEnded(int device, const std::string& line, bool failed) {
  if (Device* d = At(device)) {
    d->state = failed ? State::Failed : State::Succeeded;
    d->ended = line;
  }
}

std::string CFirmwareStatusLines::Text() const {
  const auto lineOf = [](const Device& d) {
    switch (d.state) {
      case State::Waiting:
        return "target IP: " + d.ip + " " + std::to_string(d.percent) + "%";
      case State::Running:
        return "target IP: " + d.ip + " firmware upgrade is processing. " + std::to_string(d.percent) + "%";
      default:
        return d.ended;
    }
  };
  std::string text;
  const auto add = [&](const Device& d) { text += (text.empty() ? "" : "\n") + lineOf(d); };
  for (const Device& d : devices_)
    if (d.state == State::Failed) add(d);
  for (const Device& d : devices_)
    if (d.state != State::Failed) add(d);
  return text;
}
