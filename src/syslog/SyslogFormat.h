#pragma once
// The syslog client's own formatter: printf-like, with a few conversions of its own and none that writes
// through an argument, so no text can make it write memory.
//   %d %u %o %x %X %p  numbers: '0' flag, width and precision (minimum digits); '%05d' of -42 is "00-42"
//   %s %c              a text ("(null)" for a null pointer), a character
//   %I                 an IPv4 address given as a 32-bit value in network order, as dotted text
//   %m %M              the text of the caller's errno
//   %S                 "None" for 0, else "Unknown <number>"
//   %t                 the local stamp "YYYY-MM-DD HH:MM:SS"
//   %q %v              a text escaped: C style (q), or cat -v style (v); '0' with a precision takes that
//                      many raw bytes
// Any other conversion character is written as it stands, after its '%' ("%%" gives "%", "%n" "%n").
#include <cstdarg>
#include <cstddef>

namespace syslog_client {

// At most size - 1 characters and always a NUL inside size; the number of characters written, or -1
// when size is below 1.
int syslog_vsnprintf(char* buffer, std::size_t size, const char* format, va_list args);
int syslog_snprintf(char* buffer, std::size_t size, const char* format, ...);

}  // namespace syslog_client
