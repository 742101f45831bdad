#pragma once
// The group tree view: every group with its member APs, the group commands on context menus, and a group
// node dragged onto an AP row of its peer device list to make that AP a member. Rebuilds on
// WM_GROUP_RELOAD posted to GetWindowId().
#include <wx/timer.h>
#include <wx/treectrl.h>

#include <memory>
#include <string>

#include "groupmodel/GroupTreeModel.h"
#include "groupmodel/ui/GroupViewServices.h"
#include "platform/Window.h"

class CGuiMessageReceiver;
class IApRowPeer;
class wxImageList;

class CGroupTreeView : public wxTreeCtrl {
 public:
  static constexpr int kHoverTimer = 1;
  static constexpr int kScrollTimer = 2;
  static constexpr long kDragDelayMs = 30;

  CGroupTreeView(wxWindow* parent, GroupViewServices services);
  ~CGroupTreeView() override;

  CGroupTreeView* SetPeerListView(IApRowPeer* peer);
  platform::WindowId GetWindowId() const { return windowId_; }

  void FillTree();
  // -1 no node, 0 a group, 1 an AP; the selected node when item is not given.
  int GetNodeKind(wxTreeItemId item = wxTreeItemId()) const;
  std::string GetNodeText(wxTreeItemId item = wxTreeItemId()) const;
  std::string MacOf(const wxTreeItemId& item) const;
  // Appends an AP node to a group node, as a drop does.
  void AppendApNode(const wxTreeItemId& group, const std::string& text, const std::string& mac);
  // The group node at a point of the client area (none for an AP node or empty space).
  wxTreeItemId GroupNodeAt(const wxPoint& point) const;
  bool IsDragging() const { return dragging_; }

  void EditTemplate();
  void ConfigureApList();
  void AddAp();
  void Rename();
  void Delete();
  void AddGroup();
  void ApConfiguration(bool previous);

 private:
  class ApData;
  void OnRightClick(wxTreeEvent& event);
  void OnBeginDrag(wxTreeEvent& event);
  void OnMouseMove(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnTimer(wxTimerEvent& event);
  void EndDrag();
  void DropOnRow(int row);
  void RefreshGroupIcons(const wxTreeItemId& group);
  void UpdateCommand(wxUpdateUIEvent& event, int kind) const;

  GroupViewServices services_;
  std::unique_ptr<wxImageList> images_;
  CGroupTreeModel model_;
  IApRowPeer* peer_ = nullptr;
  wxTimer hoverTimer_;
  wxTimer scrollTimer_;
  unsigned scrollCount_ = 0;
  wxPoint cursor_;
  wxLongLong downTick_ = 0;
  bool dragging_ = false;
  wxTreeItemId dragItem_;
  int dropKind_ = 0;  // 1 a tree node, 2 a peer row
  wxTreeItemId dropItem_;
  int dropRow_ = -1;
  std::shared_ptr<CGuiMessageReceiver> receiver_;
  platform::WindowId windowId_ = platform::kNoWindow;
};
