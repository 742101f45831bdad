#pragma once
// The device list as the group tree view's drop target: a group node dropped on one of its AP rows
// makes that AP a member of the group. The device list's view implements it over its report list.
#include <wx/gdicmn.h>

#include <string>

class wxWindow;

class IApRowPeer {
 public:
  virtual ~IApRowPeer() = default;
  virtual wxWindow* PeerWindow() = 0;
  // The row at a point of the peer window's client area; -1 for none.
  virtual int RowAt(const wxPoint& clientPoint) = 0;
  // The row's item data: the AP's MAC.
  virtual std::string MacOfRow(int row) = 0;
  virtual void SetDropHighlight(int row, bool on) = 0;
  // Told after a group or member was deleted in the tree.
  virtual void NoOp() {}
};
