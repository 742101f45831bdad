#include "devmodel/HeaderBarModel.h"

#include <strings.h>

#include "db/ApListDBManager.h"
#include "devmodel/DeviceCommandIds.h"

void CHeaderBarModel::FillFilterTypes() {
  filterColumns_.clear();
  std::vector<ApListColumn> columns;
  ApListDBManager().GetDisplayedApColumns(columns);
  for (const ApListColumn& column : columns) filterColumns_.emplace(column.field_name, column.display_name);
}

std::vector<std::string> CHeaderBarModel::FilterTypeEntries() const {
  std::vector<std::string> entries{""};
  for (const auto& [column, display] : filterColumns_) entries.push_back(display);
  return entries;
}

std::string CHeaderBarModel::ColumnOfDisplayName(const std::string& displayName) const {
  for (const auto& [column, display] : filterColumns_)
    if (display == displayName) return column;
  return {};
}

std::vector<std::string> CHeaderBarModel::FilterValues(const std::string& displayName) const {
  std::vector<std::string> values;
  const std::string column = ColumnOfDisplayName(displayName);
  if (!column.empty()) ApListDBManager().GetGroupFilterValues(column, values);
  return values;
}

std::string CHeaderBarModel::StoredFilterValue(const std::string& column, const std::string& value) {
  // The schema spells the column in lower case; the name is compared without case.
  if (strcasecmp(column.c_str(), "crvAPAutoChannel") != 0) return value;
  if (value == "Enable") return "1";
  if (value == "Disable") return "0";
  return value;
}

bool CHeaderBarModel::ChosenFilter(const std::string& filterType, const std::string& value, int managedOnly,
                                   HeaderFilter& filter) const {
  const std::string column = ColumnOfDisplayName(filterType);
  if (column.empty()) return false;
  filter = {column, StoredFilterValue(column, value), managedOnly};
  return true;
}

HeaderFilter CHeaderBarModel::TypedFilter(const std::string& filterType, const std::string& text,
                                          int managedOnly) const {
  return {ColumnOfDisplayName(filterType), text, managedOnly};
}

bool CHeaderBarModel::ControlsOf(int mode, HeaderControlGroups& groups) {
  switch (static_cast<HeaderViewMode>(mode)) {
    case HeaderViewMode::List: groups = {true, false, false, false, false, true}; return true;
    case HeaderViewMode::Tree: groups = {true, false, true, false, false, false}; return true;
    case HeaderViewMode::Topology: groups = {true, false, true, true, false, false}; return true;
    case HeaderViewMode::ApFirmware:
    case HeaderViewMode::SwitchFirmware: groups = {false, true, false, false, true, false}; return true;
  }
  return false;
}

int CHeaderBarModel::ButtonCommand(HeaderButton button, int mode, int mapShapeKind) {
  using namespace devcmd;
  struct Row {
    int list, tree, mapSwitch, mapAp, mapOther;
  };
  static constexpr Row kRows[] = {
      {kListConfiguration, kTreeConfiguration, kMapSwitchConfiguration, kMapApConfiguration, 0},
      {kListReloadPrevious, kTreeApReloadPrevious, kMapSwitchReloadPrevious, kMapApReloadPrevious, 0},
      {kListSaveToDatabase, kTreeApSaveToDatabase, kMapSwitchSaveToDatabase, kMapApSaveToDatabase, 0},
      {kListDeleteFromDatabase, kTreeApDeleteFromDatabase, kMapSwitchDeleteFromDatabase, kMapApDeleteFromDatabase,
       kDeleteOtherDevice},
      {kListCustomColumns, 0, 0, 0, 0}};
  const Row& row = kRows[static_cast<int>(button)];
  switch (static_cast<HeaderViewMode>(mode)) {
    case HeaderViewMode::List: return row.list;
    case HeaderViewMode::Tree: return row.tree;
    case HeaderViewMode::Topology:
      return mapShapeKind == kMapSwitchShape ? row.mapSwitch : mapShapeKind == kMapApShape ? row.mapAp : row.mapOther;
    default: return 0;
  }
}
