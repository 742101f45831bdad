#pragma once
// Small helpers of the template pages and group dialogs: making their controls with the ids the pages
// name them by, and setting or reading a control by id without caring about its class.
#include <wx/window.h>

#include <initializer_list>
#include <string>
#include <vector>

class wxSizer;
struct PageFailure;

class CPageControls {
 public:
  explicit CPageControls(wxWindow* owner) : owner_(owner) {}

  wxWindow* Check(int id, const std::string& text = {});
  wxWindow* Label(int id, const std::string& text);
  wxWindow* Choice(int id, std::initializer_list<const char*> items);
  // The first radio button of a group starts it.
  wxWindow* Radio(int id, const std::string& text, bool first = false);
  wxWindow* Edit(int id, long maxLength = 0, bool digitsOnly = false);
  wxWindow* Button(int id, const std::string& text);

  wxWindow* Find(int id) const { return owner_->FindWindow(id); }
  void Enable(std::initializer_list<int> ids, bool on) const;
  void Show(std::initializer_list<int> ids, bool on) const;
  void SetChecked(int id, bool on) const;
  bool IsChecked(int id) const;
  void Select(int id, int index) const;
  void SetItems(int id, const std::vector<std::string>& items) const;
  // Sets the text only when it differs, so the caret stays where the user left it.
  void SetText(int id, const std::string& text) const;
  std::string Text(int id) const;
  int Number(int id) const;  // a digits-only edit; 0 when empty
  void Focus(int id) const;
  // A page that may not be left: its message (no caption, exclamation icon), then the focus on its control.
  void ShowFailure(const PageFailure& failure) const;

 private:
  wxWindow* owner_;
};

// A row of controls for a page's grid: the windows in order, then stretched to fill.
wxSizer* Row(std::initializer_list<wxWindow*> windows);
