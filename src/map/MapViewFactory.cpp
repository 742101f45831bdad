#include "map/MapViewFactory.h"

#include <memory>

#include "map/Picture.h"
#include "map/TopologyVisualView.h"
#include "mapmodel/PellionDoc.h"

namespace {

std::unique_ptr<CPellionDoc>& Document() {
  static std::unique_ptr<CPellionDoc> document;
  return document;
}

}  // namespace

CPellionDoc& GetPellionDoc() {
  if (!Document()) {
    CPellionDoc::SetPictureConverter(ConvertPictureToBmp);
    Document() = std::make_unique<CPellionDoc>();
  }
  return *Document();
}

wxWindow* CreateTopologyMapView(wxWindow* parent) {
  const bool first = !Document();
  CPellionDoc& document = GetPellionDoc();
  auto* view = new CTopologyVisualView(parent, document);
  if (first) view->OnMapRefresh();
  return view;
}
