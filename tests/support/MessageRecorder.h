#pragma once
// Test doubles for the platform's window messages and message boxes.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/Window.h"

namespace testing_support {

// A window that records what it receives. Registered on construction, unregistered on destruction.
class MessageRecorder {
 public:
  explicit MessageRecorder(bool asMainWindow = true);
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  platform::WindowId Id() const { return id_; }
  std::vector<platform::Message> Messages() const;
  std::vector<platform::Message> MessagesWithId(std::uint32_t id) const;
  // Calls observer with each message as it arrives, on the posting thread before the post returns, so a
  // test can see what the sender had done at that moment.
  void OnArrival(std::function<void(const platform::Message&)> observer);
  // Waits until at least count messages with the id arrived; false on time-out.
  bool WaitFor(std::uint32_t id, size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
  void Clear();

 private:
  struct Sink;
  std::shared_ptr<Sink> sink_;
  platform::WindowId id_;
  bool main_;
};

// Installs a message-box handler that records every box and answers from a script (IDOK when empty).
class MessageBoxRecorder {
 public:
  struct Box {
    std::string text;
    std::string caption;
    unsigned style;
  };

  MessageBoxRecorder();
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

  void ScriptAnswers(std::vector<int> answers);
  std::vector<Box> Boxes() const;
  std::vector<std::string> Texts() const;

 private:
  mutable std::mutex mutex_;
  std::vector<Box> boxes_;
  std::deque<int> answers_;
  platform::MessageBoxHandler previous_;
};

}  // namespace testing_support
