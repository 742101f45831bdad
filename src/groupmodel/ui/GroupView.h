#pragma once
// The group view: a tree of the AP groups with their members, five buttons above it and context menus
// on the tree, from which the administrator creates groups with their templates, edits and applies
// templates, renames and deletes groups, adds and removes APs and opens an AP's configuration.
// Other code asks it to rebuild its tree by posting WM_GROUP_RELOAD to GetWindowId().
#include <wx/panel.h>
#include <wx/treectrl.h>

#include <memory>
#include <string>

#include "db/GroupTemplateRecord.h"
#include "groupmodel/GroupTreeModel.h"
#include "groupmodel/ui/GroupViewServices.h"
#include "platform/Window.h"

class CGuiMessageReceiver;
class wxImageList;
class wxStaticText;

class CGroupView : public wxPanel {
 public:
  static constexpr int kTreeId = 1194;
  static constexpr int kHelpId = 1219;
  static constexpr int kAddGroupButton = 1202;
  static constexpr int kEditTemplateButton = 1216;
  static constexpr int kAddApButton = 1217;
  static constexpr int kDeleteButton = 1222;
  static constexpr int kConfigurationButton = 1224;
  static constexpr int kButtonRowHeight = 29;

  CGroupView(wxWindow* parent, GroupViewServices services);
  ~CGroupView() override;

  platform::WindowId GetWindowId() const { return windowId_; }
  wxTreeCtrl* Tree() const { return tree_; }

  // Rebuilds the tree from the group store (also on WM_GROUP_RELOAD and after an apply ends).
  void RefreshGroupTree();
  // Switches load balancing off in one AP; no command calls it.
  void ResetApLoadBalance(const std::string& mac);
  // -1 nothing selected, 0 a group, 1 an AP.
  int GetItemLevel() const;

  // The commands, as the buttons and menus run them.
  void EditTemplate();
  void ApplyTemplate();
  void AddGroup();
  void Rename();
  void Delete();
  void AddAp();
  void ConfigureApList();
  void ApConfiguration();
  void ApPreviousConfiguration();

 private:
  class ApData;
  void Build();
  void OnSize(wxSizeEvent& event);
  void OnRightClick(wxTreeEvent& event);
  void RefreshApIcons(const wxTreeItemId& group);
  void OfferApply(const std::string& group, const GroupTemplateRecord& record);
  std::string SelectedGroupName() const;
  std::string MacOf(const wxTreeItemId& item) const;
  void ExpandAllWithChildren();
  void OpenApConfiguration(const ApConfigurationOpener& open);

  GroupViewServices services_;
  wxTreeCtrl* tree_ = nullptr;
  wxStaticText* help_ = nullptr;
  std::unique_ptr<wxImageList> images_;
  CGroupTreeModel model_;
  GroupTemplateRecord declinedTemplate_;  // the last template saved without applying it
  std::shared_ptr<CGuiMessageReceiver> receiver_;
  platform::WindowId windowId_ = platform::kNoWindow;
};
