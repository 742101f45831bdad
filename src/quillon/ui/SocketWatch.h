#pragma once
// Runs a callback on the UI thread whenever a socket has a datagram waiting, through the toolkit's own
// event loop (every loop, nested modal ones too).
#include <functional>
#include <memory>

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
  // The handler outlives the watch until the loop is back in its own hands, so that a callback may end
  // its own watch.
  std::shared_ptr<Handler> handler_;
  wxEventLoopSource* source_ = nullptr;
};

}  // namespace quillon::ui
