#include "engine/SignalEvents.h"

void CHubEvent::Set() { hub_.Change({}, {this}); }

void CHubEvent::ResetEvent() { hub_.Change({this}, {}); }

bool CHubEvent::IsSet() const {
  std::lock_guard lock(hub_.mutex_);
  return signalled_;
}

int CSignalHub::WaitAny(const std::vector<CHubEvent*>& events) {
  std::unique_lock lock(mutex_);
  for (;;) {
    for (size_t i = 0; i < events.size(); ++i) {
      if (!events[i]->signalled_) continue;
      if (!events[i]->manual_) events[i]->signalled_ = false;
      return static_cast<int>(i);
    }
    changed_.wait(lock);
  }
}

void CSignalHub::Change(const std::vector<CHubEvent*>& toReset, const std::vector<CHubEvent*>& toSet) {
  {
    std::lock_guard lock(mutex_);
    for (CHubEvent* event : toReset) event->signalled_ = false;
    for (CHubEvent* event : toSet) event->signalled_ = true;
  }
  changed_.notify_all();
}
