#pragma once
// What the main window calls to show the topology map: the program's one map document, made and loaded
// from the database with the first map view, and the view itself.
#include <wx/window.h>

class CPellionDoc;

// The program's map document; made on first use, with the toolkit's picture decoder for backgrounds.
CPellionDoc& GetPellionDoc();
// A new map view of the program's document in the parent; the first one loads the map.
wxWindow* CreateTopologyMapView(wxWindow* parent);
