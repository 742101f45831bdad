#include "devmodel/ui/DualListManager.h"

#include <wx/listbox.h>

namespace {

enum { kAvailable, kChosen, kAdd, kAddAll, kRemove, kRemoveAll, kMoveUp, kMoveDown };

}  // namespace

void CDualListManager::Bind(wxWindow* parent, int availableId, int chosenId, int addId, int addAllId, int removeId,
                            int removeAllId, int moveUpId, int moveDownId) {
  parent_ = parent;
  const int ids[] = {availableId, chosenId, addId, addAllId, removeId, removeAllId, moveUpId, moveDownId};
  std::copy(std::begin(ids), std::end(ids), ids_);
  available_ = wxDynamicCast(parent->FindWindow(availableId), wxListBox);
  chosen_ = wxDynamicCast(parent->FindWindow(chosenId), wxListBox);
  wxCHECK_RET(available_ && chosen_, "the dual list needs its two list boxes");
  model_.Bind(!available_->HasMultipleSelection(), !chosen_->HasMultipleSelection());
  Show();
}

bool CDualListManager::HandleCommand(int id, wxEventType type) {
  using Command = CDualListModel::Command;
  using Side = CDualListModel::Side;
  if (id == ids_[kAdd]) model_.Run(Command::Add);
  else if (id == ids_[kAddAll]) model_.Run(Command::AddAll);
  else if (id == ids_[kRemove]) model_.Run(Command::Remove);
  else if (id == ids_[kRemoveAll]) model_.Run(Command::RemoveAll);
  else if (id == ids_[kMoveDown]) model_.Run(Command::MoveDown);
  else if (id == ids_[kMoveUp]) model_.Run(Command::MoveUp);
  else if (id == ids_[kAvailable] || id == ids_[kChosen]) {
    const Side side = id == ids_[kAvailable] ? Side::Available : Side::Chosen;
    TakeSelection(side);
    if (type == wxEVT_LISTBOX_DCLICK) model_.DoubleClick(side);
    else {
      UpdateButtonStates();
      return true;
    }
  } else {
    return false;
  }
  Show();
  return true;
}

void CDualListManager::TakeSelection(CDualListModel::Side side) {
  wxListBox* box = side == CDualListModel::Side::Available ? available_ : chosen_;
  wxArrayInt rows;
  box->GetSelections(rows);
  model_.SetSelection(side, std::set<int>(rows.begin(), rows.end()));
}

void CDualListManager::Show() {
  ShowList(available_, CDualListModel::Side::Available);
  ShowList(chosen_, CDualListModel::Side::Chosen);
  UpdateButtonStates();
}

void CDualListManager::ShowList(wxListBox* box, CDualListModel::Side side) {
  box->Freeze();
  box->Clear();
  for (CDualListModel::Key key : model_.Rows(side)) box->Append(wxString::FromUTF8(model_.Text(key)));
  for (int row : model_.Selection(side)) box->SetSelection(row);
  box->Thaw();
}

void CDualListManager::UpdateButtonStates() {
  const CDualListModel::ButtonStates states = model_.States();
  SetButtonEnabled(ids_[kAdd], states.add);
  SetButtonEnabled(ids_[kAddAll], states.addAll);
  SetButtonEnabled(ids_[kRemove], states.remove);
  SetButtonEnabled(ids_[kRemoveAll], states.removeAll);
  SetButtonEnabled(ids_[kMoveUp], states.moveUp);
  SetButtonEnabled(ids_[kMoveDown], states.moveDown);
}

void CDualListManager::SetButtonEnabled(int id, bool enabled) {
  wxWindow* button = parent_->FindWindow(id);
  if (!button) return;
  if (!enabled && wxWindow::FindFocus() == button) parent_->Navigate();
  button->Enable(enabled);
}
