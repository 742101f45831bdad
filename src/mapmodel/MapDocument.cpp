#include "mapmodel/MapDocument.h"

#include <algorithm>
#include <cassert>

#include "mapmodel/DeviceShape.h"
#include "mapmodel/MapArchive.h"
#include "mapmodel/MapView.h"
#include "mapmodel/ShapeClassRegistry.h"
#include "topology/TopologyData.h"

namespace {

CMapDocument* g_MapDocument = nullptr;

}  // namespace

CMapDocument* GetMapDocument() { return g_MapDocument; }

const CPresentationTheme& GetMapTheme() {
  static const CPresentationTheme defaultTheme;
  return g_MapDocument ? g_MapDocument->GetTheme() : defaultTheme;
}

CMapDocument::CMapDocument() {
  assert(!g_MapDocument);
  g_MapDocument = this;
}

CMapDocument::~CMapDocument() {
  DeleteAllShapes();
  assert(g_MapDocument == this);
  g_MapDocument = nullptr;
}

void CMapDocument::AddView(IMapView* view) { m_Views.push_back(view); }

void CMapDocument::RemoveView(IMapView* view) { std::erase(m_Views, view); }

void CMapDocument::AddShape(std::unique_ptr<CShape> shape) {
  m_AllShapes.AddTail(shape.get());
  m_Shapes.AddTail(shape.release());
}

void CMapDocument::ShowShapes(const CShapeList& shown) {
  m_Shapes.RemoveAll();
  for (CShape* shape : shown) {
    assert(m_AllShapes.Find(shape));
    m_Shapes.AddTail(shape);
  }
}

void CMapDocument::AddConnector(std::unique_ptr<CShape> connector) {
  CShape* added = connector.get();
  AddShape(std::move(connector));
  OnShapeChanged(added);
}

void CMapDocument::TakeShapes(CShapeList& shapes) {
  for (CShape* shape : shapes) {
    m_AllShapes.AddTail(shape);
    m_Shapes.AddTail(shape);
  }
  shapes.RemoveAll();
}

void CMapDocument::DeleteAllShapes() {
  const CShapeList doomed = m_AllShapes;
  m_Shapes.RemoveAll();
  m_AllShapes.RemoveAll();
  for (CShape* shape : doomed) delete shape;
}

void CMapDocument::Draw(CMapCanvas& canvas) const {
  for (const CShape* shape : m_Shapes) shape->Draw(canvas);
}

MapRect CMapDocument::GetBounds() const {
  MapRect bounds;
  for (const CShape* shape : m_Shapes) bounds = bounds.Union(shape->GetRect());
  return bounds;
}

CShape* CMapDocument::ShapeAt(MapPoint point) const {
  for (auto it = m_Shapes.rbegin(); it != m_Shapes.rend(); ++it)
    if ((*it)->HitTest(point)) return *it;
  return nullptr;
}

void CMapDocument::CollectShapesInRect(const MapRect& rect, CShapeList& shapes) const {
  for (auto it = m_Shapes.rbegin(); it != m_Shapes.rend(); ++it)
    if ((*it)->Intersects(rect) && !shapes.Find(*it)) shapes.AddTail(*it);
}

CDeviceShape* CMapDocument::FindShapeByMac(const std::string& mac) const {
  for (CShape* shape : m_Shapes) {
    auto* device = dynamic_cast<CDeviceShape*>(shape);
    if (device && device->GetMacAddress() == mac) return device;
  }
  return nullptr;
}

void CMapDocument::OnShapeChanged(CShape* shape) {
  for (CShape* each : m_Shapes) each->OnShapesChanged();
  WriteBackPositions(shape);
  RedrawViews();
}

void CMapDocument::WriteBackPositions(CShape* shape) {
  auto* device = dynamic_cast<CDeviceShape*>(shape);
  if (!device || !m_Topology) return;
  for (CDeviceRecord& record : m_Topology->m_Devices) {
    if (record.mac != device->GetMacAddress()) continue;
    record.xP = device->GetPosition().x;
    record.yP = device->GetPosition().y;
    break;
  }
}

void CMapDocument::RemoveShape(CShape* shape) {
  shape->MarkForDelete();
  // Hidden links follow too: none may outlive a device it joins.
  for (CShape* each : m_AllShapes) each->OnShapesChanged();
  const CShapeList all = m_AllShapes;
  for (CShape* each : all) {
    if (!each->IsMarkedForDelete()) continue;
    RemoveFromSelections(each);
    m_Shapes.Remove(each);
    m_AllShapes.Remove(each);
    delete each;
  }
  RedrawViews();
}

void CMapDocument::RemoveFromSelections(CShape* shape) {
  for (IMapView* view : m_Views) {
    if (view->GetSelection().IsEmpty()) continue;
    if (shape) {
      view->Deselect(shape);
    } else {
      view->ClearSelection();
    }
  }
}

void CMapDocument::RedrawViews() {
  for (IMapView* view : m_Views) view->Redraw();
}

std::vector<std::uint8_t> CMapDocument::Store() const {
  CMapArchive archive;
  archive.WriteCount(static_cast<std::uint32_t>(m_Shapes.GetCount()));
  for (const CShape* shape : m_Shapes) archive.WriteObject(shape);
  return archive.Bytes();
}

bool CMapDocument::Load(const std::vector<std::uint8_t>& bytes, std::string& error) {
  CMapArchive archive(bytes, CShapeClassRegistry::MapShapes());
  CShapeList loaded;
  try {
    const std::uint32_t count = archive.ReadCount(2);
    for (std::uint32_t i = 0; i < count; ++i) {
      CShape* shape = archive.ReadObject();
      if (!shape || loaded.Find(shape)) throw CMapArchiveError("the map file lists a shape twice or none");
      loaded.AddTail(shape);
    }
    if (!archive.AtEnd()) throw CMapArchiveError("the map file goes on after its last shape");
  } catch (const CMapArchiveError& failure) {
    error = failure.what();
    return false;
  }
  std::vector<std::unique_ptr<CShape>> objects = archive.TakeLoadedObjects();
  // A link may only join shapes of the map: an object outside the list would be left without an owner.
  if (objects.size() != loaded.GetCount()) {
    error = "the map file holds a shape outside its list";
    return false;
  }
  RemoveFromSelections(nullptr);
  DeleteAllShapes();
  for (auto& object : objects) object.release();
  TakeShapes(loaded);
  RedrawViews();
  return true;
}
