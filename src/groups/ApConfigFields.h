#pragma once
// The ap_property columns an ApConfigRecord mirrors, and how a stored or reported value of one of them is
// put into the record. Shared by the stored-configuration load and the synchronisation reads.
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "db/ApConfigRecord.h"

namespace groups {

// One row as read by column name; NULL columns are absent.
using ColumnValues = std::map<std::string, std::string>;

class ApConfigFields {
 public:
  using IntMember = int ApConfigRecord::*;
  using TextMember = std::string ApConfigRecord::*;
  struct Field {
    const char* column;
    std::variant<IntMember, TextMember> member;
  };

  // The column groups, in the order the stored configuration reads them.
  static const std::vector<Field>& General();   // location .. security type
  static const std::vector<Field>& Wep64();
  static const std::vector<Field>& Wep128();
  static const std::vector<Field>& Wep152();
  static const std::vector<Field>& Wpa();       // cipher, pass phrase, both RADIUS servers
  static const std::vector<Field>& Radio();     // transmit rate .. filter type

  // Reads the fields from the row: a text takes any non-NULL value, a number a non-empty one (its
  // leading digits); the others keep their value.
  static void Read(const ColumnValues& row, const std::vector<Field>& fields, ApConfigRecord& record);

  // Puts a difference's value for property (exact name) into the record: a text as it is, a number only
  // when the value is not empty, the cipher type always. False for a property with no plain field here
  // (address, DHCP, automatic channel and filter entries are the callers' own).
  static bool Apply(const std::string& property, const std::string& value, ApConfigRecord& record);
};

// Every ':', ' ' and '-' removed.
std::string BareMac(const std::string& mac);

}  // namespace groups
