#pragma once
// A message-box handler standing in for a box that waits for the UI thread: before it answers, another
// thread (the UI thread) needs both pool locks for a statement. It records each box and whether that
// thread got the locks while the box was up. The other threads are joined when the probe goes, after
// the operation under test has returned.
#include <chrono>
#include <future>
#include <mutex>
#include <string>
#include <vector>

#include "db/db_maintain.h"
#include "platform/MessageBox.h"

class BoxLockProbe {
 public:
  struct Box {
    std::string text;
    bool locksWereFree;
  };

  BoxLockProbe()
      : previous_(platform::SetMessageBoxHandler([this](const std::string& text, const std::string&, unsigned) {
          // MAX takes both locks together; it comes back at once unless this box's thread holds them.
          auto other = std::async(std::launch::async, [] { GetDBMaintain()->GetFieldMaxValue("sqlite_master", "rootpage"); });
          const bool free = other.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
          std::lock_guard lock(mutex_);
          boxes_.push_back({text, free});
          others_.push_back(std::move(other));
          return static_cast<int>(platform::IDOK);
        })) {}
  ~BoxLockProbe() {
    platform::SetMessageBoxHandler(previous_);
    for (auto& other : others_) other.wait();
  }
  BoxLockProbe(const BoxLockProbe&) = delete;
  BoxLockProbe& operator=(const BoxLockProbe&) = delete;

  std::vector<Box> Boxes() const {
    std::lock_guard lock(mutex_);
    return boxes_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<Box> boxes_;
  std::vector<std::future<void>> others_;
  platform::MessageBoxHandler previous_;
};
