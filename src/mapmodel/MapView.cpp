#include "mapmodel/MapView.h"

namespace {
IMapView* g_ActiveMapView = nullptr;
}  // namespace

IMapView* GetActiveMapView() { return g_ActiveMapView; }
void SetActiveMapView(IMapView* view) { g_ActiveMapView = view; }
