#include "config/ui/ApCfgAdvancePage.h"

#include <cstdlib>

#include "config/ui/ChoiceSelection.h"

namespace {

using M = CApAdvancePageModel;

wxArrayString Items(const std::vector<std::string>& texts) {
  wxArrayString items;
  for (const std::string& text : texts) items.Add(wxString::FromUTF8(text));
  return items;
}

int Number(const wxTextCtrl* edit) { return std::atoi(edit->GetValue().utf8_string().c_str()); }

}  // namespace

CApCfgAdvancePage::CApCfgAdvancePage(wxWindow* sheet, CApConfigSheetModel& model)
    : CApConfigPage(sheet, "Advance", model, CApConfigSheetModel::kAdvance), page_(model.advance) {
  auto* grid = NewGrid();
  rate_ = new wxChoice(this, M::kTxRate, wxDefaultPosition, wxDefaultSize, Items(M::RateTexts()));
  AddRow(grid, "Tx Rates (Mbps)", rate_, 1145);
  power_ = new wxChoice(this, M::kTransmitPower, wxDefaultPosition, wxDefaultSize, Items(M::PowerTexts()));
  AddRow(grid, "Transmit Power", power_, 1148);
  beacon_ = new wxTextCtrl(this, M::kBeaconInterval);
  AddRow(grid, "Beacon Interval", beacon_, 1152);
  rts_ = new wxTextCtrl(this, M::kRtsThreshold);
  AddRow(grid, "RTS Threshold", rts_, 1155);
  fragmentation_ = new wxTextCtrl(this, M::kFragmentation);
  AddRow(grid, "Fragmentation", fragmentation_, 1159);
  dtim_ = new wxTextCtrl(this, M::kDtimInterval);
  AddRow(grid, "DTIM Interval", dtim_, 1161);
  const auto pair = [this](wxRadioButton* first, wxRadioButton* second, wxRadioButton* third = nullptr) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    for (wxRadioButton* button : {first, second, third})
      if (button) row->Add(button, 0, wxRIGHT, 12);
    return row;
  };
  shortPreamble_ = new wxRadioButton(this, 1074, "Short Preamble ", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  longPreamble_ = new wxRadioButton(this, 1080, "Long Preamble");
  AddRow(grid, "Preamble", pair(shortPreamble_, longPreamble_), 1165);
  ctsNone_ = new wxRadioButton(this, 1087, "None", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  ctsAlways_ = new wxRadioButton(this, 1093, "Always");
  ctsAuto_ = new wxRadioButton(this, 1099, "Auto");
  AddRow(grid, "CTS Mode", pair(ctsNone_, ctsAlways_, ctsAuto_), 1167);
  partitionOff_ = new wxRadioButton(this, 1401, "Disable", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  partitionOn_ = new wxRadioButton(this, 1402, "Enable");
  AddRow(grid, "WLAN Partition", pair(partitionOff_, partitionOn_), 1166);
  auto* outer = new wxBoxSizer(wxVERTICAL);
  outer->Add(grid, 1, wxEXPAND | wxALL, 8);
  SetSizerAndFit(outer);
}

void CApCfgAdvancePage::Load() {
  ApplyMarks(CApAdvancePageModel::Marks(model_.context.markers));
  SelectChoice(rate_, page_.txRate);
  SelectChoice(power_, page_.transmitPower);
  beacon_->ChangeValue(std::to_string(page_.beaconInterval));
  rts_->ChangeValue(std::to_string(page_.rtsThreshold));
  fragmentation_->ChangeValue(std::to_string(page_.fragmentation));
  dtim_->ChangeValue(std::to_string(page_.dtimInterval));
  (page_.shortPreamble ? shortPreamble_ : longPreamble_)->SetValue(true);
  (page_.ctsMode == 1 ? ctsAlways_ : page_.ctsMode == 2 ? ctsAuto_ : ctsNone_)->SetValue(true);
  (page_.wlanPartitionDisabled ? partitionOff_ : partitionOn_)->SetValue(true);
  if (!model_.context.reachable)
    DisableControls({M::kTxRate, M::kTransmitPower, M::kBeaconInterval, M::kRtsThreshold, M::kFragmentation,
                     M::kDtimInterval, 1074, 1080, 1087, 1093, 1099, 1401, 1402});
}

void CApCfgAdvancePage::Save() {
  page_.txRate = rate_->GetSelection();
  page_.transmitPower = power_->GetSelection();
  page_.beaconInterval = Number(beacon_);
  page_.rtsThreshold = Number(rts_);
  page_.fragmentation = Number(fragmentation_);
  page_.dtimInterval = Number(dtim_);
  page_.shortPreamble = shortPreamble_->GetValue();
  if (ctsNone_->GetValue()) page_.ctsMode = 0;
  if (ctsAlways_->GetValue()) page_.ctsMode = 1;
  if (ctsAuto_->GetValue()) page_.ctsMode = 2;
  page_.wlanPartitionDisabled = partitionOff_->GetValue();
}

PageCheck CApCfgAdvancePage::CheckOnLeave() { return page_.Check(); }
