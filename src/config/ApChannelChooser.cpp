#include "config/ApChannelChooser.h"

#include <climits>
#include <cstdlib>
#include <vector>

#include "groups/GroupStore.h"
#include "snmp/y_snmp.h"

int PickQuietChannel(int first, int last, const std::map<int, long>& signalByChannel) {
  const auto signal = [&](int channel) {
    const auto found = signalByChannel.find(channel);
    return found == signalByChannel.end() ? 0L : found->second;
  };
  int best = first;
  long bestScore = LONG_MAX;
  for (int channel = first; channel <= last; ++channel) {
    const long score = 4 * signal(channel) + 2 * (signal(channel - 1) + signal(channel + 1)) +
                       signal(channel - 2) + signal(channel + 2);
    if (score < bestScore) {
      bestScore = score;
      best = channel;
    }
  }
  return best;
}

int ChooseApChannel(const std::string& apIp) {
  CGroupStore* store = GetGroupStore();
  std::string mac;
  store->GetDevMacByIp(apIp, mac);
  const std::string root = store->GetDevSysObjectID(mac, KeyKind::Mac);
  CYSnmp snmp;
  snmp.SetIp(apIp);
  snmp.SetWriteCommunity(store->GetDevPassword(mac, KeyKind::Mac));
  std::string firstText, lastText;
  if (snmp.Get(root + ".4.22.0", firstText) != 0 || snmp.Get(root + ".4.23.0", lastText) != 0) return -1;
  const int first = std::atoi(firstText.c_str()), last = std::atoi(lastText.c_str());
  if (last - first <= 4) return 0;
  std::vector<int> channels, signals;
  if (snmp.WalkToIntVector(root + ".6.3.1.4", channels) != 0 || snmp.WalkToIntVector(root + ".6.3.1.5", signals) != 0)
    return -1;
  std::map<int, long> signalByChannel;
  for (size_t i = 0; i < channels.size() && i < signals.size(); ++i) signalByChannel[channels[i]] += signals[i];
  const int channel = PickQuietChannel(first, last, signalByChannel);
  return snmp.Set(root + ".4.2.0", std::to_string(channel)) == 0 ? channel : -1;
}
