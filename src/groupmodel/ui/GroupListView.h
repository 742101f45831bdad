#pragma once
// The group list view: every managed AP with the groups that hold it, then the new APs; an AP's
// configuration from its context menu, and an AP row dragged onto a group node of its peer group tree
// view to make the AP a member.
#include <wx/listctrl.h>
#include <wx/timer.h>
#include <wx/treebase.h>

#include <memory>

#include "groupmodel/GroupListRows.h"
#include "groupmodel/ui/GroupViewServices.h"

class CGroupTreeView;
class wxImageList;

class CGroupListView : public wxListCtrl {
 public:
  enum Column { kSsid = 0, kIp, kMac, kGroups };
  static constexpr int kHoverTimer = 1;
  static constexpr int kScrollTimer = 2;
  static constexpr long kDragDelayMs = 30;

  CGroupListView(wxWindow* parent, GroupViewServices services);
  ~CGroupListView() override;

  CGroupListView* SetPeerTreeView(CGroupTreeView* peer);
  void FillList();
  void LayoutColumns();
  bool IsDragging() const { return dragging_; }
  // Drops a row on a group node of the peer tree, as releasing a drag there does.
  void DropRowOnGroup(int row, const wxTreeItemId& group);

 private:
  void OnBeginDrag(wxListEvent& event);
  void OnMouseMove(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnTimer(wxTimerEvent& event);
  void EndDrag();
  void ApConfiguration(bool previous);
  wxPoint CursorInPeer() const;

  GroupViewServices services_;
  std::unique_ptr<wxImageList> images_;
  CGroupListRows rows_;
  CGroupTreeView* peer_ = nullptr;
  bool firstLayout_ = true;
  wxTimer hoverTimer_;
  wxTimer scrollTimer_;
  unsigned scrollCount_ = 0;
  wxPoint cursor_;  // in the peer tree's client coordinates
  wxLongLong downTick_ = 0;
  bool dragging_ = false;
  int dragRow_ = -1;
  wxTreeItemId dropItem_;
};
