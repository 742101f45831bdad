#include "Oid.h"

#include <algorithm>
#include <charconv>

namespace devsim {

std::optional<Oid> ParseOid(std::string_view text) {
  if (!text.empty() && text.front() == '.') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  Oid result;
  while (true) {
    unsigned long part = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), part);
    if (ec != std::errc() || end == text.data() || part > 0xFFFFFFFFul) return std::nullopt;
    result.push_back(part);
    text.remove_prefix(end - text.data());
    if (text.empty()) break;
    if (text.front() != '.' || text.size() == 1) return std::nullopt;
    text.remove_prefix(1);
  }
  if (result.size() > MAX_OID_LEN) return std::nullopt;
  return result;
}

std::string FormatOid(const Oid& value) {
  std::string text;
  for (oid part : value) {
    if (!text.empty()) text += '.';
    text += std::to_string(part);
  }
  return text;
}

bool OidStartsWith(const Oid& value, const Oid& prefix) {
  return value.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), value.begin());
}

}  // namespace devsim
