#include "log/ui/SnmpSettingPage.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include "platform/MessageBox.h"
#include "settings/CountryTable.h"

namespace {

// The edit's whole number; none for any other text.
std::optional<int> NumberIn(const wxTextCtrl* edit) {
  long value = 0;
  if (!edit->GetValue().ToLong(&value) || value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int>(value);
}

void Refuse(wxTextCtrl* edit, const std::string& message) {
  platform::MessageBox(message, {}, platform::MB_ICONWARNING);
  edit->SetFocus();
  edit->SelectAll();
}

}  // namespace

CSnmpSettingPage::CSnmpSettingPage(wxWindow* sheet) : CApplyPropPage(sheet, "Global Setting") {
  auto* grid = new wxFlexGridSizer(3, wxSize(8, 6));
  auto addEdit = [&](int id, const char* label, const char* unit) {
    grid->Add(new wxStaticText(this, wxID_ANY, label), wxSizerFlags().CentreVertical());
    auto* edit = new wxTextCtrl(this, id, "", wxDefaultPosition, wxSize(80, -1), 0,
                                wxTextValidator(wxFILTER_DIGITS));
    grid->Add(edit);
    grid->Add(new wxStaticText(this, wxID_ANY, unit), wxSizerFlags().CentreVertical());
    return edit;
  };
  m_interval = addEdit(IDC_INTERVAL, "Interval(10-6000)", "Sec");
  m_timeout = addEdit(IDC_TIMEOUT, "Timeout(1-20)", "Sec");
  m_monitorInterval = addEdit(IDC_MONITOR_INTERVAL, "Monitor Interval(10-60000)", "Sec");
  m_maxThreads = addEdit(IDC_MAX_THREADS, "Max Polling Thread(5-20)", "");

  auto* levels = new wxStaticBoxSizer(wxHORIZONTAL, this, "Log Level Setting");
  const std::pair<int, const char*> boxes[] = {
      {IDC_CRITICAL, "Critical"}, {IDC_WARNING, "Warning"}, {IDC_INFO, "Info."}, {IDC_DEBUG, "Debug"}};
  for (int i = 0; i < 4; ++i) {
    m_levels[i] = new wxCheckBox(levels->GetStaticBox(), boxes[i].first, boxes[i].second);
    levels->Add(m_levels[i], wxSizerFlags().Border(wxALL, 4));
  }

  auto* countryLabel = new wxStaticText(this, wxID_ANY, "Country Code");
  m_country = new wxChoice(this, IDC_COUNTRY);
  countryLabel->Hide();
  m_country->Hide();

  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(grid, wxSizerFlags().Border(wxALL, 10));
  layout->Add(levels, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT, 10));
  layout->Add(countryLabel);
  layout->Add(m_country);
  SetSizer(layout);
}

void CSnmpSettingPage::OnInitPage() {
  const GlobalSettingsValues values = LoadGlobalSettings();
  m_interval->ChangeValue(std::to_string(values.interval));
  m_timeout->ChangeValue(std::to_string(values.timeout));
  m_monitorInterval->ChangeValue(std::to_string(values.monitorInterval));
  m_maxThreads->ChangeValue(std::to_string(values.maxThreads));
  for (int i = 0; i < 4; ++i) m_levels[i]->SetValue((values.levelMask & (1 << i)) != 0);
  for (const CountryEntry& country : g_CountryTable) m_country->Append(country.name);
  m_country->SetSelection(values.countryIndex);
}

GlobalSettingsValues CSnmpSettingPage::ReadControls() const {
  GlobalSettingsValues values;
  values.interval = NumberIn(m_interval).value_or(-1);
  values.timeout = NumberIn(m_timeout).value_or(-1);
  values.monitorInterval = NumberIn(m_monitorInterval).value_or(-1);
  values.maxThreads = NumberIn(m_maxThreads).value_or(-1);
  for (int i = 0; i < 4; ++i)
    if (m_levels[i]->GetValue()) values.levelMask |= 1 << i;
  values.countryIndex = m_country->GetSelection();
  return values;
}

wxTextCtrl* CSnmpSettingPage::Edit(const SettingRange& range) const {
  if (range.field == kIntervalRange.field) return m_interval;
  if (range.field == kTimeoutRange.field) return m_timeout;
  if (range.field == kMonitorRange.field) return m_monitorInterval;
  return m_maxThreads;
}

bool CSnmpSettingPage::OnApply() {
  const GlobalSettingsValues values = ReadControls();
  for (const SettingRange& range : {kIntervalRange, kTimeoutRange, kMonitorRange, kThreadsRange}) {
    wxTextCtrl* edit = Edit(range);
    const std::optional<int> value = NumberIn(edit);
    if (value && *value >= range.min && *value <= range.max) continue;
    ActivateInSheet();
    Refuse(edit, value ? *CheckGlobalSettingRanges(values) : "Please enter an integer.");
    return false;
  }
  return true;
}

void CSnmpSettingPage::OnOK() { ApplyGlobalSettings(ReadControls()); }
