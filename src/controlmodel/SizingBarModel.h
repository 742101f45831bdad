#pragma once
// The geometry rules of a sizing control bar, without windows: its three sizes and their minimums and
// settings section, the sizing edges it offers where it is docked, its client area and hit codes, how a
// docking row shares its length among its bars, and the edge drag that resizes them.
#include <string>
#include <vector>

#include "controlmodel/ControlRect.h"

namespace platform {
class CIniStore;
}

namespace sizingbar {

struct BarSize {
  int cx = 0;
  int cy = 0;
  bool operator==(const BarSize&) const = default;
};
struct BarPoint {
  int x = 0;
  int y = 0;
};

enum class Dock { Top, Bottom, Left, Right, Floating };

// Style bits: the four sizing edges, then painting them and keeping the single child at the client size.
constexpr unsigned kEdgeLeft = 0x01, kEdgeRight = 0x02, kEdgeTop = 0x04, kEdgeBottom = 0x08;
constexpr unsigned kPaintEdges = 0x10, kSizeChild = 0x20;
constexpr unsigned kEdgeBits = kEdgeLeft | kEdgeRight | kEdgeTop | kEdgeBottom;

// Hit codes as the window system numbers them.
enum HitCode : int {
  HTNOWHERE = 0, HTCLIENT = 1, HTLEFT = 10, HTRIGHT = 11, HTTOP = 12, HTTOPLEFT = 13, HTTOPRIGHT = 14,
  HTBOTTOM = 15, HTBOTTOMLEFT = 16, HTBOTTOMRIGHT = 17, HTCLOSE = 20
};
// Edge index 0..3 (left, top, right, bottom) as its hit code; HTNOWHERE for other indexes.
int EdgeHitCode(int edge);

constexpr int kEdgeWidth = 5;
constexpr int kGripperRoom = 12;
constexpr int kCloseButtonSize = 11;
constexpr int kStretched = 32767;

// One bar of a docking row as the row rules see it. Length runs along the row, thickness across it; a
// bar that is not a sizing bar only takes its length off the row.
struct RowBar {
  bool sizing = true;
  int length = 200;
  int thickness = 200;
  int minLength = 33;
  int minThickness = 32;
  bool keepSize = false;
};

class CSizingBarModel {
 public:
  explicit CSizingBarModel(bool gripper = false) : gripper_(gripper) {}

  // The section of the settings file for a bar: "<profile>-SCBar-<child id>".
  static std::string Section(const std::string& profile, int childId);
  // Reads the six sizes (missing ones keep the current size), each raised to its minimum.
  void LoadSizes(const platform::CIniStore& store, const std::string& profile, int childId);
  void SaveSizes(platform::CIniStore& store, const std::string& profile, int childId) const;

  void SetDock(Dock dock) { dock_ = dock; }
  Dock GetDock() const { return dock_; }
  bool IsDockedTopOrBottom() const { return dock_ == Dock::Top || dock_ == Dock::Bottom; }
  bool IsDockedLeftOrRight() const { return dock_ == Dock::Left || dock_ == Dock::Right; }
  bool IsUndocked() const { return dock_ == Dock::Floating; }
  bool HasGripper() const { return gripper_; }
  bool ShowsGripper() const { return gripper_ && !IsUndocked(); }

  // Sets the three sizes alike.
  void SetDefaultSize(BarSize size) { horz_ = vert_ = float_ = size; }
  BarSize& HorzSize() { return horz_; }
  BarSize& VertSize() { return vert_; }
  BarSize& FloatSize() { return float_; }
  const BarSize& HorzSize() const { return horz_; }
  const BarSize& VertSize() const { return vert_; }
  const BarSize& FloatSize() const { return float_; }
  static constexpr BarSize kMinHorz{33, 32}, kMinVert{33, 32}, kMinFloat{37, 32};

  // The fixed size a dock asks for: stretched across the whole dock, or the size for the orientation,
  // raised to its minimum.
  BarSize CalcFixedLayout(bool stretch, bool horizontal) const;
  // This bar as a row member of the given orientation, and back.
  RowBar AsRowBar(bool horizontal) const;
  void TakeRowBar(const RowBar& bar, bool horizontal);

  // A floating bar resized by a corner (HTTOPLEFT .. HTBOTTOMRIGHT) to the cursor: frame is the mini-frame's
  // window rectangle, bar the bar's own. The new floating size, never below its minimum.
  BarSize ResizeFloatingAtCorner(int hit, BarPoint cursor, const ControlRect& frame, const ControlRect& bar);
  // A floating bar given a new height (or width).
  BarSize ResizeFloatingLength(int length, bool height);

  // Edges of a docked bar: none on the row's outer ends; the side facing the frame's interior always.
  void UpdateEdges(bool firstInRow, bool lastInRow);
  unsigned Style() const { return style_; }
  void SetStyle(unsigned style) { style_ = style; }
  // The client area inside the window rectangle (window coordinates); with a gripper, the close button
  // rectangle is placed too.
  ControlRect CalcClientArea(const ControlRect& window);
  // The strip of an edge (index 0..3) inside the window rectangle; empty when the bar has no such edge.
  ControlRect EdgeRect(const ControlRect& window, int edge) const;
  // Docked: the first edge holding the point, else HTCLIENT; with a gripper HTCLOSE over the button.
  int HitTest(const ControlRect& window, BarPoint point) const;
  const ControlRect& CloseButton() const { return closeButton_; }

 private:
  bool Horizontal() const { return !IsDockedLeftOrRight(); }

  bool gripper_;
  Dock dock_ = Dock::Floating;
  unsigned style_ = 0;
  BarSize horz_{200, 200}, vert_{200, 200}, float_{200, 200};
  ControlRect closeButton_;
};

// The outcome of sharing a row's length among its bars.
struct Negotiation {
  bool goOn = true;   // false: the row was split before this bar and the dock lays out again
  int breakAfter = -1;   // a row break goes after this bar
  int breakBefore = -1;  // a row break goes before this bar
};
// Shares total (the row's length) among the row's bars; self is the bar that negotiates. Minimum lengths
// that do not fit split the row; a lone sizing bar takes the whole difference; several share it a pixel
// at a time in row order, leaving keep-size bars alone while others can give.
Negotiation NegotiateRowSpace(std::vector<RowBar>& row, int self, int total);
// Where each bar of the row starts along it: from -2 (horizontal) or 0, each advancing by its length - 2.
std::vector<int> AlignRow(const std::vector<RowBar>& row, bool horizontal);

// A drag of one edge of bar self (edge index 0..3) in a row of sizing bars.
class CEdgeDrag {
 public:
  // room is what the frame's client area leaves for a thicker row (only a thickness drag uses it).
  CEdgeDrag(const std::vector<RowBar>& row, int self, int edge, bool horizontal, int coordinate, int room);
  int Min() const { return min_; }
  int Max() const { return max_; }
  bool IsLengthDrag() const { return lengthDrag_; }
  // Moves the edge to the coordinate (clamped); false when nothing changed.
  bool Update(std::vector<RowBar>& row, int coordinate);
  int Coordinate() const { return last_; }

 private:
  int self_;
  int edge_;
  bool lengthDrag_;
  int min_, max_, last_;
};

}  // namespace sizingbar
