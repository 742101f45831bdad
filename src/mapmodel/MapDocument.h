#pragma once
// CMapDocument: the shape side of the map document. It owns the map's shapes in drawing order, its theme
// and its positions-changed flag, finds shapes for the tools and the view, runs the two-step deletion, tells
// every shape when one changed, and stores and loads the shapes as a map archive. The window side keeps one
// and registers its views for redraws and selection clean-up.
//
// There is one map document at a time: it registers itself for GetMapDocument while it lives.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mapmodel/MapGeometry.h"
#include "mapmodel/PresentationTheme.h"
#include "mapmodel/ShapeList.h"

class CMapCanvas;
class CShape;
class CDeviceShape;
class CTopologyData;
class IMapView;

class CMapDocument {
 public:
  CMapDocument();
  virtual ~CMapDocument();
  CMapDocument(const CMapDocument&) = delete;
  CMapDocument& operator=(const CMapDocument&) = delete;

  const CPresentationTheme& GetTheme() const { return m_Theme; }
  CPresentationTheme& GetTheme() { return m_Theme; }
  // The shapes shown, in drawing order.
  const CShapeList& GetShapes() const { return m_Shapes; }
  // Every shape the document owns, shown or not, in the order they came.
  const CShapeList& GetAllShapes() const { return m_AllShapes; }
  // Shows exactly these shapes, in this order; each must be one the document owns. The others stay owned.
  void ShowShapes(const CShapeList& shown);
  int GetMapWidth() const { return 3000; }
  int GetMapHeight() const { return 3000; }

  void SetPositionsChanged(int changed) { m_PositionsChanged = changed; }
  int IsPositionsChanged() const { return m_PositionsChanged; }
  // The topology whose device records take the positions of moved device shapes; none by default.
  void SetTopology(CTopologyData* topology) { m_Topology = topology; }

  void AddView(IMapView* view);
  void RemoveView(IMapView* view);

  // Appends the shape; the document owns it from now on. No redraw.
  void AddShape(std::unique_ptr<CShape> shape);
  // Appends a link and processes the change.
  void AddConnector(std::unique_ptr<CShape> connector);
  // Takes every shape of the list, in its order; the list is emptied.
  void TakeShapes(CShapeList& shapes);
  void DeleteAllShapes();

  void Draw(CMapCanvas& canvas) const;
  // The union of every shape's rectangle.
  MapRect GetBounds() const;
  // From the topmost shape down, the first whose hit test takes the point.
  CShape* ShapeAt(MapPoint point) const;
  // From the topmost shape down, appends every shape the rectangle meets that the list does not hold yet.
  void CollectShapesInRect(const MapRect& rect, CShapeList& shapes) const;
  // The first device shape from the bottom whose MAC is the text.
  CDeviceShape* FindShapeByMac(const std::string& mac) const;

  // Every shape follows the change; a moved device's position goes into the topology; views redraw.
  void OnShapeChanged(CShape* shape);
  // Marks the shape, lets every shape follow (links of a deleted device mark themselves, shown or not),
  // then deletes every marked shape, taking it out of the views' selections first.
  void RemoveShape(CShape* shape);
  // Takes the shape out of every view's selection; with none, clears them.
  void RemoveFromSelections(CShape* shape);

  // The shapes as a map archive: their count, then each shape by reference.
  std::vector<std::uint8_t> Store() const;
  // Replaces the shapes with those of the archive. A damaged archive changes nothing: false with the
  // reason in error.
  bool Load(const std::vector<std::uint8_t>& bytes, std::string& error);

 protected:
  // Where a moved or added device shape's position goes: by default into the topology's per-location
  // position of its record.
  virtual void WriteBackPositions(CShape* shape);
  const std::vector<IMapView*>& GetViews() const { return m_Views; }
  CTopologyData* GetTopology() const { return m_Topology; }
  void RedrawViews();

 private:
  CPresentationTheme m_Theme;
  CShapeList m_Shapes;
  CShapeList m_AllShapes;
  std::vector<IMapView*> m_Views;
  CTopologyData* m_Topology = nullptr;
  int m_PositionsChanged = 0;
};

// The map document while one exists, else none.
CMapDocument* GetMapDocument();
// The theme of the map document, or the default theme without one.
const CPresentationTheme& GetMapTheme();
