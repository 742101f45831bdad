#pragma once
// Reads an AP's configuration over SNMP into a configuration record, for an AP the database holds no
// property row of: a few batched GETs with the default communities, then the MAC filter table walked.
// A batch the AP does not answer leaves its fields as they were; the next batch is still asked.
#include <string>

#include "db/ApConfigRecord.h"

void ReadApConfiguration(const std::string& ip, ApConfigRecord& record);

// The number of channels the AP offers (its ".4.23.0"); 0 when it does not answer.
int ReadApChannelCount(const std::string& ip);

// The AP's count of associated clients as its own object reports it; empty when it does not answer.
std::string ReadApClientCount(const std::string& ip);
