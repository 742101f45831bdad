#include "mainmodel/OutputLogModel.h"

const LogLevelPalette kSystemLogPalette{{176, 28, 36}, {69, 129, 43}, {0, 82, 136}};
const LogLevelPalette kActionLogPalette{{255, 0, 0}, {0, 0, 255}, {0, 255, 0}};

Rgb LogLevelPalette::ColourOf(int level) const {
  switch (level) {
    case 1:
      return critical;
    case 2:
      return warning;
    case 3:
      return info;
    default:
      return Rgb{};
  }
}

COutputLogModel::Append COutputLogModel::AddLine(const std::string& text, int level) {
  std::lock_guard hold(lock_);
  Append append;
  if (text.empty()) return append;
  if (rows_.size() >= kMaxRows) {
    rows_.pop_front();
    append.droppedFirst = true;
  }
  append.row = Row{text, palette_.ColourOf(level)};
  rows_.push_back(append.row);
  append.added = true;
  return append;
}

void COutputLogModel::Clear() {
  std::lock_guard hold(lock_);
  rows_.clear();
}

std::size_t COutputLogModel::Count() const {
  std::lock_guard hold(lock_);
  return rows_.size();
}

COutputLogModel::Row COutputLogModel::RowAt(std::size_t index) const {
  std::lock_guard hold(lock_);
  return index < rows_.size() ? rows_[index] : Row{};
}
