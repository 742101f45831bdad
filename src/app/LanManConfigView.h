#pragma once
// A pane that embeds the AP configuration sheet and keeps it over its whole client area. The sheet comes
// from a factory, so the pane stays empty where the sheet is not built.
#include <wx/panel.h>

#include <functional>

class CLanManConfigView : public wxPanel {
 public:
  using SheetFactory = std::function<wxWindow*(wxWindow* parent)>;

  CLanManConfigView(wxWindow* parent, SheetFactory makeSheet);
  // Creates the sheet once, then (every time) lays it over the client area.
  void OnInitialUpdate();
  wxWindow* Sheet() const { return sheet_; }

 private:
  void OnSize(wxSizeEvent& event);

  SheetFactory makeSheet_;
  wxWindow* sheet_ = nullptr;  // a child: destroyed with the pane
};
