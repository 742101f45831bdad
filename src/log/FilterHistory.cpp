#include "log/FilterHistory.h"

#include <algorithm>

bool CFilterHistory::Add(const std::string& text) {
  if (std::find(m_entries.begin(), m_entries.end(), text) != m_entries.end()) return false;
  if (m_entries.size() >= kMaxEntries) m_entries.erase(m_entries.begin());
  m_entries.insert(std::lower_bound(m_entries.begin(), m_entries.end(), text), text);
  return true;
}
