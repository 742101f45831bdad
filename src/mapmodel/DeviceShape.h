#pragma once
// CDeviceShape: the map node of one device: a body of a width and height, the device's name and MAC
// address, colours by display status from the theme, an optional picture, and a grid of port cells through
// which links attach. The five kinds (AP, switch, router, host group, unknown device) derive from it.
//
// The port grid is centred on the body and its rows stack upwards from the bottom edge. The size always
// lies between GetMinSize and GetMaxSize (ClampSize).
#include <array>
#include <memory>
#include <string>

#include "image/DibHeader.h"
#include "mapmodel/PresentationTheme.h"
#include "mapmodel/Shape.h"

class CDib;

class CDeviceShape : public CShape {
 public:
  // For loading: the stored fields come from the archive.
  CDeviceShape();
  explicit CDeviceShape(MapPoint position);
  ~CDeviceShape() override;

  const char* GetClassName() const override { return "CDeviceShape"; }
  void Serialize(CMapArchive& archive) override;
  void Draw(CMapCanvas& canvas) const override;
  // A dotted outline of the body and the four corner handles.
  void DrawHandles(CMapCanvas& canvas) const override;
  MapRect GetRect() const override { return MapRect::At(m_Position, {m_Width, m_Height}); }
  MapSize GetMinSize() const override { return {10, 10}; }
  MapSize GetMaxSize() const override;
  MapSize GetDefaultSize() const override { return {150, 150}; }
  bool Intersects(const MapRect& rect) const override { return GetRect().Overlaps(rect); }
  // Resizes by a corner handle while resizing is enabled, then moves as every shape does.
  void TrackTo(MapPoint point) override;
  int GetHandleCount() const override { return 4; }
  // 0 top-left, 1 bottom-left, 2 bottom-right, 3 top-right.
  MapPoint GetHandlePoint(int handle) const override;
  int HitTestPort(MapPoint point) const override;
  // The centre of the port's cell (the side is not used); the bottom centre for a port out of range.
  MapPoint GetConnectionPoint(int port, int side) const override;
  // Colours by status code from the theme.
  void UpdateAppearance() override;

  virtual void SetFillColor(ColorRef color) { m_FillColor = color; }
  virtual void SetPortFillColor(ColorRef color) { m_PortFillColor = color; }
  virtual void SetStatusCode(int code);
  virtual void SetState(int state);
  virtual std::string GetMacAddress() const { return m_MacAddress; }
  virtual std::string GetName() const { return m_Name; }
  // All four are taken only when each is above 0.
  virtual void SetPortGrid(int cellWidth, int cellHeight, int rows, int columns);
  // A count above 0 is taken; the rows grow to hold the ports, they never shrink.
  virtual void SetPortCount(int count);
  // Taken only when both are above 0; the shape's own size stays.
  virtual void SetBodySize(int width, int height);
  virtual void SetMacAddress(const std::string& mac) { m_MacAddress = mac; }
  virtual void SetName(const std::string& name) { m_Name = name; }
  // The line below the body where a label would go, 4 and 2 units inside.
  virtual MapRect GetLabelRect() const;
  virtual void ClampSize();
  virtual void RecalcLayout();
  virtual const MapFont& GetFont() const { return m_Font; }

  MapSize GetSize() const { return {m_Width, m_Height}; }
  int GetPortCount() const { return m_PortCount; }
  int GetPortRows() const { return m_PortRows; }
  int GetPortColumns() const { return m_PortColumns; }
  MapSize GetPortCellSize() const { return {m_PortCellWidth, m_PortCellHeight}; }
  MapSize GetBodySize() const { return {m_BodyWidth, m_BodyHeight}; }
  int GetState() const { return m_StateValue; }
  ColorRef GetFillColor() const { return m_FillColor; }
  ColorRef GetPortFillColor() const { return m_PortFillColor; }
  ColorRef GetOutlineColor() const { return m_OutlineColor; }
  // The picture shown, or none.
  const CDib* GetPicture() const { return m_Picture.get(); }
  bool ShowsPicture() const;

 protected:
  // A kind's defaults: name, ports on 12 x 12 cells, body, grid; state 1 and status 0.
  void SetKindDefaults(const char* name, int ports, MapSize body, int rows, int columns);
  // Width and height := the body size.
  void ResetSizeToBody() {
    m_Width = m_BodyWidth;
    m_Height = m_BodyHeight;
  }
  // The left edge of the port grid's first column, centred on the body.
  int PortGridLeft() const;
  // The cell of the column in the row (0 the bottom row), its grid starting at left.
  MapRect PortCell(int left, int column, int row) const;
  // Every row carries ports 1 to the port count, one cell each, from left: the first cell holding the point.
  int HitTestPortRows(MapPoint point, int left) const;
  // Front-panel numbering in column pairs: odd ports in the upper row, even ports below them.
  int HitTestPairedPort(MapPoint point) const;
  MapPoint PairedPortCenter(int port) const;
  // The middle of a body edge: 0 left, 1 top, 2 right, 3 bottom, any other the top.
  MapPoint SideMidPoint(int side) const;
  // The grid of port cells, when the body holds columns + margin and rows + margin cells.
  void DrawPortGrid(CMapCanvas& canvas, int left, int margin) const;
  // The body, then the picture (white transparent) or, without one, the centred port grid.
  void DrawPictureOrPorts(CMapCanvas& canvas) const;
  // Replaces the picture by the provider's picture of the number; a loaded picture gives the shape its size.
  void LoadPicture(int pictureId);
  // The largest grid and port count a stored map may hold; more is damage.
  static constexpr int kMaxPorts = 4096;
  static constexpr int kMaxGridSide = 1024;
  // The column count and the widening (in cells) that n ports ask for; 0 columns for fewer than 24.
  struct PortGrowth {
    int columns = 0;
    int extraCells = 0;
    int widthFactor = 1;
  };
  static PortGrowth GrowthFor(int ports);

  int m_Width = 275;
  int m_Height = 175;
  std::string m_Name;
  std::string m_MacAddress;
  int m_LineHeight = 20;
  MapFont m_Font;
  ColorRef m_FillColor = 0;
  ColorRef m_OutlineColor = 0;
  int m_TextFlags = 0;
  ColorRef m_PortOutlineColor = 0;
  ColorRef m_PortFillColor = 0;
  std::array<int, 2> m_LineOffsets{};
  int m_StateValue = 1;
  std::shared_ptr<const CDib> m_Picture;  // shared with every shape of the same picture
  int m_PortCount = 8;
  int m_PortCellWidth = 12;
  int m_PortCellHeight = 12;
  int m_BodyWidth = 275;
  int m_BodyHeight = 175;
  int m_PortRows = 1;
  int m_PortColumns = 8;
};
