#include "mapmodel/DeviceShape.h"

#include <algorithm>
#include <cassert>

#include "image/Dib.h"
#include "mapmodel/DevicePictures.h"
#include "mapmodel/MapArchive.h"
#include "mapmodel/MapCanvas.h"
#include "mapmodel/MapDocument.h"

namespace {
constexpr int kStatusNew = 1;
constexpr int kStatusOffline = 2;
constexpr int kStatusChanged = 3;
constexpr int kStatusReplace = 4;
}  // namespace

CDeviceShape::CDeviceShape() { CDeviceShape::UpdateAppearance(); }

CDeviceShape::CDeviceShape(MapPoint position) : m_Name("New Device") {
  m_Position = position;
  CDeviceShape::RecalcLayout();
  m_StateValue = 1;
  CDeviceShape::UpdateAppearance();
}

CDeviceShape::~CDeviceShape() = default;

void CDeviceShape::Serialize(CMapArchive& archive) {
  CShape::Serialize(archive);
  archive.Transfer(m_Width);
  archive.Transfer(m_Height);
  archive.RequireWithin(m_Width, CMapArchive::kMaxCoordinate);
  archive.RequireWithin(m_Height, CMapArchive::kMaxCoordinate);
  archive.Transfer(m_Name);
  archive.Transfer(m_MacAddress);
  archive.Transfer(m_PortCount);
  archive.Transfer(m_PortCellWidth);
  archive.Transfer(m_PortCellHeight);
  archive.Transfer(m_BodyWidth);
  archive.Transfer(m_BodyHeight);
  archive.RequireWithin(m_BodyWidth, CMapArchive::kMaxCoordinate);
  archive.RequireWithin(m_BodyHeight, CMapArchive::kMaxCoordinate);
  archive.Transfer(m_PortRows);
  archive.Transfer(m_PortColumns);
  // A stored grid the drawing cannot divide by is damage, not a map.
  const auto inGrid = [](int value) { return value > 0 && value <= kMaxGridSide; };
  if (archive.IsLoading() && (!inGrid(m_PortColumns) || !inGrid(m_PortRows) || !inGrid(m_PortCellWidth) ||
                              !inGrid(m_PortCellHeight) || m_PortCount < 0 || m_PortCount > kMaxPorts))
    throw CMapArchiveError("the map file holds a device with an impossible port grid");
  RecalcLayout();
}

void CDeviceShape::SetKindDefaults(const char* name, int ports, MapSize body, int rows, int columns) {
  m_Name = name;
  m_PortCount = ports;
  m_PortCellWidth = m_PortCellHeight = 12;
  m_BodyWidth = body.cx;
  m_BodyHeight = body.cy;
  m_PortRows = rows;
  m_PortColumns = columns;
  m_StateValue = 1;
  m_StatusCode = 0;
}

bool CDeviceShape::ShowsPicture() const { return m_Picture && !m_Picture->IsEmpty(); }

void CDeviceShape::Draw(CMapCanvas& canvas) const {
  canvas.SetPen({kMapPenSolid, 0, m_OutlineColor});
  canvas.SetBrush(m_FillColor);
  canvas.SetFont(m_Font);
  if (!ShowsPicture()) canvas.Rectangle(GetRect());
}

void CDeviceShape::DrawHandles(CMapCanvas& canvas) const {
  canvas.SetPen({kMapPenDot, 0, m_OutlineColor});
  canvas.SetBrush(std::nullopt);
  canvas.Rectangle(GetRect());
  CShape::DrawHandles(canvas);
}

MapSize CDeviceShape::GetMaxSize() const {
  const MapSize min = GetMinSize();
  return {min.cx + 1000, min.cy + 1000};
}

void CDeviceShape::TrackTo(MapPoint point) {
  if (m_ResizeEnabled && m_TrackHandle >= 0 && m_TrackHandle <= 3) {
    // The corner opposite the dragged one stays where it is.
    const int fixedHandle = (m_TrackHandle + 2) % 4;
    const MapPoint fixed = GetHandlePoint(fixedHandle);
    const bool dragsLeft = m_TrackHandle == 0 || m_TrackHandle == 1;
    const bool dragsTop = m_TrackHandle == 0 || m_TrackHandle == 3;
    m_Width = dragsLeft ? fixed.x - point.x : point.x - fixed.x;
    m_Height = dragsTop ? fixed.y - point.y : point.y - fixed.y;
    ClampSize();
    m_Position = {dragsLeft ? fixed.x - m_Width : fixed.x, dragsTop ? fixed.y - m_Height : fixed.y};
  }
  CShape::TrackTo(point);
}

MapPoint CDeviceShape::GetHandlePoint(int handle) const {
  assert(handle >= 0 && handle < 4);
  switch (handle) {
    case 1:
      return m_Position + MapPoint{0, m_Height};
    case 2:
      return m_Position + MapPoint{m_Width, m_Height};
    case 3:
      return m_Position + MapPoint{m_Width, 0};
    default:
      return m_Position;
  }
}

int CDeviceShape::PortGridLeft() const {
  return (10 * m_Position.x + 10 * m_Width / 2 - 10 * m_PortColumns * m_PortCellWidth / 2) / 10;
}

MapRect CDeviceShape::PortCell(int left, int column, int row) const {
  const int top = m_Position.y + m_Height - (row + 1) * m_PortCellHeight;
  return MapRect::At({left + column * m_PortCellWidth, top}, {m_PortCellWidth, m_PortCellHeight});
}

int CDeviceShape::HitTestPortRows(MapPoint point, int left) const {
  for (int row = 0; row < m_PortRows; ++row)
    for (int port = 0; port < m_PortCount; ++port)
      if (PortCell(left, port, row).Contains(point)) return port + 1;
  return 0;
}

int CDeviceShape::HitTestPort(MapPoint point) const { return HitTestPortRows(point, PortGridLeft()); }

MapPoint CDeviceShape::GetConnectionPoint(int port, int) const {
  if (m_PortCount < 1 || port < 1 || port > m_PortCount) return {m_Position.x + m_Width / 2, m_Position.y + m_Height};
  const int row = port / (m_PortColumns + 1);
  return {m_Position.x + m_Width / 2 - ((m_PortColumns - 1) * m_PortCellWidth) / 2 + (port - 1) * m_PortCellWidth,
          m_Position.y - (row + 1) * m_PortCellHeight + m_Height + m_PortCellHeight / 2};
}

int CDeviceShape::HitTestPairedPort(MapPoint point) const {
  const int left = PortGridLeft();
  for (int port = 1; port <= m_PortCount; ++port)
    if (PortCell(left, (port + 1) / 2 - 1, port % 2).Contains(point)) return port;
  return 0;
}

MapPoint CDeviceShape::PairedPortCenter(int port) const {
  if (port < 1 || port > m_PortCount) return {m_Position.x + m_Width / 2, m_Position.y + m_Height};
  const int row = port % 2;
  return {m_Position.x + m_Width / 2 - ((m_PortColumns - 1) * m_PortCellWidth) / 2 + ((port + 1) / 2 - 1) * m_PortCellWidth,
          m_Position.y - (row + 1) * m_PortCellHeight + m_Height + m_PortCellHeight / 2};
}

MapPoint CDeviceShape::SideMidPoint(int side) const {
  switch (side) {
    case 0:
      return {m_Position.x, m_Position.y + m_Height / 2};
    case 2:
      return {m_Position.x + m_Width, m_Position.y + m_Height / 2};
    case 3:
      return {m_Position.x + m_Width / 2, m_Position.y + m_Height};
    default:
      return {m_Position.x + m_Width / 2, m_Position.y};
  }
}

void CDeviceShape::DrawPortGrid(CMapCanvas& canvas, int left, int margin) const {
  if (m_Width < (m_PortColumns + margin) * m_PortCellWidth || m_Height < (m_PortRows + margin) * m_PortCellHeight) return;
  canvas.SetPen({kMapPenSolid, 0, m_PortOutlineColor});
  canvas.SetBrush(m_PortFillColor);
  for (int row = 0; row < m_PortRows; ++row)
    for (int column = 0; column < m_PortColumns; ++column) canvas.Rectangle(PortCell(left, column, row));
}

void CDeviceShape::DrawPictureOrPorts(CMapCanvas& canvas) const {
  CDeviceShape::Draw(canvas);
  if (ShowsPicture()) {
    canvas.DrawPicture(*m_Picture, m_Position, Rgb(255, 255, 255));
    return;
  }
  DrawPortGrid(canvas, PortGridLeft(), 1);
}

void CDeviceShape::LoadPicture(int pictureId) {
  m_Picture = SharedDevicePicture(pictureId);
  if (!ShowsPicture()) return;
  m_Width = m_Picture->GetWidth();
  m_Height = m_Picture->GetHeight();
}

CDeviceShape::PortGrowth CDeviceShape::GrowthFor(int ports) {
  if (ports > 48) return {32, 24, 1};
  if (ports >= 32) return {24, 16, 3};
  if (ports >= 24) return {16, 8, 2};
  return {};
}

void CDeviceShape::UpdateAppearance() {
  CShape::UpdateAppearance();
  const CPresentationTheme& theme = GetMapTheme();
  m_LineHeight = theme.GetLineHeight();
  m_Font = theme.GetTitleFont();
  m_OutlineColor = theme.GetOutlineColor();
  m_TextFlags = theme.GetTextFlags();
  m_PortOutlineColor = m_OutlineColor;
  switch (m_StatusCode) {
    case kStatusNew:
    case kStatusReplace:
      m_FillColor = m_PortFillColor = theme.GetNewDeviceColor();
      break;
    case kStatusOffline:
      m_FillColor = m_PortFillColor = theme.GetOfflineColor();
      break;
    case kStatusChanged:
      m_FillColor = m_PortFillColor = theme.GetChangedColor();
      break;
    default:
      m_FillColor = theme.GetNormalFillColor();
      m_PortFillColor = theme.GetNormalPortColor();
      break;
  }
}

void CDeviceShape::SetStatusCode(int code) {
  m_StatusCode = code;
  UpdateAppearance();
}

void CDeviceShape::SetState(int state) {
  m_StateValue = state;
  UpdateAppearance();
}

void CDeviceShape::SetPortGrid(int cellWidth, int cellHeight, int rows, int columns) {
  if (cellWidth <= 0 || cellHeight <= 0 || rows <= 0 || columns <= 0) return;
  m_PortCellWidth = cellWidth;
  m_PortCellHeight = cellHeight;
  m_PortRows = rows;
  m_PortColumns = columns;
}

void CDeviceShape::SetPortCount(int count) {
  if (count > 0) m_PortCount = count;
  m_PortRows = std::max(m_PortRows, (m_PortCount - 1) / m_PortColumns + 1);
}

void CDeviceShape::SetBodySize(int width, int height) {
  if (width <= 0 || height <= 0) return;
  m_BodyWidth = width;
  m_BodyHeight = height;
}

MapRect CDeviceShape::GetLabelRect() const {
  const MapPoint topLeft = m_Position + MapPoint{m_Width / 2, m_Height + m_LineHeight / 2};
  return MapRect::At(topLeft, {m_Width, m_LineHeight}).Inflated(-4, -2);
}

void CDeviceShape::ClampSize() {
  const MapSize min = GetMinSize();
  const MapSize max = GetMaxSize();
  assert(min.cx <= max.cx && min.cy <= max.cy);
  m_Width = std::clamp(m_Width, min.cx, max.cx);
  m_Height = std::clamp(m_Height, min.cy, max.cy);
}

void CDeviceShape::RecalcLayout() {
  m_LineOffsets = {0, m_LineHeight};
  ClampSize();
}
