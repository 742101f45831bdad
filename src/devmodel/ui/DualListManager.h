#pragma once
// The column chooser's two list boxes and six buttons over CDualListModel: the boxes show the model's
// rows and selections after every command, the buttons follow its states, and a button about to be
// disabled passes the keyboard focus on first.
#include <wx/window.h>

#include "devmodel/DualListModel.h"

class wxListBox;

class CDualListManager {
 public:
  CDualListModel& Model() { return model_; }
  // After the items were added: takes the parent's controls by their ids and fills them.
  void Bind(wxWindow* parent, int availableId, int chosenId, int addId, int addAllId, int removeId, int removeAllId,
            int moveUpId, int moveDownId);
  // A command of the parent; false when it is not one of the manager's.
  bool HandleCommand(int id, wxEventType type);

 private:
  void Show();
  void ShowList(wxListBox* box, CDualListModel::Side side);
  void TakeSelection(CDualListModel::Side side);
  void UpdateButtonStates();
  void SetButtonEnabled(int id, bool enabled);

  CDualListModel model_;
  wxWindow* parent_ = nullptr;
  wxListBox* available_ = nullptr;
  wxListBox* chosen_ = nullptr;
  int ids_[8] = {};
};
