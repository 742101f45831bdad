#pragma once
// What the map's tools and shapes ask of the map view: its selection, the snapping of points, the rubber
// band, redrawing and the in-place caption editor. The wx view implements it; tests use a fake.
#include <optional>
#include <string>

#include "mapmodel/MapGeometry.h"
#include "mapmodel/PresentationTheme.h"
#include "mapmodel/ShapeList.h"

class CMapDocument;
class CShape;

class IMapView {
 public:
  virtual ~IMapView() = default;

  virtual CMapDocument& GetDocument() = 0;
  // With add false the shape becomes the only selected one.
  virtual void Select(CShape* shape, bool add) = 0;
  virtual void Deselect(CShape* shape) = 0;
  virtual void ClearSelection() = 0;
  virtual bool IsSelected(const CShape* shape) const = 0;
  virtual const CShapeList& GetSelection() const = 0;
  // Selects every shape the rectangle meets; with add false the selection is replaced.
  virtual void SelectWithinRect(const MapRect& rect, bool add) = 0;
  virtual MapPoint SnapPoint(MapPoint point) const = 0;
  // The rubber band of a band selection, shown from its corners in map units, and taken away.
  virtual void ShowBand(const MapRect& rect) = 0;
  virtual void HideBand() = 0;
  virtual void Redraw() = 0;
  // Edits target in place over the map rectangle; style 1 centres the text.
  virtual void EditLabel(std::string& target, const MapRect& rect, const MapFont& font, int style) = 0;
  // The part of the map the window shows, in map units; none for a view without a window.
  virtual std::optional<MapRect> GetVisibleMapRect() const { return std::nullopt; }
};

// The view the main window shows, or none; the view sets itself when it becomes active.
IMapView* GetActiveMapView();
void SetActiveMapView(IMapView* view);
