#include "usage/ClientListFilters.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<const char*, const char*>, 3> kModes = {
    {{"1", "g-mode"}, {"2", "b-mode"}, {"3", "turbo-g-mode"}}};

}  // namespace

std::optional<std::string> QualifiedFilterColumn(const std::string& column) {
  for (const ClientFilterType& type : kClientFilterTypes) {
    if (column != type.column) continue;
    return std::string(column == "ip" ? "device_list_prev." : "client_connect_ap.") + column;
  }
  return std::nullopt;
}

std::string ModeText(const std::string& code) {
  for (const auto& [modeCode, text] : kModes)
    if (code == modeCode) return text;
  return {};
}

std::string ModeCode(const std::string& text) {
  for (const auto& [code, modeText] : kModes)
    if (text == modeText) return code;
  return {};
}
