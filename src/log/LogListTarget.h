#pragma once
// A list that CLogDBModule::FillLogList fills with log rows; the log view adapts its list control to it.
#include <string>
#include <vector>

class LogListTarget {
 public:
  virtual ~LogListTarget() = default;
  virtual void DeleteAllItems() = 0;
  // Appends a row at the end, one text per column from column 0.
  virtual void AppendRow(const std::vector<std::string>& columns) = 0;
};
