// The XY chart's settings menu: building it, tracking it through the owner, and applying the choice.
// Command ids encode their target, so one interpreter maps any id back to the grid, the title, an axis
// or a series.
#include <cstdlib>

#include "chartcore/ChartUtilities.h"
#include "chartcore/XYChart.h"

namespace {

enum ChartCommand : int {
  kCommandMajorHorzGrid = 1,
  kCommandMajorVertGrid = 2,
  kCommandMinorHorzGrid = 3,
  kCommandMinorVertGrid = 4,
  kCommandTitleSize = 10,  // .. 16
  kCommandAxisBase = 100,  // + 100 x axis index + item
  kCommandChartSettings = 999,
  kCommandDataBase = 1100,  // + 100 x series index + item
  kCommandCallerBase = 3000,
  kItemsPerTarget = 100,
  kSettingsItem = 99,
};

// Series popup items, relative to its base id.
enum DataMenuItem : int {
  kItemChartType = 0,    // .. 3
  kItemLineSize = 4,     // .. 13: widths 1 .. 10
  kItemLineStyle = 15,   // .. 19
  kItemMarkerType = 21,  // .. 25
  kItemMarkerFill = 26,
  kItemMarkerSize = 27,  // .. 34: sizes 10 .. 80
  kItemMarkEvery = 35,
  kItemMarkEveryN = 36,
  kItemMarkSpread = 37,
};

constexpr int kMaxTitleCharacters = 15;

// The series' title as the menu lists it: cut after 15 characters, or "Data set d of n" when empty.
std::string DataMenuCaption(const std::string& title, int index, int count) {
  if (title.empty()) return "Data set " + std::to_string(index + 1) + " of " + std::to_string(count);
  int characters = 0;
  for (std::size_t byte = 0; byte < title.size(); ++byte) {
    const bool startsCharacter = (static_cast<unsigned char>(title[byte]) & 0xC0) != 0x80;
    if (startsCharacter && characters++ == kMaxTitleCharacters) return title.substr(0, byte) + "...";
  }
  return title;
}

// The count the "Mark every %d points" and "Mark %d points" entries stand for.
int MarkCount(int markFrequency) {
  const int magnitude = std::abs(markFrequency);
  return magnitude == 1 ? 10 : magnitude;
}

}  // namespace

int CXYChart::ShowMenu(CChartMenuHost* owner, int x, int y) { return ShowMenu(nullptr, owner, x, y); }

int CXYChart::ShowMenu(CChartMenu* menu, CChartMenuHost* owner, int x, int y) {
  if (!owner) return 0;
  CChartMenu ownMenu;
  CChartMenu& target = menu ? *menu : ownMenu;

  CChartMenu grids;
  grids.AppendCommand(kCommandMajorHorzGrid, "Major Horizontal Grids", MenuCheckFlag(majorHorzGrid));
  grids.AppendCommand(kCommandMajorVertGrid, "Major Vertical Grids", MenuCheckFlag(majorVertGrid));
  grids.AppendCommand(kCommandMinorHorzGrid, "Minor Horizontal Grids", MenuCheckFlag(minorHorzGrid));
  grids.AppendCommand(kCommandMinorVertGrid, "Minor Vertical Grids", MenuCheckFlag(minorVertGrid));
  target.AppendPopup("Grids", std::move(grids));
  target.AppendSeparator();
  if (!GetTitle().empty()) {
    BuildFontSizeMenu(target, "Title size", TitleFont().height, kCommandTitleSize);
    target.AppendSeparator();
  }
  for (int a = 0; a < GetAxisCount(); ++a) GetAxisAt(a)->BuildMenu(target, kCommandAxisBase + kItemsPerTarget * a);
  if (GetAxisCount() > 0) target.AppendSeparator();
  for (int d = 0; d < GetDataCount(); ++d) BuildDataMenu(d, target, kCommandDataBase + kItemsPerTarget * d);
  if (GetDataCount() > 0) target.AppendSeparator();
  target.AppendCommand(kCommandChartSettings, "Settings...");
  return InterpretMenuCommand(owner->TrackPopupMenu(target, x, y));
}

int CXYChart::InterpretMenuCommand(int commandId) {
  if (commandId >= kCommandCallerBase) return commandId;
  if (commandId <= 0) return kMenuNothing;
  switch (commandId) {
    case kCommandMajorHorzGrid: majorHorzGrid = !majorHorzGrid; return kMenuHandled;
    case kCommandMajorVertGrid: majorVertGrid = !majorVertGrid; return kMenuHandled;
    case kCommandMinorHorzGrid: minorHorzGrid = !minorHorzGrid; return kMenuHandled;
    case kCommandMinorVertGrid: minorVertGrid = !minorVertGrid; return kMenuHandled;
    case kCommandChartSettings: return OnChartSettings() ? kMenuHandled : kMenuDeclined;
    default: break;
  }
  if (commandId >= kCommandTitleSize && commandId <= kCommandTitleSize + 6) {
    TitleFont().height = FontSizeOfEntry(commandId - kCommandTitleSize);
    return kMenuHandled;
  }
  if (commandId >= kCommandAxisBase && commandId < kCommandAxisBase + kItemsPerTarget * kMaxAxes) {
    const int axisIndex = (commandId - kCommandAxisBase) / kItemsPerTarget;
    if (axisIndex >= GetAxisCount()) return kMenuNothing;
    const int item = commandId % kItemsPerTarget;
    if (item == kSettingsItem) return OnAxisSettings(axisIndex) ? kMenuHandled : kMenuDeclined;
    const int result = GetAxisAt(axisIndex)->InterpretMenuCommand(item);
    return result == kMenuNothing ? commandId : result;
  }
  if (commandId >= kCommandDataBase && commandId < kCommandCallerBase) {
    const int dataIndex = (commandId - kCommandDataBase) / kItemsPerTarget;
    if (dataIndex >= GetDataCount()) return kMenuNothing;
    const int item = (commandId - kCommandDataBase) % kItemsPerTarget;
    if (item == kSettingsItem) return OnDataSettings(dataIndex) ? kMenuHandled : kMenuDeclined;
    return InterpretDataMenuCommand(dataIndex, item);
  }
  return kMenuNothing;
}

void CXYChart::BuildDataMenu(int dataIndex, CChartMenu& parent, int baseId) const {
  if (dataIndex < 0 || dataIndex >= GetDataCount()) return;
  const int id = GetDataIdAt(dataIndex);
  CChartMenu popup;
  BuildChartTypeItems(popup, GetChartType(id), baseId + kItemChartType);
  BuildLineSizeMenu(popup, "Line size", id, baseId + kItemLineSize);
  BuildLineStyleMenu(popup, "Line style", id, baseId + kItemLineStyle);
  popup.AppendSeparator();
  BuildMarkerItems(popup, id, baseId + kItemMarkerType);
  popup.AppendSeparator();
  popup.AppendCommand(baseId + kSettingsItem, "Settings...");
  parent.AppendPopup(DataMenuCaption(GetDataTitleAt(dataIndex), dataIndex, GetDataCount()), std::move(popup));
}

void CXYChart::BuildChartTypeItems(CChartMenu& menu, int currentType, int baseId) {
  const char* names[] = {"XY Scatter", "XY Line", "Histogram"};
  for (int type = 0; type < 3; ++type) {
    menu.AppendCommand(baseId + type, names[type], MenuCheckFlag(type == currentType));
  }
}

void CXYChart::BuildLineSizeMenu(CChartMenu& parent, const std::string& caption, int id, int baseId) const {
  CChartMenu popup;
  const int current = GetLineSize(id);
  for (int width = 1; width <= 10; ++width) {
    popup.AppendCommand(baseId + width - 1, std::to_string(width), MenuCheckFlag(width == current));
  }
  parent.AppendPopup(caption, std::move(popup));
}

void CXYChart::BuildLineStyleMenu(CChartMenu& parent, const std::string& caption, int id, int baseId) const {
  const char* names[] = {"Solid ____________", "Dashed _ _ _ _ _ _", "Dotted . . . . . .", "Dash-Dot _ . _ . _",
                         "Dash-Dot-Dot _ . ."};
  CChartMenu popup;
  const int current = GetLineStyle(id);
  for (int style = 0; style < 5; ++style) {
    popup.AppendCommand(baseId + style, names[style], MenuCheckFlag(style == current));
  }
  parent.AppendPopup(caption, std::move(popup));
}

void CXYChart::BuildMarkerItems(CChartMenu& menu, int id, int baseId) const {
  // baseId is the id of "No marker"; the other items follow at fixed distances.
  const auto item = [baseId](int dataItem) { return baseId + dataItem - kItemMarkerType; };
  const char* names[] = {"No marker", "Circle marker", "Square marker", "Triangle marker", "X marker"};
  const int type = GetDataStyle(id);
  for (int t = 0; t < 5; ++t) menu.AppendCommand(item(kItemMarkerType + t), names[t], MenuCheckFlag(t == type));
  menu.AppendSeparator();
  menu.AppendCommand(item(kItemMarkerFill), "Filled marker", MenuCheckFlag(GetMarkerFill(id) != 0));
  menu.AppendSeparator();
  CChartMenu sizes;
  const int markerSize = GetMarkerSize(id);
  for (int entry = 1; entry <= 8; ++entry) {
    sizes.AppendCommand(item(kItemMarkerSize + entry - 1), std::to_string(entry),
                        MenuCheckFlag(markerSize == 10 * entry));
  }
  menu.AppendPopup("Marker size", std::move(sizes));
  const int frequency = GetMarkFrequency(id);
  const std::string count = std::to_string(MarkCount(frequency));
  menu.AppendCommand(item(kItemMarkEvery), "Mark every point", MenuCheckFlag(frequency == 1));
  menu.AppendCommand(item(kItemMarkEveryN), "Mark every " + count + " points", MenuCheckFlag(frequency > 1));
  menu.AppendCommand(item(kItemMarkSpread), "Mark " + count + " points", MenuCheckFlag(frequency < 0));
}

int CXYChart::InterpretDataMenuCommand(int dataIndex, int item) {
  if (dataIndex < 0 || dataIndex >= GetDataCount()) return kMenuNothing;
  XYSeriesAttributes& entry = attributes_[dataIndex];
  const int count = MarkCount(entry.markFrequency);
  if (item >= kItemChartType && item < kItemLineSize) {
    entry.chartType = item - kItemChartType;
  } else if (item >= kItemLineSize && item <= kItemLineSize + 9) {
    entry.lineSize = item - kItemLineSize + 1;
  } else if (item >= kItemLineStyle && item <= kItemLineStyle + 4) {
    entry.lineStyle = item - kItemLineStyle;
  } else if (item >= kItemMarkerType && item <= kItemMarkerType + 4) {
    entry.markerType = item - kItemMarkerType;
  } else if (item == kItemMarkerFill) {
    entry.markerFill = !entry.markerFill;
  } else if (item >= kItemMarkerSize && item <= kItemMarkerSize + 7) {
    entry.markerSize = (item - kItemMarkerFill) * 10;
  } else if (item == kItemMarkEvery) {
    entry.markFrequency = 1;
  } else if (item == kItemMarkEveryN) {
    entry.markFrequency = count;
  } else if (item == kItemMarkSpread) {
    entry.markFrequency = -count;
  } else {
    return kMenuDeclined;
  }
  return kMenuHandled;
}
