#pragma once
// The System menu's "Clear All From Database": confirmed, then done once with polling locked and idle,
// and polling restarted at the end, so no pass writes into the tables while they are emptied.
#include <chrono>
#include <functional>

#include "mainmodel/PollingControl.h"

class CClearDatabaseSequence {
 public:
  // What the window does around the clear; each may be empty.
  struct Steps {
    std::function<bool()> confirm;              // "Clear database, are you sure?": true for OK
    std::function<bool()> clearDatabase;        // the tables emptied; false when it failed
    std::function<void()> selectEmptyLocation;  // the document forgets its location
    std::function<void()> clearOutputLists;     // both output-bar lists emptied
    std::function<void(bool)> refreshAllViews;  // with full reload
    std::function<void()> reloadGroups;         // the group view, when shown, reloads its tree
    std::function<void()> resetLayoutPlacement; // the topology layout starts placing from the first slot
  };

  // How long the clear waits for a pass in progress to end.
  static constexpr std::chrono::milliseconds kIdleWait{10000};

  CClearDatabaseSequence(IPollingControl* polling, Steps steps) : polling_(polling), steps_(std::move(steps)) {}

  // False when the user cancelled (nothing touched); true once the sequence ran.
  bool Run();

 private:
  IPollingControl* polling_;
  Steps steps_;
};
