#include "lbmodel/ClientHistoryPager.h"

#include <algorithm>

void CClientHistoryPager::SetRows(std::vector<ClientHistoryRecord> rows) {
  rows_ = std::move(rows);
  ShowRows(0, std::min(kPageSize, RowCount()));
  Enable(true, true);
}

void CClientHistoryPager::First() {
  if (rows_.empty()) return Enable(true, true);
  ShowRows(0, std::min(kPageSize, RowCount()));
  Enable(false, true);
}

void CClientHistoryPager::Next() {
  if (rows_.empty()) return Enable(true, true);
  const int shown = ShownThrough();
  if (shown < RowCount()) ShowRows(shown, std::min(kPageSize, RowCount() - shown));
  if (ShownThrough() == RowCount())
    Enable(true, false);
  else
    Enable(true, true);
}

void CClientHistoryPager::Prev() {
  if (rows_.empty()) return Enable(false, false);
  if (pageBegin_ >= kPageSize)
    ShowRows(pageBegin_ - kPageSize, kPageSize);
  else
    ShowRows(0, std::min(kPageSize, RowCount()));
  Enable(pageBegin_ > 0, true);
}

void CClientHistoryPager::Last() {
  if (rows_.empty()) return Enable(true, true);
  const int count = std::min(kPageSize, RowCount());
  ShowRows(RowCount() - count, count);
  Enable(true, false);
}

std::span<const ClientHistoryRecord> CClientHistoryPager::Page() const {
  return std::span<const ClientHistoryRecord>(rows_).subspan(pageBegin_, pageCount_);
}

std::string CClientHistoryPager::Label() const {
  return std::to_string(ShownThrough()) + "/" + std::to_string(RowCount());
}

void CClientHistoryPager::ShowRows(int begin, int count) {
  pageBegin_ = begin;
  pageCount_ = count;
}

void CClientHistoryPager::Enable(bool backward, bool forward) {
  buttons_ = {backward, backward, forward, forward};
}
