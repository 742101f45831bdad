#include "mapmodel/ConnectorShape.h"

#include <array>
#include <cassert>
#include <cmath>

#include "mapmodel/MapArchive.h"
#include "mapmodel/MapCanvas.h"
#include "mapmodel/MapDocument.h"
#include "mapmodel/MapView.h"

namespace {

constexpr int kStatusFirstLink = 1;
constexpr int kStatusSecondLink = 2;
constexpr ColorRef kHandleColor = Rgb(100, 100, 255);
constexpr MapSize kCaptionSize{50, 18};

struct Vec {
  double x;
  double y;
};

// True when the convex quadrilateral and the rectangle share some area: no edge direction of either
// separates them.
bool QuadOverlapsRect(const std::array<Vec, 4>& quad, const MapRect& rect) {
  double twiceArea = 0;
  for (int i = 0; i < 4; ++i) {
    const Vec& a = quad[i];
    const Vec& b = quad[(i + 1) % 4];
    twiceArea += a.x * b.y - b.x * a.y;
  }
  if (twiceArea == 0) return false;
  const std::array<Vec, 4> box{{{double(rect.left), double(rect.top)},
                                {double(rect.right), double(rect.top)},
                                {double(rect.right), double(rect.bottom)},
                                {double(rect.left), double(rect.bottom)}}};
  std::array<Vec, 6> axes{{{1, 0}, {0, 1}}};
  int axisCount = 2;
  for (int i = 0; i < 4; ++i) {
    const Vec& a = quad[i];
    const Vec& b = quad[(i + 1) % 4];
    const Vec normal{a.y - b.y, b.x - a.x};
    if ((normal.x != 0 || normal.y != 0) && axisCount < 6) axes[axisCount++] = normal;
  }
  for (int k = 0; k < axisCount; ++k) {
    const Vec& axis = axes[k];
    const auto project = [&axis](const std::array<Vec, 4>& corners, double& low, double& high) {
      low = high = corners[0].x * axis.x + corners[0].y * axis.y;
      for (const Vec& corner : corners) {
        const double value = corner.x * axis.x + corner.y * axis.y;
        low = std::min(low, value);
        high = std::max(high, value);
      }
    };
    double quadLow, quadHigh, boxLow, boxHigh;
    project(quad, quadLow, quadHigh);
    project(box, boxLow, boxHigh);
    if (quadHigh <= boxLow || boxHigh <= quadLow) return false;
  }
  return true;
}

}  // namespace

CConnectorShape::CConnectorShape() { CConnectorShape::UpdateAppearance(); }

CConnectorShape::CConnectorShape(MapPoint point, CShape* startShape)
    : m_Caption("new connector"), m_CaptionShown(true), m_FloatingEnd(point) {
  assert(startShape);
  m_Start.shape = startShape;
  SetEndFromPoint(m_Start, point);
  CConnectorShape::UpdateAppearance();
}

void CConnectorShape::SetEndFromPoint(End& end, MapPoint point) {
  const MapRect rect = end.shape->GetRect();
  end.offsetX = (point.x - rect.left) - rect.Width() / 2.0;
  end.offsetY = static_cast<double>((point.y - rect.top) - rect.Height());
  UpdateEndPoint(end);
}

void CConnectorShape::UpdateEndPoint(End& end) {
  const MapRect rect = end.shape->GetRect();
  end.attach.x = static_cast<int>(rect.left + rect.Width() / 2 + end.offsetX);
  end.attach.y = static_cast<int>(rect.top + rect.Height() + end.offsetY);
}

std::vector<MapPoint> CConnectorShape::PathPoints() const {
  std::vector<MapPoint> points;
  points.reserve(m_BendPoints.size() + 2);
  points.push_back(m_Start.attach);
  points.insert(points.end(), m_BendPoints.begin(), m_BendPoints.end());
  points.push_back(m_Finish.attach);
  return points;
}

MapPoint CConnectorShape::PathPoint(int index) const {
  if (index == 0) return m_Start.attach;
  if (index == static_cast<int>(m_BendPoints.size()) + 1) return m_Finish.attach;
  return m_BendPoints[index - 1];
}

void CConnectorShape::Serialize(CMapArchive& archive) {
  CShape::Serialize(archive);
  std::int32_t captionShown = m_CaptionShown ? 1 : 0;
  if (archive.IsStoring()) {
    archive.WriteObject(m_Start.shape);
  } else {
    m_Start.shape = archive.ReadObject();
  }
  archive.Transfer(m_Start.offsetX);
  archive.Transfer(m_Start.offsetY);
  if (archive.IsStoring()) {
    archive.WriteObject(m_Finish.shape);
  } else {
    m_Finish.shape = archive.ReadObject();
  }
  archive.Transfer(m_Finish.offsetX);
  archive.Transfer(m_Finish.offsetY);
  archive.Transfer(m_Caption);
  archive.Transfer(m_CaptionOffset.cx);
  archive.Transfer(m_CaptionOffset.cy);
  archive.Transfer(captionShown);
  for (double value : {m_Start.offsetX, m_Start.offsetY, m_Finish.offsetX, m_Finish.offsetY})
    archive.RequireWithin(value, CMapArchive::kMaxCoordinate);
  archive.RequireWithin(m_CaptionOffset.cx, CMapArchive::kMaxCoordinate);
  archive.RequireWithin(m_CaptionOffset.cy, CMapArchive::kMaxCoordinate);
  if (archive.IsStoring()) {
    archive.WriteCount(static_cast<std::uint32_t>(m_BendPoints.size()));
    for (MapPoint& bend : m_BendPoints) {
      archive.Write(static_cast<std::int32_t>(bend.x));
      archive.Write(static_cast<std::int32_t>(bend.y));
    }
    archive.WriteCount(static_cast<std::uint32_t>(m_Reserved.size()));
    for (std::uint32_t value : m_Reserved) archive.Write(value);
    return;
  }
  m_BendPoints.resize(archive.ReadCount(8));
  for (MapPoint& bend : m_BendPoints) {
    archive.Read(bend.x);
    archive.Read(bend.y);
    archive.RequireWithin(bend.x, CMapArchive::kMaxCoordinate);
    archive.RequireWithin(bend.y, CMapArchive::kMaxCoordinate);
  }
  m_Reserved.resize(archive.ReadCount(4));
  for (std::uint32_t& value : m_Reserved) archive.Read(value);
  // A stored link always joins two shapes.
  if (!m_Start.shape || !m_Finish.shape) throw CMapArchiveError("the map file holds a link without both ends");
  m_CaptionShown = captionShown != 0;
  UpdateEndPoint(m_Start);
  UpdateEndPoint(m_Finish);
  m_Attached = true;
}

void CConnectorShape::UpdateAppearance() {
  CShape::UpdateAppearance();
  const CPresentationTheme& theme = GetMapTheme();
  switch (m_StatusCode) {
    case kStatusFirstLink:
      m_PenColor = theme.GetFirstLinkColor();
      break;
    case kStatusSecondLink:
      m_PenColor = theme.GetSecondLinkColor();
      break;
    default:
      m_PenColor = theme.GetOutlineColor();
      break;
  }
  m_CaptionFont = theme.GetTextFont();
}

void CConnectorShape::SetStatusCode(int code) {
  m_StatusCode = code;
  UpdateAppearance();
}

void CConnectorShape::Draw(CMapCanvas& canvas) const {
  if (!m_Attached) return;
  canvas.SetPen({m_PenStyle, 0, m_PenColor});
  canvas.Polyline(PathPoints());
  if (!m_CaptionShown) return;
  canvas.SetFont(m_CaptionFont);
  canvas.SetTextColor(m_PenColor);
  canvas.DrawText(m_Caption, GetCaptionRect());
}

void CConnectorShape::DrawHandles(CMapCanvas& canvas) const {
  const int h = GetMapTheme().GetHandleSize();
  canvas.SetPen({kMapPenDot, 0, m_PenColor});
  canvas.SetBrush(std::nullopt);
  if (!m_Attached) {
    canvas.Polyline({m_Start.attach, m_FloatingEnd});
    return;
  }
  canvas.Polyline(PathPoints());
  canvas.SetPen({kMapPenSolid, 0, kHandleColor});
  canvas.Rectangle(MapRect::Around(m_Start.attach, h));
  canvas.Rectangle(MapRect::Around(m_Finish.attach, h));
  for (MapPoint bend : m_BendPoints) canvas.Ellipse(MapRect::Around(bend, h));
}

bool CConnectorShape::SegmentIntersects(const MapRect& rect, int segment) const {
  if (!m_Finish.shape) return false;
  assert(segment >= 0 && segment <= static_cast<int>(m_BendPoints.size()));
  const MapPoint from = PathPoint(segment);
  const MapPoint to = PathPoint(segment + 1);
  const double h = GetMapTheme().GetHandleSize();
  const double dx = from.x - to.x;
  const double dy = from.y - to.y;
  const double length = std::hypot(dx, dy);
  const double ux = length > 0 ? dx / length : 0.0;
  const double uy = length > 0 ? dy / length : 0.0;
  const int a = static_cast<int>(h * uy);
  const int b = static_cast<int>(h * ux);
  const std::array<Vec, 4> band{{{double(from.x - a), double(from.y + b)},
                                 {double(from.x + a), double(from.y - b)},
                                 {double(to.x + a), double(to.y - b)},
                                 {double(to.x - a), double(to.y + b)}}};
  return QuadOverlapsRect(band, rect.Normalized());
}

bool CConnectorShape::Intersects(const MapRect& rect) const {
  if (!m_Attached) return false;
  if (m_CaptionShown && GetCaptionRect().Contains(rect.TopLeft())) return true;
  for (int segment = 0; segment <= static_cast<int>(m_BendPoints.size()); ++segment)
    if (SegmentIntersects(rect, segment)) return true;
  return false;
}

int CConnectorShape::HitTestHandle(MapPoint point) const {
  const int handle = CShape::HitTestHandle(point);
  if (handle != kNoHandle) return handle;
  return HitTest(point) ? kOnLine : kNoHandle;
}

MapPoint CConnectorShape::GetHandlePoint(int handle) const {
  assert(handle >= 0 && handle < GetHandleCount());
  if (handle == 0) return m_Start.attach;
  if (handle == 1) return m_Finish.attach;
  return m_BendPoints[handle - 2];
}

void CConnectorShape::BeginTrack(MapPoint point, int handle) {
  CShape::BeginTrack(point, handle);
  if (handle != kOnLine) return;
  if (m_Attached && m_CaptionShown && GetCaptionRect().Contains(point)) {
    m_TrackHandle = kCaptionHandle;
    return;
  }
  const MapRect square = MapRect::Around(point, 1);
  for (int segment = 0; segment <= static_cast<int>(m_BendPoints.size()); ++segment) {
    if (SegmentIntersects(square, segment)) {
      m_TrackHandle = InsertBendPoint(segment, point);
      return;
    }
  }
  // Only the caption's outer edge was hit: drag the caption, which moves nothing, and add no bend point.
  m_TrackHandle = kCaptionHandle;
}

void CConnectorShape::EndTrack() {
  CShape::EndTrack();
  if (!SimplifyBendPoints()) return;
  if (CMapDocument* document = GetMapDocument()) document->OnShapeChanged(this);
}

void CConnectorShape::OnDoubleClick(MapPoint point) {
  if (m_Attached && m_CaptionShown && GetCaptionRect().Contains(point)) EditCaption();
}

void CConnectorShape::EditCaption() {
  if (IMapView* view = GetActiveMapView()) view->EditLabel(m_Caption, GetCaptionRect(), m_CaptionFont, 1);
}

void CConnectorShape::OnShapesChanged() {
  if (!m_Attached) return;
  const MapPoint oldStart = m_Start.attach;
  const MapPoint oldFinish = m_Finish.attach;
  UpdateEndPoint(m_Start);
  UpdateEndPoint(m_Finish);
  if (GetMapTheme().GetBendsFollowEnds()) {
    const MapPoint startMove = m_Start.attach - oldStart;
    const MapPoint finishMove = m_Finish.attach - oldFinish;
    const std::size_t half = m_BendPoints.size() / 2;
    for (std::size_t i = 0; i < m_BendPoints.size(); ++i)
      m_BendPoints[i] = m_BendPoints[i] + (i < half ? startMove : finishMove);
  }
  if (m_Start.shape->IsMarkedForDelete() || m_Finish.shape->IsMarkedForDelete()) MarkForDelete();
}

void CConnectorShape::SetFloatingEnd(MapPoint point) {
  assert(!m_Attached);
  m_FloatingEnd = point;
}

void CConnectorShape::AttachEnd(MapPoint point, CShape* shape) {
  assert(!m_Attached && shape);
  m_Finish.shape = shape;
  SetEndFromPoint(m_Finish, point);
  m_Attached = true;
  if (shape == m_Start.shape) {
    // A link between two ports of one device loops above it.
    const int top = shape->GetRect().top - 40;
    InsertBendPoint(0, {m_Start.attach.x - 30, top});
    InsertBendPoint(1, {m_Start.attach.x, top});
  }
  if (CMapDocument* document = GetMapDocument()) document->OnShapeChanged(this);
}

int CConnectorShape::InsertBendPoint(int index, MapPoint point) {
  m_BendPoints.insert(m_BendPoints.begin() + index, point);
  return index + 2;
}

void CConnectorShape::RemoveBendPoint(int index) {
  const int count = static_cast<int>(m_BendPoints.size());
  assert(index >= 0 && index <= count);
  if (count == 0) return;
  m_BendPoints.erase(m_BendPoints.begin() + (index == count ? count - 1 : index));
}

double CConnectorShape::GetSegmentLength(int segment) const {
  const MapPoint d = PathPoint(segment + 1) - PathPoint(segment);
  return std::hypot(double(d.x), double(d.y));
}

double CConnectorShape::GetSegmentAngle(int segment) const {
  const MapPoint d = PathPoint(segment + 1) - PathPoint(segment);
  const double length = std::hypot(double(d.x), double(d.y));
  if (length == 0) return 0.0;
  const double angle = std::acos(d.x / length);
  return d.y > 0 ? angle : 6.282 - angle;
}

bool CConnectorShape::SimplifyBendPoints() {
  if (m_BendPoints.empty()) return false;
  const double shortest = GetMapTheme().GetBendDistance();
  for (int i = 0; i <= static_cast<int>(m_BendPoints.size()); ++i)
    if (shortest > GetSegmentLength(i)) RemoveBendPoint(i);
  for (int i = 0; i < static_cast<int>(m_BendPoints.size()); ++i) {
    double turn = std::fabs(GetSegmentAngle(i) - GetSegmentAngle(i + 1));
    if (turn > 3.14) turn = 6.28 - turn;
    if (turn < 0.12) RemoveBendPoint(i--);
  }
  return true;
}

MapPoint CConnectorShape::GetMidPoint() const {
  assert(m_Attached);
  const int n = static_cast<int>(m_BendPoints.size());
  if (n % 2 == 1) return m_BendPoints[n / 2];
  const MapPoint a = PathPoint(n / 2);
  const MapPoint b = PathPoint(n / 2 + 1);
  return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

MapRect CConnectorShape::GetCaptionRect() const {
  assert(m_Attached);
  return MapRect::At(GetMidPoint() + MapPoint{m_CaptionOffset.cx, m_CaptionOffset.cy}, kCaptionSize);
}

void CConnectorShape::PlaceFigure(std::vector<MapPoint>& figure, MapPoint from, MapPoint towards,
                                  const MapRect& shapeRect) const {
  const double dx = towards.x - from.x;
  const double dy = towards.y - from.y;
  const double length = std::hypot(dx, dy);
  if (length == 0) {
    for (MapPoint& point : figure) point = {};
    return;
  }
  const double c = dx / length;
  const double s = dy / length;
  // Where the ray from the end towards the next point leaves the shape: a vertical side when it meets
  // one within the shape's height, else the top or bottom side.
  double exitX = 0;
  double exitY = 0;
  bool onVerticalSide = false;
  if (dx != 0) {
    const double t = (dx > 0 ? shapeRect.right : shapeRect.left) - from.x;
    const double offset = dy / dx * t;
    if (dy == 0 || (from.y + offset >= shapeRect.top && from.y + offset <= shapeRect.bottom)) {
      exitX = from.x + t;
      exitY = from.y + offset;
      onVerticalSide = true;
    }
  }
  if (!onVerticalSide) {
    const double u = (dy > 0 ? shapeRect.bottom : shapeRect.top) - from.y;
    exitX = from.x + dx / dy * u;
    exitY = from.y + u;
  }
  const MapPoint exit{static_cast<int>(exitX), static_cast<int>(exitY)};
  for (MapPoint& point : figure)
    point = exit + MapPoint{static_cast<int>(c * point.x - s * point.y), static_cast<int>(s * point.x + c * point.y)};
}

void CConnectorShape::PlaceAtStartExit(std::vector<MapPoint>& figure) const {
  assert(m_Attached);
  PlaceFigure(figure, m_Start.attach, PathPoint(1), m_Start.shape->GetRect());
}

void CConnectorShape::PlaceAtEndEntry(std::vector<MapPoint>& figure) const {
  assert(m_Attached);
  PlaceFigure(figure, m_Finish.attach, PathPoint(static_cast<int>(m_BendPoints.size())), m_Finish.shape->GetRect());
}
