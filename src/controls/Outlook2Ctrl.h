#pragma once
// The navigation bar along the main window's left edge: folder headers stacked from the top, the current
// folder's items below its header, and one folder pinned to the bottom for a child window. A click on a
// header or item sends the main window that entry's command, as a menu would. The right edge is dragged to
// set the width, which is kept in the window-layout store for the next start.
#include <wx/bitmap.h>
#include <wx/font.h>
#include <wx/window.h>

#include <map>

#include "controlmodel/NavBarModel.h"

class COutlook2Ctrl : public wxWindow {
 public:
  // Reads the width kept from the last run.
  COutlook2Ctrl();
  // Keeps the width for the next run.
  ~COutlook2Ctrl() override;

  bool CreateNavigationBar(wxWindow* parent, int id);

  void AppendFolder(const std::string& name, int iconId, int commandId, const std::string& tip = {});
  void AppendGroup(const std::string& name, long value, int folder = -1);
  void AppendItem(const std::string& name, int iconId, NavItemKind kind, int commandId, int folder = -1,
                  int group = -1, const std::string& tip = {});
  void AppendWindowItem(wxWindow* window, bool fill, int folder = -1, int group = -1, const std::string& tip = {});
  void PinBottomFolder(const std::string& name, int iconId, wxWindow* window, bool fill);
  void SwitchToFolder(int folder, bool animate = false);
  NavHit HitTestBar(const wxPoint& point) const { return model_.HitTestBar(point.x, point.y); }
  CNavFolder* FolderAt(int folder) const { return model_.FolderAt(folder); }
  CNavGroup* GroupAt(int folder, int group) const { return model_.GroupAt(folder, group); }
  CNavItem* ItemAt(int folder, int group, int item) const { return model_.ItemAt(folder, group, item); }
  const CNavBarModel& Model() const { return model_; }

  // The picture drawn for an icon id (20 by 20); an id without one draws no icon.
  void SetIcon(int iconId, const wxBitmap& bitmap);
  // Widens the bar, unless the user collapsed it, so that no folder's caption is cut; a wider width stays.
  void FitFolderCaptions();
  // The size the frame gives the bar: its width and the full height.
  wxSize CalcFixedLayout() const { return wxSize(model_.Width(), 32767); }

  static constexpr char kSettingsSection[] = "Settings";
  static constexpr char kWidthKey[] = "OutbarSize";

 protected:
  virtual void PaintFolderHeader(wxDC& dc, const CNavFolder& folder, bool current, bool hovered);
  virtual void PaintGroupStrip(wxDC& dc, const CNavFolder& folder, const CNavGroup& group);
  virtual void PaintEntry(wxDC& dc, const CNavFolder& folder, const CNavGroup& group, CNavItem& item, bool hovered);
  virtual void InitColours();

  wxColour linkColour_;
  wxColour textColour_;
  wxColour backgroundColour_;

 private:
  void PaintBar(wxDC& dc);
  void PaintIcon(wxDC& dc, int iconId, int x, int y);
  void PlaceWindow(const NavPaintStep& step);
  void Slide();
  void HideFolderWindows();
  void SendCommand(int commandId);
  void RunCommandUpdate(CNavCmdUI& update);
  void ApplyWidth(int width);

  void OnPaint(wxPaintEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnLeave(wxMouseEvent& event);
  void OnSetCursor(wxSetCursorEvent& event);
  void OnSize(wxSizeEvent& event);
  void OnIdle(wxIdleEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);

  CNavBarModel model_;
  wxFont folderFont_;
  wxFont itemFont_;
  wxFont hoverFont_;
  std::map<int, wxBitmap> icons_;
};
