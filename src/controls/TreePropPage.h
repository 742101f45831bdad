#pragma once
// One page of a tree property sheet. Its caption is its path in the sheet's tree ("Network::Traps").
#include <wx/icon.h>
#include <wx/panel.h>

#include <string>

class CTreePropPage : public wxPanel {
 public:
  CTreePropPage(wxWindow* sheet, const std::string& caption);

  const std::string& Caption() const { return caption_; }
  // The page is about to be left: false keeps it (its checks failed). By default its validators decide and
  // give their values back.
  virtual bool OnKillActive();

  bool HasIcon() const { return useIcon_ && icon_.IsOk(); }
  const wxIcon& Icon() const { return icon_; }

 private:
  friend class CTreePropSheet;  // attaches and releases page icons
  std::string caption_;
  bool useIcon_ = false;
  wxIcon icon_;
};
