#pragma once
// Evens out the balancing of an AP's load-balance group on the APs themselves: every peer gets its
// balancing switch (.4.18.0) on, and the AP raises its own balancing level (.4.19.0) when it holds the
// group's lowest. Nothing in the program calls it yet.
#include <functional>
#include <string>
#include <vector>

#include "db/ApInfoRecord.h"

struct PeerBalanceLookups {
  // The other APs of the AP's load-balance group; empty when it has none.
  std::function<std::vector<ApInfoRecord>(const std::string& apIp)> peers;
  // A device's stored sysObjectID by its address; "" when it is not stored.
  std::function<std::string(const std::string& ip)> sysObjectId;
};

// The lookups from the database: the other members of the AP's group when its template balances load,
// and the devices' stored sysObjectIDs.
PeerBalanceLookups StoredPeerBalanceLookups();

// A failed read skips its step; a level of 5 on the AP leaves everything as it is.
void AdjustPeerBalance(const std::string& ip, const PeerBalanceLookups& lookups);
