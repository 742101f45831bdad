#pragma once
// The log browser's recent filter texts: sorted, each text once, at most ten; an eleventh distinct text
// pushes out the first in sorted order.
#include <string>
#include <vector>

class CFilterHistory {
 public:
  static constexpr std::size_t kMaxEntries = 10;

  // False when the text was there already (exact, case-sensitive).
  bool Add(const std::string& text);
  const std::vector<std::string>& Entries() const { return m_entries; }

 private:
  std::vector<std::string> m_entries;
};
