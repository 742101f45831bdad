#include "groupmodel/ui/PageControls.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include <charconv>

#include "groupmodel/PageFailure.h"
#include "platform/MessageBox.h"

wxWindow* CPageControls::Check(int id, const std::string& text) {
  return new wxCheckBox(owner_, id, wxString::FromUTF8(text));
}

wxWindow* CPageControls::Label(int id, const std::string& text) {
  return new wxStaticText(owner_, id, wxString::FromUTF8(text));
}

wxWindow* CPageControls::Choice(int id, std::initializer_list<const char*> items) {
  auto* choice = new wxChoice(owner_, id);
  for (const char* item : items) choice->Append(item);
  return choice;
}

wxWindow* CPageControls::Radio(int id, const std::string& text, bool first) {
  return new wxRadioButton(owner_, id, wxString::FromUTF8(text), wxDefaultPosition, wxDefaultSize,
                           first ? wxRB_GROUP : 0);
}

wxWindow* CPageControls::Edit(int id, long maxLength, bool digitsOnly) {
  auto* edit = new wxTextCtrl(owner_, id, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                              digitsOnly ? wxTextValidator(wxFILTER_DIGITS) : wxDefaultValidator);
  if (maxLength > 0) edit->SetMaxLength(maxLength);
  return edit;
}

wxWindow* CPageControls::Button(int id, const std::string& text) {
  return new wxButton(owner_, id, wxString::FromUTF8(text));
}

void CPageControls::Enable(std::initializer_list<int> ids, bool on) const {
  for (int id : ids)
    if (wxWindow* window = Find(id)) window->Enable(on);
}

void CPageControls::Show(std::initializer_list<int> ids, bool on) const {
  for (int id : ids)
    if (wxWindow* window = Find(id)) window->Show(on);
}

void CPageControls::SetChecked(int id, bool on) const {
  wxWindow* window = Find(id);
  if (auto* box = dynamic_cast<wxCheckBox*>(window)) box->SetValue(on);
  if (auto* radio = dynamic_cast<wxRadioButton*>(window)) radio->SetValue(on);
}

bool CPageControls::IsChecked(int id) const {
  wxWindow* window = Find(id);
  if (auto* box = dynamic_cast<wxCheckBox*>(window)) return box->GetValue();
  if (auto* radio = dynamic_cast<wxRadioButton*>(window)) return radio->GetValue();
  return false;
}

void CPageControls::Select(int id, int index) const {
  if (auto* choice = dynamic_cast<wxChoice*>(Find(id)))
    choice->SetSelection(index >= 0 && index < static_cast<int>(choice->GetCount()) ? index : wxNOT_FOUND);
}

void CPageControls::SetItems(int id, const std::vector<std::string>& items) const {
  auto* choice = dynamic_cast<wxChoice*>(Find(id));
  if (!choice) return;
  wxArrayString texts;
  for (const std::string& item : items) texts.Add(wxString::FromUTF8(item));
  if (choice->GetStrings() != texts) choice->Set(texts);
}

void CPageControls::SetText(int id, const std::string& text) const {
  auto* edit = dynamic_cast<wxTextCtrl*>(Find(id));
  if (edit && edit->GetValue().utf8_string() != text) edit->ChangeValue(wxString::FromUTF8(text));
}

std::string CPageControls::Text(int id) const {
  auto* edit = dynamic_cast<wxTextCtrl*>(Find(id));
  return edit ? edit->GetValue().utf8_string() : std::string();
}

int CPageControls::Number(int id) const {
  const std::string text = Text(id);
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

void CPageControls::Focus(int id) const {
  if (wxWindow* window = Find(id)) window->SetFocus();
}

wxSizer* Row(std::initializer_list<wxWindow*> windows) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  for (wxWindow* window : windows) row->Add(window, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  return row;
}

void CPageControls::ShowFailure(const PageFailure& failure) const {
  platform::MessageBox(failure.message, "", platform::MB_ICONWARNING);
  if (failure.control) Focus(failure.control);
}
