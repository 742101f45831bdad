#include "syslog/SyslogFormat.h"

#include <arpa/inet.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Clock.h"

namespace syslog_client {
namespace {

// Appends to a buffer of fixed size, dropping what does not fit before the NUL.
class Output {
 public:
  Output(char* buffer, std::size_t size) : buffer_(buffer), room_(size - 1) {}
  void Put(char c) {
    if (length_ < room_) buffer_[length_++] = c;
  }
  void Put(const char* text, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) Put(text[i]);
  }
  void Repeat(char c, int count) {
    for (int i = 0; i < count; ++i) Put(c);
  }
  int Finish() {
    buffer_[length_] = '\0';
    return static_cast<int>(length_);
  }

 private:
  char* buffer_;
  std::size_t room_;
  std::size_t length_ = 0;
};

struct Conversion {
  bool zero = false;
  int width = 0;
  int precision = -1;
  char pad() const { return zero ? '0' : ' '; }
};

// Digits of value in base, at least precision of them (at least one).
std::string Digits(unsigned long long value, unsigned base, bool upper, int precision) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), digits[value % base]);
    value /= base;
  } while (value);
  if (precision > static_cast<int>(text.size())) text.insert(0, precision - text.size(), '0');
  return text;
}

// The width pads on the left, before any sign or prefix.
void PutNumber(Output& out, const Conversion& conversion, const std::string& prefix, const std::string& digits) {
  out.Repeat(conversion.pad(), conversion.width - static_cast<int>(prefix.size() + digits.size()));
  out.Put(prefix.data(), prefix.size());
  out.Put(digits.data(), digits.size());
}

void PutText(Output& out, const Conversion& conversion, const char* text) {
  if (!text) text = "(null)";
  std::size_t length = std::strlen(text);
  if (conversion.precision >= 0 && length > static_cast<std::size_t>(conversion.precision))
    length = conversion.precision;
  out.Repeat(conversion.pad(), conversion.width - static_cast<int>(length));
  out.Put(text, length);
}

bool IsControl(unsigned char c) { return c < 32 || (c >= 127 && c < 160); }

void PutEscaped(Output& out, const Conversion& conversion, const char* text, bool quoted) {
  if (!text) text = "(null)";
  std::size_t length;
  if (conversion.zero && conversion.precision >= 0) {
    length = conversion.precision;  // raw bytes, NULs included
  } else {
    length = std::strlen(text);
    if (conversion.precision >= 0 && length > static_cast<std::size_t>(conversion.precision))
      length = conversion.precision;
  }
  for (std::size_t i = 0; i < length; ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (!quoted && c >= 128) {
      out.Put("M-", 2);
      c -= 128;
    }
    if (quoted && (c == '"' || c == '\\')) {
      out.Put('\\');
      out.Put(static_cast<char>(c));
    } else if (IsControl(c) && quoted) {
      const char* named = c == 8 ? "b" : c == 9 ? "t" : c == 10 ? "n" : c == 12 ? "f" : nullptr;
      out.Put('\\');
      if (named) {
        out.Put(*named);
      } else {
        char hex[4];
        std::snprintf(hex, sizeof hex, "x%02x", c);
        out.Put(hex, 3);
      }
    } else if (IsControl(c) && c != '\t') {
      out.Put('^');
      out.Put(static_cast<char>(c ^ 64));
    } else {
      out.Put(static_cast<char>(c));
    }
  }
}

std::string ErrorText(int code) {
  std::string text = std::strerror(code);
  for (char cut : {'\n', '\r'})
    if (const auto at = text.rfind(cut); at != std::string::npos) text.erase(at, 1);
  return text;
}

// A width or precision: decimal digits or '*' for an int argument.
int ReadCount(const char*& format, va_list& args) {
  if (*format == '*') {
    ++format;
    return va_arg(args, int);
  }
  int count = 0;
  while (*format >= '0' && *format <= '9') count = count * 10 + (*format++ - '0');
  return count;
}

}  // namespace

int syslog_vsnprintf(char* buffer, std::size_t size, const char* format, va_list args) {
  if (size < 1) return -1;
  const int callerErrno = errno;
  Output out(buffer, size);
  va_list rest;
  va_copy(rest, args);
  for (const char* p = format; *p; ++p) {
    if (*p != '%') {
      out.Put(*p);
      continue;
    }
    ++p;
    Conversion conversion;
    if (*p == '0') {
      conversion.zero = true;
      ++p;
    }
    conversion.width = ReadCount(p, rest);
    if (*p == '.') {
      ++p;
      conversion.precision = ReadCount(p, rest);
    }
    switch (*p) {
      case 'd': {
        const long long value = va_arg(rest, int);
        const unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value) : value;
        PutNumber(out, conversion, value < 0 ? "-" : "", Digits(magnitude, 10, false, conversion.precision));
        break;
      }
      case 'u':
        PutNumber(out, conversion, "", Digits(va_arg(rest, unsigned), 10, false, conversion.precision));
        break;
      case 'o':
        PutNumber(out, conversion, "", Digits(va_arg(rest, unsigned), 8, false, conversion.precision));
        break;
      case 'x':
      case 'X':
        PutNumber(out, conversion, "", Digits(va_arg(rest, unsigned), 16, *p == 'X', conversion.precision));
        break;
      case 'p':
        PutNumber(out, conversion, "0x",
                  Digits(reinterpret_cast<std::uintptr_t>(va_arg(rest, void*)), 16, true, conversion.precision));
        break;
      case 's':
        PutText(out, conversion, va_arg(rest, const char*));
        break;
      case 'c':
        out.Repeat(conversion.pad(), conversion.width - 1);
        out.Put(static_cast<char>(va_arg(rest, int)));
        break;
      case 'I': {
        in_addr address{};
        address.s_addr = va_arg(rest, std::uint32_t);
        char dotted[INET_ADDRSTRLEN];
        PutText(out, conversion, inet_ntop(AF_INET, &address, dotted, sizeof dotted));
        break;
      }
      case 'm':
      case 'M':
        PutText(out, conversion, ErrorText(callerErrno).c_str());
        break;
      case 'S': {
        const int code = va_arg(rest, int);
        PutText(out, conversion, code == 0 ? "None" : ("Unknown " + std::to_string(code)).c_str());
        break;
      }
      case 't':
        PutText(out, conversion, platform::FormatLocalTime(platform::Now(), "%Y-%m-%d %H:%M:%S").c_str());
        break;
      case 'q':
      case 'v':
        PutEscaped(out, conversion, va_arg(rest, const char*), *p == 'q');
        break;
      default:
        // Not a conversion: the '%' stands, and so does the character after it.
        out.Put('%');
        if (*p == '\0') {
          --p;  // a '%' (with its flags) ends the format
          break;
        }
        if (*p != '%') out.Put(*p);
        break;
    }
  }
  va_end(rest);
  return out.Finish();
}

int syslog_snprintf(char* buffer, std::size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int written = syslog_vsnprintf(buffer, size, format, args);
  va_end(args);
  return written;
}

}  // namespace syslog_client
