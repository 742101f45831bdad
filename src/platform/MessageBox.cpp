#include "platform/MessageBox.h"

#include <cstdio>
#include <mutex>

namespace platform {
namespace {

std::mutex g_handlerMutex;
MessageBoxHandler g_handler;

// Without a window system the text still reaches the user, and the default button answers.
int DefaultAnswer(const std::string& text, const std::string& caption, unsigned style) {
  std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
  switch (style & 0xF) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
      return IDYES;
    default:
      return IDOK;
  }
}

}  // namespace

int MessageBox(const std::string& text, const std::string& caption, unsigned style) {
  MessageBoxHandler handler;
  {
    std::lock_guard lock(g_handlerMutex);
    handler = g_handler;
  }
  return handler ? handler(text, caption, style) : DefaultAnswer(text, caption, style);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  std::lock_guard lock(g_handlerMutex);
  std::swap(g_handler, handler);
  return handler;
}

}  // namespace platform
