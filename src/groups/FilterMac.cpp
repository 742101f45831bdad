#include "groups/FilterMac.h"

#include <algorithm>
#include <cctype>

namespace groups {

std::string FilterMac(const std::string& mac) {
  std::string text;
  for (char c : mac)
    if (c != ':' && c != ' ') text += c;
  return text;
}

bool SameFilterMac(const std::string& a, const std::string& b) {
  const std::string left = FilterMac(a), right = FilterMac(b);
  return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
  });
}

}  // namespace groups
