#include "syslog/Printk.h"

#include <cstdarg>
#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

#include "syslog/SyslogFormat.h"

namespace syslog_client {
namespace {

struct PrintBuffer {
  std::vector<char> text;  // empty until printk_init succeeded
  std::size_t used = 0;
  FILE* stream = nullptr;
  bool exitHandlerSet = false;
};

// Never destroyed: printk_exit runs at exit.
std::mutex& Mutex() {
  static auto* mutex = new std::mutex;
  return *mutex;
}
PrintBuffer& B() {
  static auto* buffer = new PrintBuffer;
  return *buffer;
}

void Flush(PrintBuffer& b) {
  if (b.stream && b.used > 0) {
    std::fwrite(b.text.data(), 1, b.used, b.stream);
    std::fflush(b.stream);
  }
  b.used = 0;
}

}  // namespace

int printk_init(std::size_t size, FILE* stream) {
  std::lock_guard lock(Mutex());
  PrintBuffer& b = B();
  try {
    b.text.assign(size, '\0');
  } catch (const std::bad_alloc&) {
    b.text.clear();
    std::fputs("printk_init: allocation failed\n", stderr);
    return 0;
  }
  b.used = 0;
  b.stream = stream ? stream : stderr;
  if (!b.exitHandlerSet) {
    b.exitHandlerSet = true;
    std::atexit(printk_exit);
  }
  return 1;
}

void printk(const char* format, ...) {
  std::lock_guard lock(Mutex());
  PrintBuffer& b = B();
  if (b.text.empty()) return;
  va_list args;
  va_start(args, format);
  const int written = syslog_vsnprintf(b.text.data() + b.used, b.text.size() - b.used, format, args);
  va_end(args);
  if (written > 0) b.used += written;
  Flush(b);
}

void printk_exit() {
  std::lock_guard lock(Mutex());
  PrintBuffer& b = B();
  Flush(b);
  if (b.stream && b.stream != stdout && b.stream != stderr) std::fclose(b.stream);
  b.stream = nullptr;
}

}  // namespace syslog_client
