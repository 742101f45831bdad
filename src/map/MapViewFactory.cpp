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
  auto* view = new CTopologyVisualView(parent, GetPellionDoc());
  // The database may have changed in any way while no map was shown.
  view->OnMapRefresh();
  return view;
}
