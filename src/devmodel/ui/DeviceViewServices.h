#pragma once
// What the main window gives the device views (list, tree, header bar and the map's commands), and the
// commands' host built from it. A service left empty is skipped.
#include <wx/window.h>

#include <functional>
#include <string>

#include "config/ui/ApConfiguration.h"
#include "devmodel/DeviceViewsHost.h"
#include "devmodel/HeaderBarModel.h"

class CPellionDoc;

struct DeviceViewServices {
  CPellionDoc* document = nullptr;  // the map document: the current device and its reload
  ApSetJobStarter startApSetJob;    // the frame's StartApSetJob
  std::function<void()> updateEventCounters;
  std::function<void(bool reload)> refreshAllViews;
  std::function<void()> groupsChanged;  // posts the group view its reload
  // The switch configuration sheet on a page; 1 on OK.
  std::function<int(wxWindow* parent, const std::string& mac, int page)> showSwitchConfiguration;
  // The header bar's filter for a list view that starts; false when there is no header bar.
  std::function<bool(HeaderFilter& filter)> readHeaderFilter;
};

// The commands' host over the services, for one view window.
class CDeviceViewsHost : public IDeviceViewsHost {
 public:
  CDeviceViewsHost(wxWindow* view, const DeviceViewServices& services) : view_(view), services_(services) {}

  int ShowApConfiguration(const std::string& ip, const std::string& mac, const std::string& caption) override;
  int ShowApPreviousConfiguration(const std::string& ip, const std::string& mac,
                                  const std::string& caption) override;
  int ReplaceApConfiguration(const std::string& ip, const std::string& mac, const std::string& replacedMac) override;
  int ShowSwitchConfiguration(const std::string& mac, int page) override;
  void UpdateEventCounters() override;
  void ReloadDocument() override;
  void RefreshAllViews(bool reload) override;
  void GroupsChanged() override;
  void OpenWebPage(const std::string& url) override;

 private:
  wxWindow* view_;
  const DeviceViewServices& services_;
};
