#include "device/AutoAssignChannel.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <limits>

#include "db/db_maintain.h"
#include "device/DiscoveryStop.h"
#include "groups/GroupStore.h"
#include "platform/StatusText.h"
#include "snmp/y_snmp.h"

namespace {

constexpr int kMinimumRangeWidth = 5;  // six channels or more are needed to choose among them
const char kSuperGDynamicTurbo[] = "2";

bool IsChannelSlot(int channel) { return channel >= 0 && channel < kChannelSlots; }

void PostProgressStep() { PostStatusText(nullptr, GetProgressSpan() / 5); }

// The neighbours' channels as the console stored them for its own APs; a row without a stored channel,
// or whose lookup fails, keeps the channel the AP reported. False when a stop ended it.
bool ApplyStoredChannels(const std::vector<std::string>& macs, std::vector<int>& channels) {
  CDB_Maintain* database = GetDBMaintain();
  for (size_t k = 0; k < macs.size(); ++k) {
    if (IsDiscoveryStopping()) return false;
    db::CRecordset recordset;
    if (database->Execute("SELECT crvAPChannel FROM ap_property WHERE mac = ?", {StoredMacForm(macs[k])},
                          recordset) &&
        !recordset.IsEOF()) {
      const std::string stored = recordset.GetText(0);
      if (!stored.empty()) channels[k] = std::atoi(stored.c_str());
    }
    database->ReleaseRecordset(recordset);
  }
  return true;
}

}  // namespace

int ChooseQuietestChannel(int lo, int hi, const std::vector<int>& channels, const std::vector<int>& signals) {
  if (!IsChannelSlot(lo) || !IsChannelSlot(hi) || hi - lo < kMinimumRangeWidth) return 0;
  if (channels.size() != signals.size()) return 0;

  // Signals are device values: summed wide so that no AP can overflow a score.
  std::array<long long, kChannelSlots> sums{};
  for (size_t k = 0; k < channels.size(); ++k)
    if (IsChannelSlot(channels[k])) sums[channels[k]] += signals[k];
  const auto heard = [&](int channel) { return channel >= lo && channel <= hi ? sums[channel] : 0LL; };

  int best = lo;
  long long bestScore = std::numeric_limits<long long>::max();
  for (int c = lo; c <= hi; ++c) {
    const long long score =
        4 * heard(c) + 2 * (heard(c - 1) + heard(c + 1)) + heard(c - 2) + heard(c + 2);
    if (score < bestScore) {
      best = c;
      bestScore = score;
    }
  }
  return best;
}

std::string StoredMacForm(const std::string& reported) {
  std::string mac = reported;
  for (char& c : mac) {
    if (c == ' ' || c == '-') c = ':';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return mac;
}

int AutoAssignChannel(const char* apIpText) {
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  CYSnmp snmp;
  snmp.SetIpStr(apIpText);
  const std::string objectId = GetGroupStore()->GetDevSysObjectID(apIpText, KeyKind::Ip);

  std::vector<std::string> superG;
  const int superGRead = snmp.GetList({objectId + ".4.4.0"}, superG);
  PostProgressStep();
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  if (superGRead != 0 || superG.empty()) return -1;
  if (superG[0] == kSuperGDynamicTurbo) return 0;

  std::vector<std::string> range;
  const int rangeRead = snmp.GetList({objectId + ".4.22.0", objectId + ".4.23.0"}, range);
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  if (rangeRead != 0) return -1;
  PostProgressStep();
  const int lo = std::atoi(range[0].c_str());
  const int hi = std::atoi(range[1].c_str());
  if (!IsChannelSlot(lo) || !IsChannelSlot(hi) || hi - lo < kMinimumRangeWidth) return 0;

  std::vector<int> channels;
  std::vector<int> signals;
  std::vector<std::string> macs;
  channels.reserve(kChannelSlots);
  signals.reserve(kChannelSlots);
  // Each walk ends at once when the discovery is stopped; a walk a stop ended reads as the stop.
  const auto walkResult = [](int result) { return result == 0 ? 0 : IsDiscoveryStopping() ? kDiscoveryStopped : -1; };
  if (const int r = walkResult(snmp.WalkToIntVector(objectId + ".6.3.1.4", channels, IsDiscoveryStopping)); r != 0)
    return r;
  PostProgressStep();
  if (const int r = walkResult(snmp.WalkToIntVector(objectId + ".6.3.1.5", signals, IsDiscoveryStopping)); r != 0)
    return r;
  PostProgressStep();
  if (const int r = walkResult(snmp.WalkToList(objectId + ".6.3.1.3", macs, IsDiscoveryStopping)); r != 0) return r;
  PostProgressStep();

  if (macs.size() == channels.size() && !ApplyStoredChannels(macs, channels)) return kDiscoveryStopped;
  return ChooseQuietestChannel(lo, hi, channels, signals);
}
