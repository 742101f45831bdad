#pragma once
// What the main window calls to show the topology map: the program's one map document, and a view of it
// loaded from the database.
#include <wx/window.h>

class CPellionDoc;

// The program's map document; made on first use, with the toolkit's picture decoder for backgrounds.
CPellionDoc& GetPellionDoc();
// A new map view of the program's document in the parent; the document is reloaded from the database.
wxWindow* CreateTopologyMapView(wxWindow* parent);
