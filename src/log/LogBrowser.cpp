#include "log/LogBrowser.h"

#include "log/LogDBModule.h"

void CLogBrowser::SetFilter(int filterType, std::string text) {
  m_nFilterType = filterType == FILTER_DESCRIPTION ? FILTER_DESCRIPTION : FILTER_DATETIME;
  m_strFilter = std::move(text);
}

std::string CLogBrowser::LevelClause(int bits) {
  bits &= 15;
  if (bits == 15) return {};
  if (bits == 0) return " AND level=5 ";
  std::string terms;
  int count = 0;
  for (int level = 1; level <= 4; ++level) {
    if (!(bits & (1 << (level - 1)))) continue;
    terms += (count++ ? " OR level=" : "level=") + std::to_string(level);
  }
  return count == 1 ? " AND " + terms + " " : " AND (" + terms + ") ";
}

std::string CLogBrowser::ContainsPattern(const std::string& text) {
  std::string pattern = "%";
  for (char c : text) {
    if (c == '%' || c == '_' || c == '\\') pattern += '\\';
    pattern += c;
  }
  return pattern + "%";
}

void CLogBrowser::BuildWhere() {
  m_strWhere = " WHERE type=? ";
  m_whereParams = {m_nLogType};
  if (m_nLogType == SYSTEM_LOG) m_strWhere += LevelClause(m_levelBits);
  if (!m_strFilter.empty()) {
    m_strWhere += m_nFilterType == FILTER_DESCRIPTION ? " AND description LIKE ? ESCAPE '\\' "
                                                      : " AND datetime LIKE ? ESCAPE '\\' ";
    m_whereParams.emplace_back(ContainsPattern(m_strFilter));
  }
}

void CLogBrowser::Refresh(LogListTarget& list) {
  BuildWhere();
  m_nTotal = m_log.GetLogCount("SELECT COUNT(*) FROM system_log" + m_strWhere, m_whereParams);
  m_nPages = (m_nTotal + kPageSize - 1) / kPageSize;
  ShowPage(list, 1);
  if (m_nPages == 0) m_nCurPage = 0;
}

void CLogBrowser::ShowPage(LogListTarget& list, int page) {
  m_nCurPage = page;
  db::SqlParams params = m_whereParams;
  params.emplace_back(kPageSize);
  params.emplace_back(static_cast<long long>(page - 1) * kPageSize);
  m_log.FillLogList(list, "SELECT * FROM system_log" + m_strWhere + "ORDER BY \"index\" DESC LIMIT ? OFFSET ?",
                    m_nLogType, params);
}

void CLogBrowser::FirstPage(LogListTarget& list) {
  if (m_nPages > 0) ShowPage(list, 1);
}

void CLogBrowser::PreviousPage(LogListTarget& list) {
  if (m_nCurPage > 1) ShowPage(list, m_nCurPage - 1);
}

void CLogBrowser::NextPage(LogListTarget& list) {
  if (m_nCurPage < m_nPages) ShowPage(list, m_nCurPage + 1);
}

void CLogBrowser::LastPage(LogListTarget& list) {
  if (m_nPages > 0) ShowPage(list, m_nPages);
}

std::string CLogBrowser::PageLabel() const {
  return std::to_string(m_nCurPage) + "/" + std::to_string(m_nPages);
}

CLogBrowser::PageButtons CLogBrowser::Buttons() const {
  const bool back = m_nCurPage > 1;
  const bool forward = m_nCurPage < m_nPages;
  return {back, back, forward, forward};
}
