#pragma once
// The device views (list, tree, map commands, header bar) made for the main frame: their services are
// the frame's counters, refreshes and views, found from the pane they are made in.
class wxWindow;

wxWindow* CreateFrameDeviceListView(wxWindow* parent);
wxWindow* CreateFrameFirmwareApView(wxWindow* parent);
wxWindow* CreateFrameDeviceTreeView(wxWindow* parent);
wxWindow* CreateFrameMapView(wxWindow* parent);
wxWindow* CreateFrameHeaderBar(wxWindow* parent);
