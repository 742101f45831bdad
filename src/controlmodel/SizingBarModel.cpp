#include "controlmodel/SizingBarModel.h"

#include <algorithm>
#include <cstdlib>

#include "platform/IniStore.h"

namespace sizingbar {

namespace {

BarSize AtLeast(BarSize size, BarSize minimum) {
  return {std::max(size.cx, minimum.cx), std::max(size.cy, minimum.cy)};
}

bool IsLeadingEdge(int edge) { return edge == 0 || edge == 1; }  // left or top

// Length and thickness of a size for the orientation.
int LengthOf(BarSize size, bool horizontal) { return horizontal ? size.cx : size.cy; }
int ThicknessOf(BarSize size, bool horizontal) { return horizontal ? size.cy : size.cx; }

}  // namespace

int EdgeHitCode(int edge) {
  static constexpr int kCodes[] = {HTLEFT, HTTOP, HTRIGHT, HTBOTTOM};
  return edge >= 0 && edge < 4 ? kCodes[edge] : HTNOWHERE;
}

std::string CSizingBarModel::Section(const std::string& profile, int childId) {
  return profile + "-SCBar-" + std::to_string(childId);
}

void CSizingBarModel::LoadSizes(const platform::CIniStore& store, const std::string& profile, int childId) {
  const std::string section = Section(profile, childId);
  auto read = [&](const char* cx, const char* cy, BarSize& size, BarSize minimum) {
    size = AtLeast({store.GetInt(section, cx, size.cx), store.GetInt(section, cy, size.cy)}, minimum);
  };
  read("sizeHorzCX", "sizeHorzCY", horz_, kMinHorz);
  read("sizeVertCX", "sizeVertCY", vert_, kMinVert);
  read("sizeFloatCX", "sizeFloatCY", float_, kMinFloat);
}

void CSizingBarModel::SaveSizes(platform::CIniStore& store, const std::string& profile, int childId) const {
  const std::string section = Section(profile, childId);
  store.SetInt(section, "sizeHorzCX", horz_.cx);
  store.SetInt(section, "sizeHorzCY", horz_.cy);
  store.SetInt(section, "sizeVertCX", vert_.cx);
  store.SetInt(section, "sizeVertCY", vert_.cy);
  store.SetInt(section, "sizeFloatCX", float_.cx);
  store.SetInt(section, "sizeFloatCY", float_.cy);
}

BarSize CSizingBarModel::CalcFixedLayout(bool stretch, bool horizontal) const {
  if (stretch) return horizontal ? BarSize{kStretched, horz_.cy} : BarSize{vert_.cx, kStretched};
  return horizontal ? AtLeast(horz_, kMinHorz) : AtLeast(vert_, kMinVert);
}

RowBar CSizingBarModel::AsRowBar(bool horizontal) const {
  const BarSize size = horizontal ? horz_ : vert_;
  const BarSize minimum = horizontal ? kMinHorz : kMinVert;
  RowBar bar;
  bar.length = LengthOf(size, horizontal);
  bar.thickness = ThicknessOf(size, horizontal);
  bar.minLength = LengthOf(minimum, horizontal);
  bar.minThickness = ThicknessOf(minimum, horizontal);
  return bar;
}

void CSizingBarModel::TakeRowBar(const RowBar& bar, bool horizontal) {
  if (horizontal)
    horz_ = {bar.length, bar.thickness};
  else
    vert_ = {bar.thickness, bar.length};
}

BarSize CSizingBarModel::ResizeFloatingAtCorner(int hit, BarPoint cursor, const ControlRect& frame,
                                                const ControlRect& bar) {
  const bool left = hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
  const bool top = hit == HTTOPLEFT || hit == HTTOPRIGHT;
  if (hit == HTTOPLEFT || hit == HTTOPRIGHT || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT) {
    float_.cx = left ? frame.left + bar.Width() - cursor.x : bar.Width() + cursor.x - frame.right;
    float_.cy = top ? frame.top + bar.Height() - cursor.y : bar.Height() + cursor.y - frame.bottom;
  }
  float_ = AtLeast(float_, kMinFloat);
  return float_;
}

BarSize CSizingBarModel::ResizeFloatingLength(int length, bool height) {
  (height ? float_.cy : float_.cx) = length;
  float_ = AtLeast(float_, kMinFloat);
  return float_;
}

void CSizingBarModel::UpdateEdges(bool firstInRow, bool lastInRow) {
  style_ &= ~kEdgeBits;
  if (IsUndocked()) return;
  const bool horizontal = Horizontal();
  if (!firstInRow) style_ |= horizontal ? kEdgeLeft : kEdgeTop;
  if (!lastInRow) style_ |= horizontal ? kEdgeRight : kEdgeBottom;
}

ControlRect CSizingBarModel::CalcClientArea(const ControlRect& window) {
  ControlRect rc = window;
  rc.left += 3, rc.top += 5, rc.right -= 3, rc.bottom -= 3;
  if (!IsUndocked()) rc.left += 2, rc.right -= 2, rc.bottom -= 2;
  switch (dock_) {  // the side facing the frame's interior
    case Dock::Top: style_ |= kEdgeBottom; break;
    case Dock::Bottom: style_ |= kEdgeTop; break;
    case Dock::Left: style_ |= kEdgeRight; break;
    case Dock::Right: style_ |= kEdgeLeft; break;
    case Dock::Floating: break;
  }
  if (style_ & kPaintEdges) {
    if (style_ & kEdgeLeft) rc.left += kEdgeWidth;
    if (style_ & kEdgeTop) rc.top += kEdgeWidth;
    if (style_ & kEdgeRight) rc.right -= kEdgeWidth;
    if (style_ & kEdgeBottom) rc.bottom -= kEdgeWidth;
  }
  if (ShowsGripper()) {
    if (Horizontal()) {
      rc.left += kGripperRoom;
      closeButton_ = {rc.left - 13, rc.top, rc.left - 13 + kCloseButtonSize, rc.top + kCloseButtonSize};
    } else {
      rc.top += kGripperRoom;
      closeButton_ = {rc.right - 12, rc.top - 13, rc.right - 12 + kCloseButtonSize, rc.top - 13 + kCloseButtonSize};
    }
  }
  return rc;
}

ControlRect CSizingBarModel::EdgeRect(const ControlRect& window, int edge) const {
  static constexpr unsigned kBits[] = {kEdgeLeft, kEdgeTop, kEdgeRight, kEdgeBottom};
  if (edge < 0 || edge > 3 || !(style_ & kBits[edge])) return {};
  ControlRect rc = window;
  if (style_ & kPaintEdges) rc = {rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1};
  const bool acrossRow = (edge == 0 || edge == 2) == Horizontal();
  switch (edge) {
    case 0: rc.right = rc.left + kEdgeWidth; break;
    case 1: rc.bottom = rc.top + kEdgeWidth; break;
    case 2: rc.left = rc.right - kEdgeWidth; break;
    default: rc.top = rc.bottom - kEdgeWidth; break;
  }
  if (acrossRow) {
    if (edge == 0 || edge == 2)
      rc.top += kEdgeWidth, rc.bottom -= kEdgeWidth;
    else
      rc.left += kEdgeWidth, rc.right -= kEdgeWidth;
  }
  return rc;
}

int CSizingBarModel::HitTest(const ControlRect& window, BarPoint point) const {
  if (!IsUndocked())
    for (int edge = 0; edge < 4; ++edge)
      if (EdgeRect(window, edge).Contains(point.x, point.y)) return EdgeHitCode(edge);
  if (ShowsGripper() && closeButton_.Contains(point.x - window.left, point.y - window.top)) return HTCLOSE;
  return HTCLIENT;
}

Negotiation NegotiateRowSpace(std::vector<RowBar>& row, int self, int total) {
  Negotiation result;
  int available = total, actual = 0, needed = 2, widest = 0;
  std::vector<RowBar*> sizing;
  for (int i = 0; i < static_cast<int>(row.size()); ++i) {
    RowBar& bar = row[i];
    needed += (bar.sizing ? bar.minLength : bar.length) - 2;
    if (needed > total) {
      if (i < self) {
        result.goOn = false;
        result.breakAfter = i;
        return result;
      }
      if (i == self) {
        bar.length = bar.minLength;
        return result;
      }
      result.breakBefore = i;
      break;
    }
    if (bar.sizing) {
      actual += bar.length - 2;
      widest = std::max(widest, bar.thickness);
      sizing.push_back(&bar);
    } else {
      available -= bar.length - 2;
    }
  }
  int delta = available - actual;
  if (sizing.size() == 1) {
    if (delta != 0) {
      sizing.front()->keepSize = false;
      sizing.front()->length += delta;
    }
    return result;
  }
  for (RowBar* bar : sizing) bar->thickness = widest;
  while (delta != 0) {
    bool changed = false;
    for (RowBar* bar : sizing) {
      if (delta == 0) break;
      if (bar->keepSize || (delta < 0 && bar->length <= bar->minLength)) continue;
      const int step = delta > 0 ? 1 : -1;
      bar->length += step;
      delta -= step;
      changed = true;
    }
    const bool anyKept = std::any_of(sizing.begin(), sizing.end(), [](RowBar* bar) { return bar->keepSize; });
    if (!changed || delta == 0)
      for (RowBar* bar : sizing) bar->keepSize = false;
    if (!changed && !anyKept) break;  // every bar is at its minimum: nothing more can give
  }
  return result;
}

std::vector<int> AlignRow(const std::vector<RowBar>& row, bool horizontal) {
  std::vector<int> positions;
  int position = horizontal ? -2 : 0;
  for (const RowBar& bar : row) {
    positions.push_back(position);
    position += bar.length - 2;
  }
  return positions;
}

CEdgeDrag::CEdgeDrag(const std::vector<RowBar>& row, int self, int edge, bool horizontal, int coordinate, int room)
    : self_(self), edge_(edge), min_(coordinate), max_(coordinate), last_(coordinate) {
  lengthDrag_ = (edge == 0 || edge == 2) == horizontal;
  if (lengthDrag_) {
    const int split = IsLeadingEdge(edge) ? self : self + 1;  // the first bar after the edge
    for (int i = 0; i < static_cast<int>(row.size()); ++i) {
      const int excess = row[i].length - row[i].minLength;
      if (i >= split)
        max_ += excess;
      else
        min_ -= excess;
    }
    return;
  }
  int largestMin = 0;
  for (const RowBar& bar : row) largestMin = std::max(largestMin, bar.minThickness);
  const int excess = row[self].thickness - largestMin;
  if (IsLeadingEdge(edge)) {
    min_ -= room;
    max_ += excess;
  } else {
    min_ -= excess;
    max_ += room;
  }
}

bool CEdgeDrag::Update(std::vector<RowBar>& row, int coordinate) {
  coordinate = std::clamp(coordinate, min_, max_);
  if (coordinate == last_) return false;
  const int delta = coordinate - last_;
  last_ = coordinate;
  if (!lengthDrag_) {
    for (RowBar& bar : row) bar.thickness += IsLeadingEdge(edge_) ? -delta : delta;
    return true;
  }
  const int before = IsLeadingEdge(edge_) ? self_ - 1 : self_;  // the bar ahead of the edge
  const int grower = delta > 0 ? before : before + 1;
  if (grower < 0 || grower >= static_cast<int>(row.size())) return false;  // an outer end has no edge
  const int step = delta > 0 ? 1 : -1;  // the shrinking bars lie this way from the grower
  int change = std::abs(delta);
  row[grower].length += change;
  for (int i = grower + step; change > 0 && i >= 0 && i < static_cast<int>(row.size()); i += step) {
    const int give = std::min(change, row[i].length - row[i].minLength);
    row[i].length -= give;
    change -= give;
  }
  return true;
}

}  // namespace sizingbar
