#include "charts/ChartMenuPopup.h"

std::unique_ptr<wxMenu> CreateWxMenu(const CChartMenu& menu) {
  auto result = std::make_unique<wxMenu>();
  for (const CChartMenu::Item& item : menu.Items()) {
    const wxString caption = wxString::FromUTF8(item.caption);
    switch (item.kind) {
      case CChartMenu::Item::Kind::Separator:
        result->AppendSeparator();
        break;
      case CChartMenu::Item::Kind::Popup:
        result->AppendSubMenu(CreateWxMenu(*item.popup).release(), caption);
        break;
      case CChartMenu::Item::Kind::Command:
        if (item.Checked()) {
          result->AppendCheckItem(item.id, caption)->Check(true);
        } else {
          result->Append(item.id, caption);
        }
        break;
    }
  }
  return result;
}

int CChartMenuPopup::TrackPopupMenu(const CChartMenu& menu, int screenX, int screenY) {
  const std::unique_ptr<wxMenu> popup = CreateWxMenu(menu);
  const int chosen = owner_.GetPopupMenuSelectionFromUser(*popup, owner_.ScreenToClient(wxPoint(screenX, screenY)));
  return chosen == wxID_NONE ? 0 : chosen;
}
