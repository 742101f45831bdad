#pragma once
// CShape: the root of everything drawn on the map. It holds a position, the state of a mouse drag, a
// deletion mark and a status code, and defines how the map document, the view and the tools draw, hit-test,
// drag, notify and delete shapes. A shape reaches the map document through GetMapDocument; with no document
// it uses the default theme and notifies nobody.
//
// A drag is one BeginTrack, any number of TrackTo and one EndTrack; starting a second drag or tracking
// without one is a programming error. Deleting takes two steps: MarkForDelete, then the document tells every
// shape (OnShapesChanged) and deletes the marked ones.
#include <string>

#include "mapmodel/MapGeometry.h"

class CMapArchive;
class CMapCanvas;

class CShape {
 public:
  static constexpr int kNoHandle = -1;

  CShape() = default;
  virtual ~CShape() = default;
  CShape(const CShape&) = delete;
  CShape& operator=(const CShape&) = delete;

  // The class name the archive stores for the shape.
  virtual const char* GetClassName() const { return "CShape"; }
  // The position as x, then y; derived classes append their fields.
  virtual void Serialize(CMapArchive& archive);

  virtual void SetPosition(MapPoint point) { m_Position = point; }
  virtual MapPoint GetPosition() const { return m_Position; }
  virtual MapPoint GetTrackPoint() const { return m_LastTrackPoint; }
  virtual void Draw(CMapCanvas& canvas) const;
  // The handle squares at every handle point.
  virtual void DrawHandles(CMapCanvas& canvas) const;
  virtual MapRect GetRect() const { return {}; }
  virtual MapSize GetMinSize() const { return {0, 0}; }
  virtual MapSize GetMaxSize() const { return {5000, 5000}; }
  virtual MapSize GetDefaultSize() const { return {100, 100}; }
  virtual bool Intersects(const MapRect& rect) const;
  // Intersects of the 2 x 2 square around the point.
  virtual bool HitTest(MapPoint point) const;
  // The lowest handle whose square holds the point, or kNoHandle.
  virtual int HitTestHandle(MapPoint point) const;
  virtual void BeginTrack(MapPoint point, int handle);
  // Moves the shape when the whole shape is dragged (handle kNoHandle), then tells the document.
  virtual void TrackTo(MapPoint point);
  virtual void EndTrack();
  virtual void OnDoubleClick(MapPoint point);
  virtual void OnShapesChanged();
  virtual void MarkForDelete() { m_MarkedForDelete = true; }
  virtual bool IsMarkedForDelete() const { return m_MarkedForDelete; }
  virtual int GetHandleCount() const { return 0; }
  virtual MapPoint GetHandlePoint(int handle) const;
  // The port under the point, 0 for none.
  virtual int HitTestPort(MapPoint point) const;
  // Where a link attaches for the port on the side (0 left, 1 top, 2 right, 3 bottom).
  virtual MapPoint GetConnectionPoint(int port, int side) const;
  virtual void UpdateAppearance();

  int GetStatusCode() const { return m_StatusCode; }
  bool IsTracking() const { return m_Tracking; }
  int GetTrackHandle() const { return m_TrackHandle; }

 protected:
  // The square of one handle, 2h x 2h with h the theme's handle size.
  static MapRect HandleSquare(MapPoint handlePoint);

  bool m_Tracking = false;
  MapPoint m_TrackStart;
  int m_TrackHandle = kNoHandle;
  MapPoint m_LastTrackPoint;
  bool m_MarkedForDelete = false;
  MapPoint m_Position;
  int m_ResizeEnabled = 0;  // nothing turns it on: device shapes keep their size on a handle drag
  int m_StatusCode = 0;
};
