#pragma once
// The device views' header bar without its window: the view mode and which controls it shows, the AP
// columns that can be filtered with their values, the filter a choice or a typed text gives, and the
// command each icon button forwards to the current view.
#include <map>
#include <string>
#include <vector>

enum class HeaderViewMode { List = 0, Tree = 1, Topology = 2, ApFirmware = 3, SwitchFirmware = 4 };

// The icon buttons that forward a view command.
enum class HeaderButton { Configuration, ReloadPrevious, SaveToDatabase, DeleteFromDatabase, Customize };

// The kind of the map's first selected shape: 1 switch, 2 AP, 0 anything else.
enum MapShapeKind { kMapOtherShape = 0, kMapSwitchShape = 1, kMapApShape = 2 };

struct HeaderControlGroups {
  bool viewRadios = false;       // List, Tree, Topology
  bool firmwareRadios = false;   // AP, Switch
  bool deviceButtons = false;    // the row-1 buttons forwarded to the tree or the map
  bool mapButtons = false;       // save positions, zoom and background map
  bool firmwareControls = false; // firmware file, Browse, Upgrade
  bool listControls = false;     // the second row: filters and the list's buttons
};

struct HeaderFilter {
  std::string column;
  std::string text;
  int managedOnly = 0;
};

class CHeaderBarModel {
 public:
  // The AP columns that can be filtered, read from the column store; kept until the bar goes.
  void FillFilterTypes();
  // The filter-type entries: the empty one first, then the display names in column-name order.
  std::vector<std::string> FilterTypeEntries() const;
  // The column whose display name this is, the first in column-name order; empty when none.
  std::string ColumnOfDisplayName(const std::string& displayName) const;
  // The distinct values of the column the filter type names; none for the empty type.
  std::vector<std::string> FilterValues(const std::string& displayName) const;

  // A value chosen from the list: none for an unknown filter type; "Enable" and "Disable" of the
  // automatic-channel column become the stored "1" and "0".
  bool ChosenFilter(const std::string& filterType, const std::string& value, int managedOnly,
                    HeaderFilter& filter) const;
  // A typed text, or the managed check box: passed on as typed, even without a filter type.
  HeaderFilter TypedFilter(const std::string& filterType, const std::string& text, int managedOnly) const;
  // "Enable"/"Disable" of the automatic-channel column as stored; other values as they are.
  static std::string StoredFilterValue(const std::string& column, const std::string& value);

  // The controls shown in a mode; false when the mode is none of the five (nothing changes then).
  static bool ControlsOf(int mode, HeaderControlGroups& groups);
  // The command a button sends to the current view; 0 for none.
  static int ButtonCommand(HeaderButton button, int mode, int mapShapeKind);

 private:
  std::map<std::string, std::string> filterColumns_;
};
