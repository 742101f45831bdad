#include "groupmodel/ui/GroupNodeDialogs.h"

#include "groupmodel/GroupChanges.h"
#include "groupmodel/TemplatePageMapping.h"
#include "groupmodel/TextFormat.h"
#include "groupmodel/ui/CfgGroupApDlg.h"
#include "groupmodel/ui/CfgGroupTemplateSheet.h"
#include "groupmodel/ui/GroupAddApDlg.h"
#include "groups/GroupStore.h"
#include "platform/MessageBox.h"

std::optional<GroupTemplateRecord> EditGroupTemplate(const std::string& group) {
  CGroupStore* store = GetGroupStore();
  CCfgGroupTemplateSheet sheet(FormatText("config \"%s\" template", {group}));
  GroupTemplateRecord stored;
  store->GetGroupTemplate(group, &stored);
  store->GetGroupBindings(group, sheet.Bindings());
  PagesFromTemplate(stored, sheet.Pages());
  if (sheet.ShowModal() != wxID_OK) return std::nullopt;
  GroupTemplateRecord record;
  TemplateFromPages(sheet.Pages(), &record);
  if (!StoreGroupTemplate(group, record)) return std::nullopt;
  return record;
}

bool ConfigureGroupApList(wxWindow* parent, const std::string& group) {
  if (GetGroupStore()->IsDefaultTemplateGroup(group) == 1) {
    platform::MessageBox("Warning: couldn't config default group's Ap list", "", platform::MB_ICONWARNING);
    return false;
  }
  CCfgGroupApDlg dialog(parent);
  dialog.m_strGroupName = group;
  return dialog.ShowModal() == wxID_OK;
}

bool AddApsToGroup(wxWindow* parent, const std::string& group) {
  CGroupAddApDlg dialog(parent);
  dialog.m_strGroupName = group;
  return dialog.ShowModal() == wxID_OK;
}
