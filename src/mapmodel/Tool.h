#pragma once
// CTool: what the map view hands its mouse input to, in map units. The view owns its tools and makes one
// current; the base tool ignores every input.
class CMapDocument;
class IMapView;
struct MapPoint;

// Key flags that come with a mouse event.
constexpr unsigned kKeyControl = 0x0008;

class CTool {
 public:
  explicit CTool(IMapView& view) : m_View(view) {}
  virtual ~CTool() = default;
  CTool(const CTool&) = delete;
  CTool& operator=(const CTool&) = delete;

  virtual void OnLButtonDown(MapPoint point, unsigned flags);
  virtual void OnLButtonUp(MapPoint point, unsigned flags);
  virtual void OnMouseMove(MapPoint point, unsigned flags);
  virtual void OnLButtonDblClk(MapPoint point, unsigned flags);
  virtual void Cancel() {}
  virtual CMapDocument& GetDocument();

 protected:
  IMapView& m_View;
};
