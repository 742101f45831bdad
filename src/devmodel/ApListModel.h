#pragma once
// The AP list without its window: the columns chosen for it, one row per AP with the status cell and a
// text per column, each cell with its shade, the differences the poller found laid over the cells, and
// the filter the header bar sets. The window copies rows into its report list after every change.
#include <string>
#include <vector>

#include "db/ApListColumn.h"
#include "devmodel/DeviceLook.h"

struct ApListCell {
  std::string text;
  RowShade shade = RowShade::Window;
};

struct ApListViewRow {
  std::string mac;  // the row key
  int status = -1;  // display status code
  int image = -1;   // status icon of cell 0
  std::vector<ApListCell> cells;  // cell 0 is the status, cell k + 1 the k-th chosen column
};

struct ApListFilter {
  std::string column;  // a column name, empty for none
  std::string text;
  int managedOnly = 0;
};

class CApListModel {
 public:
  // The columns the administrator may choose from, read once when the view starts.
  void LoadDefaultColumns();
  // Reads the administrator's choice again; the headings, "Status" first, or none at all when there is
  // no column to show. Rows are emptied.
  int BuildColumns();
  // The whole rebuild: columns, then rows with their differences when there is a column.
  void Reload();
  // Stores the filter and fills the rows again.
  void SetFilter(const ApListFilter& filter);
  // The rows again with the current filter: the AP rows, the found APs that have no properties yet
  // (unless only managed APs are listed), then the differences.
  void FillRows();

  // The index of the first row of the MAC; -1 when none.
  int FindRowByKey(const std::string& mac) const;
  // After a save: the row read again, every cell on the window shade, shown "Online" with its icon.
  // False when the row cannot be read (the row stays).
  bool RefreshSavedRow(int index);
  // Removes the rows, given in any order.
  void RemoveRows(std::vector<int> indexes);

  const std::vector<std::string>& Headings() const { return headings_; }
  const std::vector<ApListViewRow>& Rows() const { return rows_; }
  const std::vector<ApListColumn>& DefaultColumns() const { return defaultColumns_; }
  const std::vector<ApListColumn>& CustomColumns() const { return customColumns_; }
  const std::vector<ApListColumn>& ChosenColumns() const;
  const ApListFilter& Filter() const { return filter_; }

 private:
  ApListViewRow MakeRow(const std::string& mac, const std::vector<std::string>& values) const;
  void AppendApsWithoutProperty();
  void ShowSyncDifferences();

  std::vector<ApListColumn> defaultColumns_;
  std::vector<ApListColumn> customColumns_;
  std::vector<std::string> headings_;
  std::vector<ApListViewRow> rows_;
  ApListFilter filter_;
};
