#pragma once
// A small syslog client over process-wide state, in the manner of the classic openlog/syslog/closelog:
// each message goes as one UDP datagram "<pri>ident[pid]: message\n" to one server (port
// PELLION_SYSLOG_PORT, else the "syslog" service, else 514) and, with a local stamp, to a log file named
// after the program. The format is read by the client's own formatter (SyslogFormat.h); a text from
// elsewhere goes in as an argument: syslog(priority, "%s", text). Safe to call from any thread.
#include <cstdarg>
#include <optional>
#include <string>

namespace syslog_client {

// Option bits of openlog.
enum : int {
  kLogPid = 1,      // the process id in square brackets after the ident
  kLogConsole = 2,  // the message to standard output when it could not be written or sent
  kLogNDelay = 8,   // open the file and the socket at once
  kLogPError = 32,  // the message to standard output as well
};

// Priority: the level in the low three bits (0 most urgent), the facility in bits 3-9.
constexpr int kFacilityMask = 0x3F8;
constexpr int kLevelMask = 7;
constexpr std::size_t kMessageBufferSize = 2048;  // longer messages are cut, their newline kept

// Formats and sends one message; opens the outputs first when they are not open. 0 when every attempted
// output succeeded, -1 when writing the file or sending failed, else the failure of the opening.
int syslog(int priority, const char* format, ...);
int vsyslog(int priority, const char* format, va_list args);
// Keeps ident when not null (a copy), the options, and the facility when it is not 0 and has no bits
// outside kFacilityMask. With kLogNDelay opens the outputs: 0, or -1 when the log file could not be
// opened; without it 0.
int openlog(const char* ident, int options, int facility);
// Closes the file and the socket and forgets the log path, the host and the last error; the ident,
// options, facility and mask stay. Also runs at process exit.
void closelog();
// Keeps mask unless it is 0; the mask before.
int setlogmask(int mask);
// The server, a dotted address or a name; "0.0.0.0" sends nothing. The client's copy of host, or none
// when the name cannot be resolved (the copy is kept all the same).
std::optional<std::string> syslog_sethost(const char* host);
// The ident before.
std::optional<std::string> syslog_setident(const char* ident);
// The log file the next opening uses instead of the one named after the program (null or "" for that
// one again); kept across closelog. Lets processes of one program keep files of their own.
void syslog_setlogfile(const char* path);
std::string syslog_logfile();
std::string syslog_lasterror();

}  // namespace syslog_client
