#pragma once
// The client-history view's paging over the rows of its last query: pages of up to 100 rows, the label
// "shown-through/all" and which of the four paging buttons are enabled.
#include <span>
#include <string>
#include <vector>

#include "db/ClientHistoryRecord.h"

struct PagingButtons {
  bool first = true;
  bool prev = true;
  bool next = true;
  bool last = true;
  bool operator==(const PagingButtons&) const = default;
};

class CClientHistoryPager {
 public:
  static constexpr int kPageSize = 100;

  // A new query's rows: the first page is shown and every button enabled.
  void SetRows(std::vector<ClientHistoryRecord> rows);
  void First();
  void Next();
  void Prev();
  void Last();

  std::span<const ClientHistoryRecord> Page() const;
  // "%d/%d": the number of the last row shown and the number of rows.
  std::string Label() const;
  const PagingButtons& Buttons() const { return buttons_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Rows are counted from 1; the page is rows FirstShown() to ShownThrough().
  int FirstShown() const { return pageBegin_ + 1; }
  int ShownThrough() const { return pageBegin_ + pageCount_; }

 private:
  void ShowRows(int begin, int count);
  void Enable(bool backward, bool forward);

  std::vector<ClientHistoryRecord> rows_;
  int pageBegin_ = 0;  // index of the first row shown
  int pageCount_ = 0;
  PagingButtons buttons_;
};
