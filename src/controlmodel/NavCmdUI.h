#pragma once
// The answer of a command-update handler for one navigation item: a flag word and possibly a new name.
// Only "checked" changes what is drawn or done; the whole word is compared to see whether anything changed.
#include "controlmodel/NavItem.h"

class CNavCmdUI {
 public:
  explicit CNavCmdUI(CNavItem& item) : item_(item) {}

  int CommandId() const { return item_.commandOrHeight; }
  // Marks the entry as handled, whatever the state asked for.
  void Enable(bool) { flags_ |= kNavEnabled; }
  void SetCheck(int check) { if (check) flags_ |= kNavChecked; }
  void SetRadio(bool on) { if (on) flags_ |= kNavRadio; }
  void SetText(const std::string& text) { item_.name = text; }
  unsigned Flags() const { return flags_; }

 private:
  CNavItem& item_;
  unsigned flags_ = 0;
};
