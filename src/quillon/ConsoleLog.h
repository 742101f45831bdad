#pragma once
// The console's own log, syslog.log in its cfg folder: failed firmware transfers and the console's other
// notes (such as a keep-alive that cannot run), appended with a time stamp, CR LF line ends, never truncated.
#include <filesystem>
#include <string>

namespace quillon {

class CConsoleLog {
 public:
  explicit CConsoleLog(std::filesystem::path cfgDir);

  // Appends the bytes at the end of the file, creating it when missing. 0, or -1 after "syslog.log not exit"
  // when it cannot be opened.
  int AppendConsoleLog(const std::string& bytes) const;
  // "MM/DD/YYYY hh:mm:ss" of the clock's current local time.
  static std::string FormatLogTime();
  // "<time> <text> \r\n": a note of the console about itself.
  int LogNote(const std::string& text) const;
  // "<time> <address> <text> \r\n" for a transfer that failed.
  int LogUpgradeFailure(const std::string& address, const std::string& text) const;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace quillon
