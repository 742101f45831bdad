#pragma once
// CConnectorShape: a link drawn between two device shapes: a polyline from an attach point on its start
// shape through optional bend points to an attach point on its finish shape, with a short caption near its
// middle. Each end keeps its offset from the bottom centre of its shape, so the link follows the shapes when
// they move; it marks itself for deletion when either shape is marked.
//
// Segment i runs from P(i) to P(i + 1): P(0) is the start attach point, P(1..n) the n bend points and
// P(n + 1) the finish attach point. Handles: 0 start, 1 finish, 2 and up the bend points.
#include <cstdint>
#include <string>
#include <vector>

#include "image/DibHeader.h"
#include "mapmodel/PresentationTheme.h"
#include "mapmodel/Shape.h"

class CConnectorShape : public CShape {
 public:
  // HitTestHandle's answer for a point on the line but on no handle.
  static constexpr int kOnLine = 1024;
  // The track handle of a caption drag.
  static constexpr int kCaptionHandle = -2;

  // For loading.
  CConnectorShape();
  // A link being drawn from the point on the start shape; it follows the pointer until AttachEnd.
  CConnectorShape(MapPoint point, CShape* startShape);

  const char* GetClassName() const override { return "CConnectorShape"; }
  void Serialize(CMapArchive& archive) override;
  void Draw(CMapCanvas& canvas) const override;
  void DrawHandles(CMapCanvas& canvas) const override;
  // The caption rectangle holding the rectangle's top-left corner, or a segment meeting it.
  bool Intersects(const MapRect& rect) const override;
  // A handle, else kOnLine when the point hits the line, else kNoHandle.
  int HitTestHandle(MapPoint point) const override;
  // A press on the line drags the caption when it is under the point, else puts a bend point there.
  void BeginTrack(MapPoint point, int handle) override;
  // Ends the drag and drops bend points that no longer bend the line.
  void EndTrack() override;
  void OnDoubleClick(MapPoint point) override;
  // Re-follows both shapes; the first half of the bend points moves with the start, the rest with the finish.
  void OnShapesChanged() override;
  int GetHandleCount() const override { return static_cast<int>(m_BendPoints.size()) + 2; }
  MapPoint GetHandlePoint(int handle) const override;
  void UpdateAppearance() override;

  virtual void SetCaption(const std::string& caption) { m_Caption = caption; }
  virtual void SetFloatingEnd(MapPoint point);
  // Binds the finish end at the point on the shape; a link to its own start shape loops above it.
  virtual void AttachEnd(MapPoint point, CShape* shape);
  // Opens the active view's in-place editor on the caption.
  virtual void EditCaption();
  virtual void SetPenColor(ColorRef color) { m_PenColor = color; }
  virtual bool SegmentIntersects(const MapRect& rect, int segment) const;
  // Inserts a bend point at the index; its handle.
  virtual int InsertBendPoint(int index, MapPoint point);
  // Removes the bend point at the index; the index equal to the count removes the last one.
  virtual void RemoveBendPoint(int index);
  virtual double GetSegmentLength(int segment) const;
  // Radians from 0 to about 2 pi, measured with y downwards.
  virtual double GetSegmentAngle(int segment) const;
  // Turn a small figure drawn along the x axis into place where the link leaves its start shape, or
  // enters its finish shape.
  virtual void PlaceAtStartExit(std::vector<MapPoint>& figure) const;
  virtual void PlaceAtEndEntry(std::vector<MapPoint>& figure) const;
  virtual MapPoint GetMidPoint() const;
  virtual MapRect GetCaptionRect() const;
  // Drops bend points on segments shorter than the theme's bend distance and where the direction hardly
  // changes; false when there were none.
  virtual bool SimplifyBendPoints();

  CShape* GetStartShape() const { return m_Start.shape; }
  CShape* GetEndShape() const { return m_Finish.shape; }
  MapPoint GetStartPoint() const { return m_Start.attach; }
  MapPoint GetEndPoint() const { return m_Finish.attach; }
  void SetStatusCode(int code);
  const std::string& GetCaption() const { return m_Caption; }
  const std::vector<MapPoint>& GetBendPoints() const { return m_BendPoints; }
  bool IsAttached() const { return m_Attached; }
  bool IsCaptionShown() const { return m_CaptionShown; }
  ColorRef GetPenColor() const { return m_PenColor; }
  MapPoint GetFloatingEnd() const { return m_FloatingEnd; }

 protected:
  struct End {
    CShape* shape = nullptr;
    double offsetX = 0.0;
    double offsetY = 0.0;
    MapPoint attach;
  };
  // The end's offsets from the bottom centre of its shape's rectangle, taken from the point.
  static void SetEndFromPoint(End& end, MapPoint point);
  static void UpdateEndPoint(End& end);
  // P(0) to P(n + 1).
  std::vector<MapPoint> PathPoints() const;
  MapPoint PathPoint(int index) const;
  void PlaceFigure(std::vector<MapPoint>& figure, MapPoint from, MapPoint towards, const MapRect& shapeRect) const;

  int m_PenStyle = 0;
  ColorRef m_PenColor = 0;
  MapFont m_CaptionFont;
  std::vector<MapPoint> m_BendPoints;
  std::vector<std::uint32_t> m_Reserved;
  End m_Start;
  End m_Finish;
  std::string m_Caption;
  MapSize m_CaptionOffset{0, -10};
  bool m_CaptionShown = false;
  bool m_Attached = false;
  MapPoint m_FloatingEnd;
};
