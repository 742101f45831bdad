#pragma once
// One AP as the load-balance operations talk to it: SNMP with one community as both read and write
// community, objects named by their suffix under the AP's stored sysObjectID. An AP without a stored
// sysObjectID is sent nothing: every exchange fails with kNotAddressable.
#include <string>

#include "snmp/y_snmp.h"

class ApConversation {
 public:
  static constexpr int kNotAddressable = -100;

  ApConversation(const std::string& ip, const std::string& community);
  // The default communities of the runtime settings.
  explicit ApConversation(const std::string& ip);

  // One GET; value is assigned only on 0.
  int Get(const std::string& suffix, std::string& value);
  // A set that reads the object first to learn its syntax.
  int Set(const std::string& suffix, const std::string& value);
  // Makes the AP apply its settings and restart (.1.3.0 = INTEGER 1).
  int Commit();

 private:
  std::string root_;
  CYSnmp snmp_;
};
