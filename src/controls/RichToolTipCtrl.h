#pragma once
// A tool tip whose texts are rich text: tips such as "{\b 'Cts mode' previous value is Auto}" show the
// marked words in bold. A tip shows when the mouse rests on its tool window, as narrow as its text allows
// (at most the maximum tip width, half the screen at first), below the cursor and always on screen.
#include <wx/popupwin.h>
#include <wx/timer.h>

#include <map>
#include <optional>
#include <string>

#include "listmodel/RichTipText.h"

class CRichToolTipCtrl : public wxPopupWindow {
 public:
  CRichToolTipCtrl() = default;
  ~CRichToolTipCtrl() override;

  bool Create(wxWindow* parent);

  // Tips are RTF or plain text.
  void AddTool(wxWindow* tool, const std::string& text);
  void UpdateTipText(const std::string& text, wxWindow* tool);
  void DelTool(wxWindow* tool);
  void SetMaxTipWidth(int width) { m_maxTipWidth = width; }
  int GetMaxTipWidth() const { return m_maxTipWidth; }

  // Shows the tool's tip at the mouse cursor now (the mouse resting on the tool does this after a delay).
  void ShowTip(wxWindow* tool);

  static std::string EscapeForRtf(const std::string& text) { return listmodel::EscapeForRtf(text); }

 private:
  void OnPaint(wxPaintEvent& event);
  void OnToolEnter(wxMouseEvent& event);
  void OnToolLeave(wxMouseEvent& event);
  void OnToolDestroyed(wxWindowDestroyEvent& event);
  void ForgetTool(wxWindow* tool);

  std::map<wxWindow*, std::string> m_tools;
  int m_maxTipWidth = 0;
  std::optional<listmodel::RichTipText> m_shown;
  int m_textWidth = 0;  // the width the shown text was laid out at
  wxTimer m_hoverTimer;
  wxWindow* m_hoveredTool = nullptr;
};
