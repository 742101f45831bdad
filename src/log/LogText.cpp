#include "log/LogText.h"

#include "log/LogLevels.h"
#include "platform/Utf8Text.h"

namespace {

// Characters are counted as code points, so padding lines up for non-ASCII texts too.
std::string PadTo(std::string field, std::size_t width) {
  const std::size_t length = platform::CharacterCount(field);
  if (length < width) field.append(width - length, ' ');
  return field;
}

}  // namespace

std::string OneLine(const std::string& text) {
  std::string line;
  line.reserve(text.size());
  for (char c : text) {
    if (c == '\r')
      line += "\\r";
    else if (c == '\n')
      line += "\\n";
    else if (c == '\\')
      line += "\\\\";
    else
      line += c;
  }
  return line;
}

std::string CutLogText(const std::string& text, std::size_t maxCharacters) {
  return platform::FirstCharacters(text, maxCharacters);
}

std::string SavedLogHeader() { return "Type      Date And Time       Level          Description\r\n"; }

std::string SavedLogLine(int type, const std::string& dateTime, int level, const std::string& description) {
  return PadTo(type == 0 ? "action" : "system", 10) + PadTo(dateTime, 20) + PadTo(LogLevelFileName(level), 15) +
         OneLine(description) + "\r\n";
}
