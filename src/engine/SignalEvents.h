#pragma once
// Events that one thread can wait for several of at once: every event of a CSignalHub shares its lock
// and wake-up, so a wait can watch any list of them and several changes can be made as one step.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

class CSignalHub;

class CHubEvent {
 public:
  enum class Reset { Automatic, Manual };
  CHubEvent(CSignalHub& hub, Reset reset) : hub_(hub), manual_(reset == Reset::Manual) {}
  CHubEvent(const CHubEvent&) = delete;
  CHubEvent& operator=(const CHubEvent&) = delete;

  void Set();
  void ResetEvent();
  bool IsSet() const;

 private:
  friend class CSignalHub;
  CSignalHub& hub_;
  bool manual_;
  bool signalled_ = false;
};

class CSignalHub {
 public:
  // Blocks until one of the events is set and returns its position in the list (the first one set when
  // several are); an automatic event is reset by being the one returned.
  int WaitAny(const std::vector<CHubEvent*>& events);
  // Sets and resets events as one step, so no waiter sees a state in between.
  void Change(const std::vector<CHubEvent*>& toReset, const std::vector<CHubEvent*>& toSet);

 private:
  friend class CHubEvent;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
};
