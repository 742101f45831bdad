#include "groupmodel/ui/CfgAdvancePage.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>

namespace {
using M = CAdvancedPageModel;
// The controls each include box switches: label, controls and range label.
const std::initializer_list<int> kRows[M::kSettingCount] = {
    {1132, M::kTxRateList},
    {1136, M::kTxPowerList},
    {1139, M::kBeaconEdit, 1171},
    {1143, M::kRtsEdit, 1174},
    {1149, M::kFragmentationEdit, 1179},
    {1156, M::kDtimEdit, 1186},
    {1163, M::kShortPreamble, M::kLongPreamble},
    {1168, M::kCtsNone, M::kCtsAlways, M::kCtsAuto},
    {1406, M::kPartitionDisable, M::kPartitionEnable},
};
}  // namespace

CCfgAdvancePage::CCfgAdvancePage(wxWindow* sheet, CAdvancedPageModel& model)
    : CTreePropPage(sheet, "Advance"), model_(model), c_(this) {
  Build();
  Bind(wxEVT_SHOW, &CCfgAdvancePage::OnShow, this);
}

void CCfgAdvancePage::Build() {
  auto* grid = new wxFlexGridSizer(3, 4, 8);
  const auto add = [&](int setting, wxWindow* label, wxSizer* controls) {
    grid->Add(c_.Check(M::kIncludeBoxes[setting]), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(label, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(controls, 0, wxALIGN_CENTER_VERTICAL);
  };
  add(M::kTxRate, c_.Label(1132, "Transmit Data Rates"),
      Row({c_.Choice(M::kTxRateList, {"Auto", "1", "2", "5", "6", "9", "11", "12", "18", "24", "36", "48", "54"})}));
  add(M::kTxPower, c_.Label(1136, "Transmit Power"), Row({c_.Choice(M::kTxPowerList, {"100%", "50%", "25%", "12.5%"})}));
  add(M::kBeacon, c_.Label(1139, "Beacon Interval "),
      Row({c_.Edit(M::kBeaconEdit, 5, true), c_.Label(1171, "(msec, range:20~1000) ")}));
  add(M::kRts, c_.Label(1143, "RTS Threshold"), Row({c_.Edit(M::kRtsEdit, 5, true), c_.Label(1174, "(range: 256~2346)")}));
  add(M::kFragmentation, c_.Label(1149, "Fragmentation"),
      Row({c_.Edit(M::kFragmentationEdit, 5, true), c_.Label(1179, "(range: 1500~2346)")}));
  add(M::kDtim, c_.Label(1156, "DTIM "), Row({c_.Edit(M::kDtimEdit, 5, true), c_.Label(1186, "(range: 1~5) ")}));
  add(M::kPreamble, c_.Label(1163, "Preamble Type "),
      Row({c_.Radio(M::kShortPreamble, "Short Preamble ", true), c_.Radio(M::kLongPreamble, "Long Preamble")}));
  add(M::kCts, c_.Label(1168, "CTS Mode :"),
      Row({c_.Radio(M::kCtsNone, "None", true), c_.Radio(M::kCtsAlways, "Always"), c_.Radio(M::kCtsAuto, "Auto")}));
  add(M::kWlanPartition, c_.Label(1406, "WLAN Partition"),
      Row({c_.Radio(M::kPartitionEnable, "Enable", true), c_.Radio(M::kPartitionDisable, "Disable")}));
  auto* page = new wxBoxSizer(wxVERTICAL);
  page->Add(grid, 0, wxALL, 8);
  SetSizerAndFit(page);
  // The CTS row is not offered to the user; a template's CTS mode passes through unchanged.
  c_.Show({M::kIncludeBoxes[M::kCts]}, false);
  c_.Show(kRows[M::kCts], false);

  for (int setting = 0; setting < M::kSettingCount; ++setting)
    Bind(wxEVT_CHECKBOX, [this, setting](wxCommandEvent&) {
      ReadControls();
      model_.ToggleInclude(static_cast<M::Setting>(setting));
      Refresh();
    }, M::kIncludeBoxes[setting]);
}

void CCfgAdvancePage::OnShow(wxShowEvent& event) {
  event.Skip();
  if (!event.IsShown() || opened_) return;
  opened_ = true;
  Refresh();
}

void CCfgAdvancePage::ReadControls() {
  if (auto* list = dynamic_cast<wxChoice*>(c_.Find(M::kTxRateList))) model_.txRateIndex = list->GetSelection();
  if (auto* list = dynamic_cast<wxChoice*>(c_.Find(M::kTxPowerList))) model_.txPowerIndex = list->GetSelection();
  model_.beaconInterval = c_.Number(M::kBeaconEdit);
  model_.rtsThreshold = c_.Number(M::kRtsEdit);
  model_.fragmentationThreshold = c_.Number(M::kFragmentationEdit);
  model_.dtimInterval = c_.Number(M::kDtimEdit);
  if (model_.include[M::kPreamble]) model_.shortPreamble = c_.IsChecked(M::kShortPreamble);
  if (model_.include[M::kCts])
    model_.ctsMode = c_.IsChecked(M::kCtsNone) ? 0 : c_.IsChecked(M::kCtsAlways) ? 1 : c_.IsChecked(M::kCtsAuto) ? 2 : -1;
  if (model_.include[M::kWlanPartition])
    model_.wlanPartition = c_.IsChecked(M::kPartitionDisable) ? 1 : c_.IsChecked(M::kPartitionEnable) ? 0 : -1;
}

void CCfgAdvancePage::Refresh() {
  const CAdvancedPageModel& m = model_;
  c_.Select(M::kTxRateList, m.txRateIndex);
  c_.Select(M::kTxPowerList, m.txPowerIndex);
  c_.SetText(M::kBeaconEdit, std::to_string(m.beaconInterval));
  c_.SetText(M::kRtsEdit, std::to_string(m.rtsThreshold));
  c_.SetText(M::kFragmentationEdit, std::to_string(m.fragmentationThreshold));
  c_.SetText(M::kDtimEdit, std::to_string(m.dtimInterval));
  c_.SetChecked(m.shortPreamble ? M::kShortPreamble : M::kLongPreamble, true);
  const int cts[] = {M::kCtsNone, M::kCtsAlways, M::kCtsAuto};
  if (m.ctsMode >= 0 && m.ctsMode <= 2) c_.SetChecked(cts[m.ctsMode], true);
  c_.SetChecked(m.wlanPartition == 1 ? M::kPartitionDisable : M::kPartitionEnable, true);
  for (int setting = 0; setting < M::kSettingCount; ++setting) {
    c_.SetChecked(M::kIncludeBoxes[setting], m.include[setting]);
    c_.Enable(kRows[setting], m.include[setting]);
  }
}

bool CCfgAdvancePage::OnKillActive() {
  if (!opened_) return true;
  ReadControls();
  if (auto failure = model_.Validate()) {
    c_.ShowFailure(*failure);
    return false;
  }
  return true;
}
