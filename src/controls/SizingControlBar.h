#pragma once
// A control bar the user resizes. Docked in a CSizingDockBar row, it is dragged thicker at its inner edge
// and longer against its neighbours, the row's length being shared among the row's bars; a double click
// floats it in a mini-frame (resized at any edge) and docks it again. It keeps three sizes (docked top or
// bottom, docked left or right, floating) and stores them in the settings file. The geometry rules are
// sizingbar::CSizingBarModel's.
#include <wx/window.h>

#include <memory>
#include <string>
#include <vector>

#include "controlmodel/SizingBarModel.h"

class wxMiniFrame;
class CSizingDockBar;
namespace platform {
class CIniStore;
}

class CSizingControlBar : public wxWindow {
 public:
  CSizingControlBar();
  ~CSizingControlBar() override;

  // Creates the bar in the dock bar (or floating when parent is no dock bar). style takes the bar's style
  // bits (sizingbar::kPaintEdges, kSizeChild).
  virtual bool CreateBar(const std::string& name, wxWindow* parent, wxWindowID id, unsigned style = sizingbar::kPaintEdges);
  // The same with all three sizes set to defaultSize; the gripper flag is decided by the class.
  bool CreateBar(const std::string& name, wxWindow* parent, const wxSize& defaultSize, bool gripper, wxWindowID id,
                 unsigned style = sizingbar::kPaintEdges);

  // The section "<profile>-SCBar-<id>" of the settings file (or of the given store).
  void LoadSizes(const std::string& profile);
  void SaveSizes(const std::string& profile);
  void LoadSizes(const platform::CIniStore& store, const std::string& profile);
  void SaveSizes(platform::CIniStore& store, const std::string& profile) const;
  // Every sizing bar among the frame's windows, docked or floating.
  static void LoadAllSizes(wxWindow* frame, const std::string& profile);
  static void SaveAllSizes(wxWindow* frame, const std::string& profile);

  sizingbar::CSizingBarModel& Model() { return m_model; }
  bool IsFloating() const { return m_floatFrame != nullptr; }
  // Floats the bar in a mini-frame, or docks it in the row it came from.
  void ToggleDocking();
  // The bar's room inside its window (its window coordinates).
  wxRect ClientArea() const;
  wxMiniFrame* FloatFrame() const { return m_floatFrame; }
  // A floating bar's mini-frame shows the same title.
  void SetLabel(const wxString& label) override;

 protected:
  explicit CSizingControlBar(bool gripper);
  virtual void PaintGripper(wxDC& dc, const wxRect& client);

 private:
  friend class CSizingDockBar;
  void OnPaint(wxPaintEvent& event);
  void OnSize(wxSizeEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnDoubleClick(wxMouseEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);
  void StopResize();
  ControlRect WindowRect() const;
  CSizingDockBar* Dock() const;

  sizingbar::CSizingBarModel m_model;
  std::unique_ptr<sizingbar::CEdgeDrag> m_drag;
  bool m_dragAlongX = false;
  bool m_closePressed = false;  // the left button went down on the close button  // the drag follows the pointer's x (left and right edges), else its y
  CSizingDockBar* m_home = nullptr;  // the row it docks into
  wxMiniFrame* m_floatFrame = nullptr;
};

// A sizing bar with a gripper of two raised lines and a close button that hides the bar.
class CSizingControlBarG : public CSizingControlBar {
 public:
  CSizingControlBarG();

 protected:
  void PaintGripper(wxDC& dc, const wxRect& client) override;
};

// One docking row along a side of a frame: it lays its bars out next to each other, shares its length
// among them, and takes the thickness of the thickest.
class CSizingDockBar : public wxWindow {
 public:
  CSizingDockBar(wxWindow* parent, sizingbar::Dock side);
  sizingbar::Dock Side() const { return m_side; }
  bool IsHorizontal() const { return m_side == sizingbar::Dock::Top || m_side == sizingbar::Dock::Bottom; }
  // The shown bars in row order.
  std::vector<CSizingControlBar*> RowBars() const;
  // Shares the row's length, places the bars and asks the frame for the row's new thickness.
  void LayoutRow();
  // Applies the row as a drag changed it.
  void TakeRow(const std::vector<sizingbar::RowBar>& row);
  std::vector<sizingbar::RowBar> Row() const;

 private:
  sizingbar::Dock m_side;
};
