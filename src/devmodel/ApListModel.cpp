#include "devmodel/ApListModel.h"

#include <algorithm>
#include <functional>

#include "db/AccessDatabase.h"
#include "db/ApListDBManager.h"
#include "db/DeviceRecord.h"
#include "db/TopologyDBManager.h"

namespace {

constexpr int kApKind = 2;

}  // namespace

void CApListModel::LoadDefaultColumns() {
  defaultColumns_.clear();
  ApListDBManager().GetDisplayedApColumns(defaultColumns_);
}

const std::vector<ApListColumn>& CApListModel::ChosenColumns() const {
  return customColumns_.empty() ? defaultColumns_ : customColumns_;
}

int CApListModel::BuildColumns() {
  customColumns_.clear();
  rows_.clear();
  headings_.clear();
  CAccessDatabase().GetApListColumns(customColumns_);
  for (const ApListColumn& column : ChosenColumns()) headings_.push_back(column.display_name);
  if (!headings_.empty()) headings_.insert(headings_.begin(), "Status");
  return static_cast<int>(headings_.size());
}

void CApListModel::Reload() {
  if (BuildColumns() > 0) FillRows();
}

void CApListModel::SetFilter(const ApListFilter& filter) {
  filter_ = filter;
  FillRows();
}

ApListViewRow CApListModel::MakeRow(const std::string& mac, const std::vector<std::string>& values) const {
  ApListViewRow row;
  row.mac = mac;
  row.status = TopologyDBManager().GetDeviceStatus(mac, false);
  const StatusLook look = ApListStatusLook(row.status);
  row.image = look.image;
  row.cells.push_back({look.text, look.shade});
  for (const std::string& value : values) row.cells.push_back({value, look.shade});
  return row;
}

void CApListModel::FillRows() {
  rows_.clear();
  if (headings_.empty()) return;
  std::vector<ApListRow> read;
  ApListDBManager().GetApListRows(read, ChosenColumns(), filter_.column, filter_.text, filter_.managedOnly, "");
  for (const ApListRow& row : read)
    if (!row.cells.empty()) rows_.push_back(MakeRow(row.mac, row.cells));
  AppendApsWithoutProperty();
  ShowSyncDifferences();
}

void CApListModel::AppendApsWithoutProperty() {
  if (filter_.managedOnly != 0) return;
  std::vector<CDeviceRecord> devices;
  if (!TopologyDBManager().GetDevicesWithoutApProperty(devices)) return;
  for (const CDeviceRecord& device : devices) {
    if (device.kind != kApKind) continue;
    std::vector<std::string> values;
    for (const ApListColumn& column : ChosenColumns()) {
      if (column.field_name == "APSysIP")
        values.push_back(device.ip);
      else if (column.field_name == "mac")
        values.push_back(device.mac);
      else if (column.field_name == "crvAPName")
        values.push_back(device.name);
      else
        values.emplace_back();
    }
    rows_.push_back(MakeRow(device.mac, values));
  }
}

void CApListModel::ShowSyncDifferences() {
  ApListDBManager manager;
  for (ApListViewRow& row : rows_) {
    std::vector<int> flags;
    std::vector<std::string> texts;
    if (!manager.GetApSyncResults(row.mac, ChosenColumns(), flags, texts)) continue;
    if (row.status == 4 || row.status == 3) {
      row.cells[0].text = ApListDBManager::StatusText(row.status);
      row.image = row.status == 4 ? kApReplace : kApChanged;
    }
    for (size_t k = 0; k < flags.size() && k < texts.size() && k + 1 < row.cells.size(); ++k) {
      if (flags[k] != 1) continue;
      row.cells[k + 1] = {texts[k], RowShade::Changed};
    }
  }
}

int CApListModel::FindRowByKey(const std::string& mac) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].mac == mac) return static_cast<int>(i);
  return -1;
}

bool CApListModel::RefreshSavedRow(int index) {
  if (index < 0 || index >= static_cast<int>(rows_.size())) return false;
  ApListViewRow& row = rows_[index];
  std::vector<ApListRow> read;
  if (ApListDBManager().GetApListRows(read, ChosenColumns(), filter_.column, filter_.text, filter_.managedOnly,
                                      row.mac) <= 0 ||
      read.empty())
    return false;
  row.status = 0;
  row.image = kApOnline;
  row.cells.assign(1, {ApListDBManager::StatusText(0), RowShade::Window});
  for (const std::string& value : read.front().cells) row.cells.push_back({value, RowShade::Window});
  return true;
}

void CApListModel::RemoveRows(std::vector<int> indexes) {
  std::sort(indexes.begin(), indexes.end(), std::greater<>());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  for (int index : indexes)
    if (index >= 0 && index < static_cast<int>(rows_.size())) rows_.erase(rows_.begin() + index);
}
