#pragma once
// What the log browser shows, without its window: the log type, the level boxes and the filter make one
// WHERE clause with bound values; its rows are counted and read a page of 50 at a time, newest first.
// The page buttons lead only where there is a page to go to.
#include <string>

#include "db/SqlValue.h"
#include "log/LogListTarget.h"

class CLogDBModule;

class CLogBrowser {
 public:
  static constexpr int kPageSize = 50;
  enum LogType { ACTION_LOG = 0, SYSTEM_LOG = 1 };  // the type column's values
  enum FilterType { FILTER_DATETIME = 0, FILTER_DESCRIPTION = 1 };

  struct PageButtons {
    bool first = false, previous = false, next = false, last = false;
    bool operator==(const PageButtons&) const = default;
  };

  explicit CLogBrowser(CLogDBModule& log) : m_log(log) {}

  // The choices of the view; they take effect at the next Refresh.
  void SetLogType(int type) { m_nLogType = type; }
  int LogType() const { return m_nLogType; }
  // Bits 1 Critical, 2 Warning, 4 Info, 8 Debug; read for the system log only.
  void SetLevelBits(int bits) { m_levelBits = bits; }
  void SetFilter(int filterType, std::string text);
  bool HasFilter() const { return !m_strFilter.empty(); }

  // Counts the matching rows and shows page 1 (or nothing when no row matches).
  void Refresh(LogListTarget& list);
  void FirstPage(LogListTarget& list);
  void PreviousPage(LogListTarget& list);
  void NextPage(LogListTarget& list);
  void LastPage(LogListTarget& list);

  int CurrentPage() const { return m_nCurPage; }
  int Pages() const { return m_nPages; }
  int Total() const { return m_nTotal; }
  // "current/pages".
  std::string PageLabel() const;
  PageButtons Buttons() const;

  // The clause of the level bits 0..15: none for all four, " AND level=5 " (no row) for none.
  static std::string LevelClause(int bits);
  // The text as a LIKE pattern that matches it anywhere, '\' escaping '%', '_' and itself.
  static std::string ContainsPattern(const std::string& text);
  // The WHERE clause and its values for the current choices.
  const std::string& Where() const { return m_strWhere; }
  const db::SqlParams& WhereParams() const { return m_whereParams; }

 private:
  void BuildWhere();
  void ShowPage(LogListTarget& list, int page);

  CLogDBModule& m_log;
  int m_nLogType = ACTION_LOG;
  int m_levelBits = 15;
  int m_nFilterType = FILTER_DATETIME;
  std::string m_strFilter;
  std::string m_strWhere;
  db::SqlParams m_whereParams;
  int m_nCurPage = 1;
  int m_nTotal = 0;
  int m_nPages = 0;
};
