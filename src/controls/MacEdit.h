#pragma once
// The key edit box: takes at most "mode" characters and, for every length but 5, 13 and 16, hexadecimal
// digits only; a wrong character is refused with a message.
#include <wx/textctrl.h>

#include <optional>
#include <string>

#include "controlmodel/MacKeyRules.h"

class CMacEdit : public wxTextCtrl {
 public:
  CMacEdit(wxWindow* parent, wxWindowID id, const wxString& value = wxString());

  CMacEdit& SetMode(int mode);
  int Mode() const { return rules_.Mode(); }

  static std::string BytesToHex(const std::string& bytes) { return CMacKeyRules::BytesToHex(bytes); }
  static std::string HexToBytes(const std::string& text) { return CMacKeyRules::HexToBytes(text); }

  static constexpr char kNotHexText[] = "Hex digit is either a number from 0 to 9 or a letter from A to F or a to f.";

 private:
  void OnKeyDown(wxKeyEvent& event);
  void OnChar(wxKeyEvent& event);

  CMacKeyRules rules_;
  std::optional<wxString> textAtKeyDown_;
  long selectionFrom_ = 0;
  long selectionTo_ = 0;
};
