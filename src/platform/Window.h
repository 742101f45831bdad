#pragma once
// Window ids and message delivery. A window is an opaque id; whoever registers the id decides how a
// message reaches it (the GUI delivers on its UI thread, a test records). Texts travel as owned copies.
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

using WindowId = std::uint64_t;
constexpr WindowId kNoWindow = 0;

struct Message {
  std::uint32_t id = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
  std::string text;  // owned payload; empty when the message carries no text
};

class MessageReceiver {
 public:
  virtual ~MessageReceiver() = default;
  // Called on the posting thread; the receiver queues the message for its own thread.
  virtual void Post(Message message) = 0;
  // Called on the sending thread; returns when the message has been handled.
  virtual std::intptr_t Send(const Message& message) = 0;
};

WindowId RegisterWindow(std::shared_ptr<MessageReceiver> receiver);
void UnregisterWindow(WindowId window);

// False when no receiver is registered for the id (the message is dropped, as for a destroyed window).
bool PostMessage(WindowId window, std::uint32_t id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0,
                 std::string text = {});
std::intptr_t SendMessage(WindowId window, std::uint32_t id, std::uintptr_t wParam = 0,
                          std::intptr_t lParam = 0, std::string text = {});

// The application's main window, looked up at every call from any thread.
void SetMainWindow(WindowId window);
WindowId GetMainWindow();

}  // namespace platform
