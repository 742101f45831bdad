#include "controls/MacEdit.h"

#include <algorithm>

#include "platform/MessageBox.h"

CMacEdit::CMacEdit(wxWindow* parent, wxWindowID id, const wxString& value) : wxTextCtrl(parent, id, value) {
  Bind(wxEVT_KEY_DOWN, &CMacEdit::OnKeyDown, this);
  Bind(wxEVT_CHAR, &CMacEdit::OnChar, this);
}

CMacEdit& CMacEdit::SetMode(int mode) {
  rules_.SetMode(mode);
  return *this;
}

// GTK removes a selection before the typed character arrives, so the text is kept from the key press: the
// limit looks at the whole text, and a refused character leaves the selected text where it was.
void CMacEdit::OnKeyDown(wxKeyEvent& event) {
  textAtKeyDown_ = GetValue();
  GetSelection(&selectionFrom_, &selectionTo_);
  event.Skip();
}

void CMacEdit::OnChar(wxKeyEvent& event) {
  const wxChar typed = event.GetUnicodeKey();
  const wxString before = textAtKeyDown_.value_or(GetValue());
  textAtKeyDown_.reset();
  // Editing keys and control characters (Ctrl+C, Ctrl+V, Tab) are not typed text.
  if (typed == WXK_NONE || (typed < 0x20 && typed != WXK_BACK) || typed == WXK_DELETE) {
    event.Skip();
    return;
  }
  const int length = static_cast<int>(std::max(before.length(), GetValue().length()));
  const KeyVerdict verdict = rules_.Judge(length, typed);
  if (verdict == KeyVerdict::kAccept) {
    event.Skip();
    return;
  }
  if (GetValue() != before) {
    ChangeValue(before);
    SetSelection(selectionFrom_, selectionTo_);
  }
  if (verdict == KeyVerdict::kRefuseNotHex) platform::MessageBox(kNotHexText);
}
