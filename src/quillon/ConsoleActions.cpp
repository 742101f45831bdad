#include "quillon/ConsoleActions.h"

#include "platform/MessageBox.h"

namespace quillon {

SelectionKind CConsoleActions::Selection() const {
  const std::size_t selected = session_.List().Selected().size();
  if (selected > 1) return SelectionKind::Several;
  return selected == 0 ? SelectionKind::None : SelectionKind::One;
}

int CConsoleActions::CheckDeviceVersions(int& index) const {
  const std::vector<int> selected = session_.List().Selected();
  if (selected.empty()) return 0;
  index = session_.FindDeviceByMac(session_.List().Row(selected.front()).texts[0]);
  if (index >= CConsoleSession::kTableSize) return 0;
  const ConsoleDeviceRecord& record = session_.Device(index);
  if (record.protocolVersion != kProtocolVersion) return 5;
  if (record.interfaceVersion > 3) return 6;
  if (record.interfaceVersion < 3) return 7;
  return 0;
}

bool CConsoleActions::RefuseSelection(SelectionKind kind) const {
  if (kind == SelectionKind::Several)
    platform::MessageBox("Only one device can be selected", "Error", platform::MB_ICONERROR);
  else if (kind == SelectionKind::None)
    platform::MessageBox("Please select one device", "Error", platform::MB_ICONERROR);
  return kind != SelectionKind::One;
}

ConsoleAction CConsoleActions::Configuration() {
  listCount_ = session_.List().Count();
  if (RefuseSelection(Selection())) return ConsoleAction::SelectionRefused;
  int index = 0;
  if (CheckDeviceVersions(index) != 0) return ConsoleAction::Nothing;
  selectedDevice_ = index;
  if (session_.Device(index).loaderMarker == kLoaderMarker) {
    platform::MessageBox("Agent is in loader mode, it can't set \n it needs firmware upgrade", "Error",
                         platform::MB_ICONERROR);
    return ConsoleAction::LoaderRefused;
  }
  return ConsoleAction::OpenConfiguration;
}

ConsoleAction CConsoleActions::FirmwareUpgrade() {
  if (RefuseSelection(Selection())) return ConsoleAction::SelectionRefused;
  int index = 0;
  CheckDeviceVersions(index);  // an upgrade goes ahead whatever the versions say
  selectedDevice_ = index;
  return ConsoleAction::PrepareUpgrade;
}

ConsoleAction CConsoleActions::DhcpRefresh() {
  if (RefuseSelection(Selection())) return ConsoleAction::SelectionRefused;
  int index = 0;
  if (CheckDeviceVersions(index) != 0) return ConsoleAction::Nothing;
  selectedDevice_ = index;
  return ConsoleAction::OpenDhcpRefresh;
}

std::optional<bool> CConsoleActions::DhcpRefreshEnabled() const {
  if (Selection() != SelectionKind::One) return std::nullopt;
  const int index = session_.FindDeviceByMac(session_.List().Row(session_.List().Selected().front()).texts[0]);
  if (index >= CConsoleSession::kTableSize) return false;
  const ConsoleDeviceRecord& record = session_.Device(index);
  return record.dhcpState == 1 && record.interfaceVersion >= 3;
}

void CConsoleActions::Sort(int column) {
  ascending_ = !ascending_;
  if (column < 0 || column > 9) return;
  sortColumn_ = column;
  const bool ascending = ascending_;
  const auto index = static_cast<std::size_t>(column);
  session_.List().SortRows([ascending, index](const ConsoleListRow& a, const ConsoleListRow& b) {
    return ascending ? a.texts[index] < b.texts[index] : b.texts[index] < a.texts[index];
  });
}

}  // namespace quillon
