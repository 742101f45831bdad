#pragma once
// A report-mode list control as the target of CLogDBModule::FillLogList.
#include "log/LogListTarget.h"

class wxListCtrl;

class CLogListCtrlTarget : public LogListTarget {
 public:
  explicit CLogListCtrlTarget(wxListCtrl& list) : m_list(list) {}

  void DeleteAllItems() override;
  void AppendRow(const std::vector<std::string>& columns) override;

 private:
  wxListCtrl& m_list;
};
