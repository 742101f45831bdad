#pragma once
// The part every page of an AP's configuration sheet shares: its place in the sheet's model, the red
// marks beside settings that changed on the device with their rich tool tips, and how a failed check is
// shown (the control gets the focus, the text a message box with the exclamation icon).
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <map>
#include <string>
#include <vector>

#include "config/ApConfigSheetModel.h"
#include "controls/RichToolTipCtrl.h"
#include "controls/TreePropPage.h"

class CApConfigPage : public CTreePropPage {
 public:
  CApConfigPage(wxWindow* sheet, const std::string& caption, CApConfigSheetModel& model,
                CApConfigSheetModel::Page page);

  // The model's values into the controls; called once, when the sheet opens.
  virtual void Load() = 0;
  // The controls into the model.
  virtual void Save() = 0;
  // Leaving a page keeps its values and runs the checks it makes on leaving.
  bool OnKillActive() override;

  void ShowFailure(const PageCheckFailure& failure);

 protected:
  // The page's checks on leaving; a failure is shown and keeps the page. None by default.
  virtual PageCheck CheckOnLeave() { return std::nullopt; }
  // A hidden red mark beside a setting, shown when the device changed it.
  wxWindow* AddMark(int id);
  void ApplyMarks(const std::vector<SyncMark>& marks);
  // A label, the control and its mark (or a spacer) as one row of a three-column grid.
  void AddRow(wxFlexGridSizer* grid, const wxString& label, wxWindow* control, int markId = 0);
  void AddRow(wxFlexGridSizer* grid, const wxString& label, wxSizer* controls, int markId = 0);
  static wxFlexGridSizer* NewGrid();
  // Disables every control of the ids.
  void DisableControls(const std::vector<int>& ids);

  CApConfigSheetModel& model_;

 private:
  void OnShown(wxShowEvent& event);

  const CApConfigSheetModel::Page page_;
  CRichToolTipCtrl* tips_ = nullptr;
  std::map<int, wxWindow*> marks_;
};
