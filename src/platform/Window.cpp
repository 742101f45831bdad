#include "platform/Window.h"

#include <atomic>
#include <map>
#include <mutex>

namespace platform {
namespace {

struct WindowTable {
  std::mutex mutex;
  std::map<WindowId, std::shared_ptr<MessageReceiver>> receivers;
  WindowId next = 1;
};

WindowTable& Table() {
  static WindowTable table;
  return table;
}

std::shared_ptr<MessageReceiver> Find(WindowId window) {
  WindowTable& table = Table();
  std::lock_guard lock(table.mutex);
  auto it = table.receivers.find(window);
  return it == table.receivers.end() ? nullptr : it->second;
}

std::atomic<WindowId> g_mainWindow{kNoWindow};

}  // namespace

WindowId RegisterWindow(std::shared_ptr<MessageReceiver> receiver) {
  WindowTable& table = Table();
  std::lock_guard lock(table.mutex);
  WindowId id = table.next++;
  table.receivers[id] = std::move(receiver);
  return id;
}

void UnregisterWindow(WindowId window) {
  std::shared_ptr<MessageReceiver> last;  // released outside the lock
  WindowTable& table = Table();
  std::lock_guard lock(table.mutex);
  auto it = table.receivers.find(window);
  if (it != table.receivers.end()) {
    last = std::move(it->second);
    table.receivers.erase(it);
  }
  WindowId expected = window;
  g_mainWindow.compare_exchange_strong(expected, kNoWindow);
}

bool PostMessage(WindowId window, std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam, std::string text) {
  auto receiver = Find(window);
  if (!receiver) return false;
  receiver->Post(Message{id, wParam, lParam, std::move(text)});
  return true;
}

std::intptr_t SendMessage(WindowId window, std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam,
                          std::string text) {
  auto receiver = Find(window);
  if (!receiver) return 0;
  return receiver->Send(Message{id, wParam, lParam, std::move(text)});
}

void SetMainWindow(WindowId window) { g_mainWindow = window; }
WindowId GetMainWindow() { return g_mainWindow; }

}  // namespace platform
