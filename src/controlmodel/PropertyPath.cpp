#include "controlmodel/PropertyPath.h"

namespace {

constexpr char kSeparator[] = "::";

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

std::string TakeFirstPathItem(std::string& rest) {
  size_t at = rest.find(kSeparator);
  while (at != std::string::npos && at > 0) {
    size_t backslashes = 0;
    while (backslashes < at && rest[at - 1 - backslashes] == '\\') ++backslashes;
    if (backslashes % 2 == 0) break;
    at = rest.find(kSeparator, at + 1);
  }
  if (at == std::string::npos) {
    std::string item = std::move(rest);
    rest.clear();
    return item;
  }
  std::string item = rest.substr(0, at);
  ReplaceAll(item, "\\::", "::");
  ReplaceAll(item, "\\\\", "\\");
  rest.erase(0, at + 2);
  return item;
}

std::string FormatNoPageMessage(const std::string& format, const std::string& nodeText) {
  std::string text;
  bool filled = false;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      if (format[i + 1] == '%') {
        text += '%';
        ++i;
        continue;
      }
      if (format[i + 1] == 's' && !filled) {
        text += nodeText;
        filled = true;
        ++i;
        continue;
      }
    }
    text += format[i];
  }
  return text;
}
