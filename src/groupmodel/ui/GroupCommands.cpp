#include "groupmodel/ui/GroupCommands.h"

#include <wx/menu.h>

using namespace group_cmd;

wxMenu* MakeGroupPopup(GroupPopup popup) {
  auto* menu = new wxMenu;
  switch (popup) {
    case GroupPopup::kGroupNode:
      menu->Append(kEditTemplate, "Edit Template(&E)");
      menu->Append(kApplyTemplate, "Apply Template(&A)");
      menu->Append(kRename, "Rename(&R)");
      menu->Append(kDelete, "Delete(&D)");
      menu->AppendSeparator();
      menu->Append(kAddGroup, "Add Group(&C)");
      menu->Append(kAddAp, "Add AP");
      menu->AppendSeparator();
      menu->Append(kCollapse, "Collapse");
      menu->Append(kExpand, "Expand");
      break;
    case GroupPopup::kApNode:
      menu->Append(kDelete, "Delete(&D)");
      menu->Append(kApConfiguration, "Configuration(&C)");
      break;
    case GroupPopup::kDefaultGroup:
      menu->Append(kEditTemplate, "Edit template(&E)");
      menu->Append(kRename, "Rename(&R)");
      break;
    case GroupPopup::kEmptyClick:
      menu->Append(kAddGroup, "Add Group(&C)");
      break;
    case GroupPopup::kGroupList:
      menu->Append(kApConfiguration, "Configuration(&C)");
      menu->Append(kApPreviousConfiguration, "Reload Previous Configuration(&R)");
      menu->AppendSeparator();
      menu->Append(kSaveToDatabase, "Save To Database(&S)");
      menu->Append(kDeleteFromDatabase, "Delete From Database(&D)   ");
      break;
  }
  return menu;
}
