#include "groupmodel/TextFormat.h"

std::string FormatText(const std::string& format, std::initializer_list<std::string> texts) {
  std::string out;
  auto next = texts.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's' && next != texts.end()) {
      out += *next++;
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}
