#pragma once
// Runs a callback on the UI thread whenever a socket has a datagram waiting, through the toolkit's own
// event loop (every loop, nested modal ones too).
#include <functional>

class wxEventLoopSource;

namespace quillon::ui {

class CSocketWatch {
 public:
  CSocketWatch(int fd, std::function<void()> onReadable);
  ~CSocketWatch();
  CSocketWatch(const CSocketWatch&) = delete;
  CSocketWatch& operator=(const CSocketWatch&) = delete;

 private:
  class Handler;
  // A callback may end its own watch: the handler then outlives it until the callback has returned.
  Handler* handler_;
  wxEventLoopSource* source_ = nullptr;
};

}  // namespace quillon::ui
