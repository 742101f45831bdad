#include "devmodel/ui/DeviceViewServices.h"

#include "mapmodel/PellionDoc.h"
#include "platform/ShellOpen.h"

int CDeviceViewsHost::ShowApConfiguration(const std::string& ip, const std::string& mac, const std::string& caption) {
  return ::ShowApConfiguration(view_, ip, mac, caption, services_.startApSetJob);
}

int CDeviceViewsHost::ShowApPreviousConfiguration(const std::string& ip, const std::string& mac,
                                                  const std::string& caption) {
  return ::ShowApPreviousConfiguration(view_, ip, mac, caption, services_.startApSetJob);
}

int CDeviceViewsHost::ReplaceApConfiguration(const std::string& ip, const std::string& mac,
                                             const std::string& replacedMac) {
  return ::ReplaceApConfiguration(view_, ip, mac, replacedMac, services_.startApSetJob);
}

int CDeviceViewsHost::ShowSwitchConfiguration(const std::string& mac, int page) {
  return services_.showSwitchConfiguration ? services_.showSwitchConfiguration(view_, mac, page) : 0;
}

void CDeviceViewsHost::UpdateEventCounters() {
  if (services_.updateEventCounters) services_.updateEventCounters();
}

void CDeviceViewsHost::ReloadDocument() {
  if (services_.document) services_.document->RefreshFromDatabase();
}

void CDeviceViewsHost::RefreshAllViews(bool reload) {
  if (services_.refreshAllViews) services_.refreshAllViews(reload);
}

void CDeviceViewsHost::GroupsChanged() {
  if (services_.groupsChanged) services_.groupsChanged();
}

void CDeviceViewsHost::OpenWebPage(const std::string& url) { platform::OpenWithDefaultApplication(url); }
