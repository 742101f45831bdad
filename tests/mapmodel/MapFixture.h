#pragma once
// Shared pieces of the map model tests: a map view that keeps its selection and writes down what it was
// asked, and a picture provider without pictures.
#include <optional>
#include <string>
#include <vector>

#include "image/Dib.h"
#include "mapmodel/DevicePictures.h"
#include "mapmodel/MapDocument.h"
#include "mapmodel/MapView.h"

class FakeMapView : public IMapView {
 public:
  explicit FakeMapView(CMapDocument& document) : m_Document(document) { document.AddView(this); }
  ~FakeMapView() override { m_Document.RemoveView(this); }

  CMapDocument& GetDocument() override { return m_Document; }
  void Select(CShape* shape, bool add) override {
    if (!add) m_Selection.RemoveAll();
    if (!m_Selection.Find(shape)) m_Selection.AddTail(shape);
  }
  void Deselect(CShape* shape) override { m_Selection.Remove(shape); }
  void ClearSelection() override { m_Selection.RemoveAll(); }
  bool IsSelected(const CShape* shape) const override { return m_Selection.Find(shape); }
  const CShapeList& GetSelection() const override { return m_Selection; }
  void SelectWithinRect(const MapRect& rect, bool add) override {
    if (!add) m_Selection.RemoveAll();
    m_Document.CollectShapesInRect(rect, m_Selection);
  }
  MapPoint SnapPoint(MapPoint point) const override { return point; }
  void ShowBand(const MapRect& rect) override {
    band = rect;
    bandShown = true;
  }
  void HideBand() override { bandShown = false; }
  void Redraw() override { ++redraws; }
  void EditLabel(std::string& target, const MapRect& rect, const MapFont&, int style) override {
    editedLabel = target;
    editedRect = rect;
    editStyle = style;
  }

  std::optional<MapRect> GetVisibleMapRect() const override { return visible; }

  std::optional<MapRect> visible;
  MapRect band;
  bool bandShown = false;
  int redraws = 0;
  std::string editedLabel;
  MapRect editedRect;
  int editStyle = 0;

 private:
  CMapDocument& m_Document;
  CShapeList m_Selection;
};

// While it lives the shapes find no pictures, as when a picture is missing.
class NoDevicePictures : public IDevicePictureProvider {
 public:
  NoDevicePictures() { SetDevicePictures(this); }
  ~NoDevicePictures() override { SetDevicePictures(nullptr); }
  bool Load(int, CDib&) const override { return false; }
};
