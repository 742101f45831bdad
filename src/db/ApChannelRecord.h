#pragma once
// An AP's automatic channel setting and its channel, as the AP reports them or as ap_property stores them.
#include <string>

struct ApChannelRecord {
  std::string autoChannel;  // crvapautochannel, "1" on
  std::string channel;      // crvAPChannel
};
