#pragma once
// Automatic channel selection: the channel on which an AP hears the least of the access points around it.
// Asks the AP for its Super G mode, its allowed channel range and its neighbour table; changes nothing on
// the AP.
#include <string>
#include <vector>

// Channels outside 0..kChannelSlots-1 are never counted: the per-channel tables stop there.
inline constexpr int kChannelSlots = 100;

// The channel of lo..hi with the lowest score, where a channel's score weighs the signals summed on it
// by 4, on its two neighbours by 2 and on the channels two away by 1, counting only channels inside the
// range; the lowest channel wins a tie. 0 when lo or hi lies outside 0..99, when hi - lo < 5, or when
// channels and signals differ in length. A neighbour on a channel outside 0..99 is skipped.
int ChooseQuietestChannel(int lo, int hi, const std::vector<int>& channels, const std::vector<int>& signals);

// The colon form "02:44:71:00:01:01" the device tables store for a MAC text an AP reports with ':',
// '-' or ' ' between upper- or lower-case digits.
std::string StoredMacForm(const std::string& reported);

// The chosen channel of the AP at apIpText; 0 in Super G mode "2", for a range too small or outside
// 0..99, or when its neighbour columns differ in length; -1 when an SNMP step fails; -100 once the
// discovery stop flag is set (checked before every request). A neighbour that is one of the console's
// APs counts on the channel stored for it.
int AutoAssignChannel(const char* apIpText);
