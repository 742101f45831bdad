#pragma once
// The Discovery Wizard without its window: the IP segments to scan, the discovery password, the checks of
// a segment before it is added and the save on OK. Used on the UI thread.
#include <cstdint>
#include <string>
#include <vector>

#include "db/DiscoveryDb.h"

class CManageSegmentModel {
 public:
  enum class Field { None, FromIp, ToIp, Password };

  // A refusal: its message box text and the field that gets the focus.
  struct Verdict {
    bool accepted = true;
    std::string message;
    Field focus = Field::None;
  };

  // The stored segments and password; nothing modified yet.
  void Load();

  const std::vector<CManagementSegment>& Segments() const { return segments_; }
  const std::string& StoredPassword() const { return storedPassword_; }
  bool Modified() const { return modified_; }
  bool OkEnabled() const { return !segments_.empty(); }

  // Checks the typed segment and appends it; an empty to-IP is a single address. An accepted segment
  // also enters the recent lists of the two boxes.
  Verdict Add(const std::string& fromIp, const std::string& toIp);
  // Removes the rows at the indexes; nothing changes without any.
  void Delete(std::vector<int> rows);
  void PasswordChanged() { modified_ = true; }
  // Unmodified: close without storing. An empty password is refused. Otherwise the segments and the
  // password are stored, and every SNMP exchange from now on uses the password as both communities.
  Verdict Ok(const std::string& password);

  // The address as a 32-bit number a*2^24 + b*2^16 + c*2^8 + d (the text was checked before).
  static std::uint32_t AddressValue(const std::string& ip);

 private:
  bool Overlaps(const std::string& fromIp, const std::string& toIp) const;
  void Save(const std::string& password);

  std::vector<CManagementSegment> segments_;
  std::string storedPassword_;
  bool modified_ = false;
};
