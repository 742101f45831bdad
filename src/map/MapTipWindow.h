#pragma once
// The map's device tip: a borderless popup with lines of text, shown at a point of the screen and hidden
// again; it takes no focus and no mouse input, so the map keeps both.
#include <wx/popupwin.h>

class wxStaticText;

class CMapTipWindow : public wxPopupWindow {
 public:
  explicit CMapTipWindow(wxWindow* owner);
  // Shows the lines (separated by line feeds) with the popup's top-left corner at the screen point.
  void ShowText(const wxString& text, const wxPoint& screenPoint);
  wxString GetText() const;

 private:
  wxStaticText* m_Text;
};
