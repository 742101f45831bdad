#pragma once
// The commands of the device views (AP list, device tree, map) over the devices the user selected,
// written once: configuration, previous configuration, replace, save into the managed list, delete,
// delete a switch with what hangs on it, the switch's settings read before its sheet, and its web
// page. Each view passes its selection in selection order; questions and failures are message boxes.
#include <functional>
#include <string>
#include <vector>

class IDeviceViewsHost;

// A selected device: its MAC, its IP address (empty when the view could not look it up) and its kind
// (1 switch, 2 AP, 0 any other).
struct SelectedDevice {
  std::string mac;
  std::string ip;
  int kind = 0;
};

class CDeviceCommands {
 public:
  explicit CDeviceCommands(IDeviceViewsHost& host);

  // One device into the managed list by its display status: a new or replacing device is moved and an
  // AP gets the default parameters (a replacing one also loses its predecessor's link), a changed AP's
  // differences are accepted, a system-key-error device is moved.
  enum class SaveOutcome { NotReady, Saved, Failed, Skipped };
  struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Skipped;
    int status = -1;
  };
  SaveResult SaveDevice(const std::string& mac);

  // ---- The AP list: MACs of the selected rows ----
  void ListConfiguration(const std::vector<std::string>& macs, bool previous);
  void ListReplace(const std::vector<std::string>& macs);
  // savedRow(i) after the i-th AP was saved and its row should show it online.
  void ListSave(const std::vector<std::string>& macs, const std::function<void(size_t index)>& savedRow);
  // removeRows(indexes) with the deleted ones before the document reloads.
  void ListDelete(const std::vector<std::string>& macs,
                  const std::function<void(const std::vector<size_t>& indexes)>& removeRows);

  // ---- The device tree: the selected line's device ----
  void TreeConfiguration(const SelectedDevice& device);
  void TreeReloadPrevious(const SelectedDevice& device);
  void TreeSave(const SelectedDevice& device, const std::function<void()>& reloadTree);
  void TreeDelete(const SelectedDevice& device, const std::function<void()>& reloadTree);
  void DeleteSwitch(const std::string& mac);

  // ---- The map: its selection ----
  // clearSelection runs when more than one shape was selected.
  void MapConfiguration(const std::vector<SelectedDevice>& selection, const std::function<void()>& clearSelection);
  void MapReloadPrevious(const std::vector<SelectedDevice>& selection);
  void MapSwitchConfiguration(const std::vector<SelectedDevice>& selection);
  void MapSwitchConfigPage(const std::vector<SelectedDevice>& selection);
  void MapLinkToWeb(const std::vector<SelectedDevice>& selection);
  void MapSaveSwitches(const std::vector<SelectedDevice>& selection);
  void MapSaveAps(const std::vector<SelectedDevice>& selection);
  // Deletes the selected devices of one kind.
  void MapDelete(const std::vector<SelectedDevice>& selection, int kind);

  // ---- Shared steps ----
  // Reads the switch's name, location and LLDP state (and its port map when LLDP is on) and stores them;
  // false, nothing stored, when the switch did not answer. The key is its MAC, or its IP when byIp.
  static bool StoreSwitchSettings(const std::string& key, bool byIp);
  void OpenWebPage(const std::string& ip);

 private:
  void SwitchConfiguration(const std::string& key, bool byIp, const std::string& mac);
  static bool Confirm(const char* question);

  IDeviceViewsHost& host_;
};
