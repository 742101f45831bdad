#pragma once
// One AP property the poller reads: the full OID it is read at, the ap_property column that keeps it,
// and the value the AP gave ("GETFAIL" when the read failed).
#include <string>

struct PolledProperty {
  std::string oid;
  std::string name;
  std::string value;
};
