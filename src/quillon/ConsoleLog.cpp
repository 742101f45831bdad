#include "quillon/ConsoleLog.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>

#include "platform/Clock.h"
#include "platform/MessageBox.h"

namespace quillon {

CConsoleLog::CConsoleLog(std::filesystem::path cfgDir) : path_(std::move(cfgDir) / "syslog.log") {}

int CConsoleLog::AppendConsoleLog(const std::string& bytes) const {
  const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  // One writer at a time, as the file is opened unshared: a second writer is refused, not interleaved.
  if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (fd >= 0) ::close(fd);
    platform::MessageBox("syslog.log not exit", "Error", platform::MB_ICONERROR);
    return -1;
  }
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return written == bytes.size() ? 0 : -1;
}

std::string CConsoleLog::FormatLogTime() {
  const std::tm t = platform::LocalTime(platform::Now());
  char text[36];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900,
                t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

int CConsoleLog::LogNote(const std::string& text) const {
  return AppendConsoleLog(FormatLogTime() + " " + text + " \r\n");
}

int CConsoleLog::LogUpgradeFailure(const std::string& address, const std::string& text) const {
  if (AppendConsoleLog(FormatLogTime() + " ") != 0) return -1;
  return AppendConsoleLog(address + " " + text + " \r\n");
}

}  // namespace quillon
