#include "log/ui/LogLevelSetting.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>

#include "log/LogLevelMask.h"

CLogLevelSetting::CLogLevelSetting(wxWindow* sheet) : CApplyPropPage(sheet, "Log Level") {
  auto* layout = new wxBoxSizer(wxVERTICAL);
  const std::pair<int, const char*> boxes[] = {
      {IDC_CRITICAL, "Cirtical"}, {IDC_WARNING, "Warning"}, {IDC_INFO, "Info"}, {IDC_DEBUG, "Debug"}};
  for (int i = 0; i < 4; ++i) {
    m_levels[i] = new wxCheckBox(this, boxes[i].first, boxes[i].second);
    layout->Add(m_levels[i], wxSizerFlags().Border(wxALL, 6));
  }
  SetSizer(layout);
}

void CLogLevelSetting::OnOK() {
  int mask = 0;
  for (int i = 0; i < 4; ++i)
    if (m_levels[i]->GetValue()) mask |= 1 << i;
  g_nLogLevelMask = mask;
}
