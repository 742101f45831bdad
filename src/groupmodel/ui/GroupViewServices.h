#pragma once
// What the group views ask of the windows around them: the main frame starts a template's apply with
// its progress window, and the AP configuration windows open an AP's (previous) configuration.
#include <functional>
#include <string>

// (IP address, MAC, caption, page)
using ApConfigurationOpener =
    std::function<void(const std::string& ip, const std::string& mac, const std::string& caption, int page)>;

struct GroupViewServices {
  std::function<void(const std::string& group)> startApplyGroupTemplate;
  ApConfigurationOpener showApConfiguration;
  ApConfigurationOpener showApPreviousConfiguration;
};
