#pragma once
// The Wireless page's own channel choice: the AP's channel range, the signal its neighbours report per
// channel, and the quietest channel of the range set on the AP. An older, page-local form of the
// automatic channel choice that nothing in the console calls.
#include <map>
#include <string>

// The channel of first..last with the lowest score, where each neighbour signal counts 4 on its own
// channel, 2 one channel away and 1 two away; the first such channel on a tie.
int PickQuietChannel(int first, int last, const std::map<int, long>& signalByChannel);

// Reads the AP's range and neighbours and sets the chosen channel: the channel; 0 when the range is too
// narrow to choose (nothing set); -1 when a read or the set failed.
int ChooseApChannel(const std::string& apIp);
