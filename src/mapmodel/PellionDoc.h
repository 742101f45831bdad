#pragma once
// CPellionDoc: the map document of the program. On top of the shapes of CMapDocument it keeps the
// topology the shapes were generated from, the background-map locations with the current one and its
// picture, and ties the map to the database: the refresh that rebuilds the shapes, the two position pairs
// of every device (the map of all locations and the map of the device's own location), the location
// filter, the background picture, saving everything and refreshing the devices' states.
//
// Every shape belongs to the document. The shapes shown are those of the selected location; the others
// stay owned, so choosing another location shows them again.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "db/LocationRecord.h"
#include "image/Dib.h"
#include "mapmodel/LayoutContext.h"
#include "mapmodel/MapDocument.h"
#include "topology/TopologyData.h"

class CPellionDoc : public CMapDocument {
 public:
  // Decodes the picture file and writes it as a BMP file to bmpPath; false when it cannot. The window
  // layer installs the decoder of its toolkit; without one no background picture can be loaded.
  using PictureToBmp = std::function<bool(const std::string& picturePath, const std::string& bmpPath)>;
  static PictureToBmp SetPictureConverter(PictureToBmp converter);

  CPellionDoc();
  ~CPellionDoc() override;

  // Shapes, as the tools and views reach them.
  void DrawMap(CMapCanvas& canvas) const;
  void AddShapeAndUpdate(std::unique_ptr<CShape> shape);
  // Every shown shape follows the others (links recompute their ends), from the topmost down.
  void UpdateAllShapes();
  // Takes every shape out of the views' selections and deletes them all.
  void ClearShapes();

  // Look-ups in the topology.
  bool GetDeviceMacByIp(const std::string& ip, std::string& mac) const;
  bool GetDeviceIpByMac(const std::string& mac, std::string& ip) const;
  // Takes the device shapes of the shape's MAC off the map (they stay owned) and out of every selection.
  void RemoveDeviceShapes(CShape* shape);
  // The device the list, tree and map views share as the current one.
  const std::string& GetSelectedDeviceMac() const { return m_SelectedDeviceMac; }
  void SetSelectedDeviceMac(const std::string& mac) { m_SelectedDeviceMac = mac; }

  // Saving and states (PellionDoc.cpp).
  // Stores positions and locations, then, when every AP's properties are stored, saves the new devices
  // into the managed list, pushes the default AP parameters to each AP that moved, clears the APs' sync
  // results and has the views refreshed. False when refused.
  bool SaveAllToDatabase();
  // What runs once everything is saved; by default the map reloads itself.
  void SetRefreshAllViews(std::function<void()> refresh) { m_RefreshAllViews = std::move(refresh); }
  // Each shown switch and AP takes its display status and name from the database.
  void RefreshDeviceStates();

  // The refresh from the database, locations and positions (PellionDocRefresh.cpp).
  void RefreshFromDatabase();
  // Shows only the shapes of the location (empty: all) and makes its record the current one.
  void SelectLocation(const std::string& location);
  void ShowCurrentSet();
  // 0 shows the generated shapes; 1 and 2 are kept for their sets, which nothing fills. Others ignored.
  void SetViewMode(int mode);
  int GetViewMode() const { return m_ViewMode; }
  static bool IsShapeInLocation(const CShape* shape, const std::string& location, const CTopologyData& topology);
  // Each device shape's laid-out position becomes its record's position where the record is automatic.
  void CopyLayoutPositions();
  // Places the automatic devices on a grid of 100 units in the rectangle, once any device has a fixed
  // position on the map of all locations.
  void ArrangeUnplacedShapes(const MapRect& rect);
  // Writes the positions and locations; false when either write failed (both are tried).
  bool SaveTopologyPositions();
  // The command: saves, and says so when it failed.
  void SaveTopologyPosition();
  void CollectSelectedMacs(std::vector<std::string>& macs) const;
  void RestoreSelection(const std::vector<std::string>& macs);
  // The index of the first location of that name, copied to record; -1 when there is none.
  int FindLocation(const std::string& name, CLocationRecord& record) const;

  // The background picture (PellionDocBackground.cpp). An empty path reloads the current location's own.
  void LoadBackgroundMap(const std::string& path, int width, int height, int rotation);
  void ClearBackgroundMap();
  CDib* GetBackground() const { return m_Background.get(); }

  const CTopologyData& GetTopologyData() const { return m_Topology; }
  CTopologyData& GetTopologyData() { return m_Topology; }
  const std::vector<CLocationRecord>& GetLocations() const { return m_Locations; }
  // The current location, or none.
  CLocationRecord* GetCurrentLocation();
  const std::string& GetLocationName() const { return m_LocationName; }
  CLayoutContext& GetLayoutContext() { return m_LayoutContext; }

 protected:
  void WriteBackPositions(CShape* shape) override;

 private:
  void LoadLocationsOnce();
  // The first view with a window gives the part of the map it shows.
  bool FindVisibleMapRect(MapRect& rect) const;

  std::unique_ptr<CDib> m_Background;
  std::vector<CLocationRecord> m_Locations;
  int m_CurrentLocation = -1;
  CTopologyData m_Topology;
  int m_ViewMode = 0;
  std::string m_LocationName;
  std::string m_SelectedDeviceMac;
  CLayoutContext m_LayoutContext;
  std::function<void()> m_RefreshAllViews;
};
