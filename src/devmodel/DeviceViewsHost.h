#pragma once
// What the device commands need from the windows around them: the configuration sheets, the main
// window's counters and refreshes, the map document's reload and the desktop's browser.
#include <string>

class IDeviceViewsHost {
 public:
  virtual ~IDeviceViewsHost() = default;
  // The AP sheets; 1 when the user confirmed with OK, else 0.
  virtual int ShowApConfiguration(const std::string& ip, const std::string& mac, const std::string& caption) = 0;
  virtual int ShowApPreviousConfiguration(const std::string& ip, const std::string& mac,
                                          const std::string& caption) = 0;
  virtual int ReplaceApConfiguration(const std::string& ip, const std::string& mac,
                                     const std::string& replacedMac) = 0;
  // The switch's configuration sheet "Switch config" on a page, without Apply; 1 on OK.
  virtual int ShowSwitchConfiguration(const std::string& mac, int page) = 0;
  virtual void UpdateEventCounters() = 0;
  // The map document reloads its devices from the database and redraws every view.
  virtual void ReloadDocument() = 0;
  // The main window refreshes every device view, reloading the database first when asked.
  virtual void RefreshAllViews(bool reload) = 0;
  // An AP left its groups: the group view shows them again.
  virtual void GroupsChanged() = 0;
  virtual void OpenWebPage(const std::string& url) = 0;
};
