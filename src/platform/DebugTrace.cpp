#include "platform/DebugTrace.h"

#include <cstdio>

#include "platform/Environment.h"

namespace platform {
namespace {

constexpr size_t kTraceBufferSize = 1024;

// Appends up to the buffer's limit, keeping room for the terminator the original buffer needed.
void Append(std::string& out, const char* text, size_t length) {
  size_t room = kTraceBufferSize - 1 - out.size();
  out.append(text, length < room ? length : room);
}

template <typename T>
void AppendFormatted(std::string& out, const char* conversion, T value) {
  char number[64];
  int length = std::snprintf(number, sizeof number, conversion, value);
  if (length > 0) Append(out, number, static_cast<size_t>(length) < sizeof number ? length : sizeof number - 1);
}

}  // namespace

std::string FormatTrace(const char* format, va_list args) {
  std::string out;
  if (!format) return out;
  bool pending = false;
  for (const char* p = format; *p && out.size() < kTraceBufferSize - 1; ++p) {
    char c = *p;
    if (!pending) {
      if (c == '%')
        pending = true;
      else
        Append(out, p, 1);
      continue;
    }
    pending = false;
    switch (c) {
      case 's':
      case 'S': {
        const char* text = va_arg(args, const char*);
        if (text) Append(out, text, std::char_traits<char>::length(text));
        break;
      }
      case 'd': AppendFormatted(out, "%d", va_arg(args, int)); break;
      case 'u': AppendFormatted(out, "%u", va_arg(args, unsigned)); break;
      case 'x': AppendFormatted(out, "%x", va_arg(args, unsigned)); break;
      case 'X': AppendFormatted(out, "%X", va_arg(args, unsigned)); break;
      case 'f': AppendFormatted(out, "%f", va_arg(args, double)); break;
      default: Append(out, p, 1); break;  // "%%" gives '%', anything else drops the '%'
    }
  }
  return out;
}

std::string TraceLine(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  std::string line;
  line.reserve(text.size() + 1);
  for (char c : text) {
    if (c == '\n')
      line += "\\n";
    else if (c == '\r')
      line += "\\r";
    else
      line += c;
  }
  line += '\n';
  return line;
}

}  // namespace platform

void DebugTrace(const char* format, ...) {
  if (!platform::GetOverrides().trace) return;
  va_list args;
  va_start(args, format);
  std::string line = platform::TraceLine(platform::FormatTrace(format, args));
  va_end(args);
  // One write per line, so lines of threads tracing at once do not run into each other.
  std::fputs(line.c_str(), stderr);
}
