#pragma once
// What a simulated device does beyond serving its data file, read from its side file (same name as the
// data file, extension ".devsim") or from the control channel. One directive a line, "#" starts a comment:
//
//   read-community TEXT          default "public"
//   write-community TEXT         default "private"; also accepted for reads
//   writable PREFIX              existing objects under PREFIX accept a SET of their own type
//   commit-apply OID             INTEGER 1 applies pending settings and increments the config id
//   commit-restart OID           the same, then the device restarts: silent for restart-silence-ms
//   restart-silence-ms N         default 0
//   config-id OID                INTEGER object a commit increments
//   password OID commit|immediate  a SET of OID changes the write community at the next commit or at once;
//                                OID reads back the current write community (not a pending one)
//   password-mirror OID          reads back the current write community
//   mirror OID OTHER             two objects with one value: a SET of either changes both
//   mac-filter-add OID           OCTET STRING of 12 hex digits appends "XX:XX:XX:XX:XX:XX" to the table
//   mac-filter-delete OID        removes the matching entry (any case) and renumbers the rest
//   mac-filter-table ENTRY_OID   ENTRY.1.i = i (INTEGER), ENTRY.2.i = the MAC text
//   mac-filter-max N             default 60
//   firmware-open OID [MS]       INTEGER 0/1; 1 opens the device for a firmware push, closed again after MS
//   system-key KEY DIGEST OUI MAC  a SET of KEY (text) makes DIGEST the upper-case hex HMAC-MD5 with the key
//                                OUI bytes + key text over MAC as lower-case hex digits (OUI, MAC in hex)
//   uptime OID                   TimeTicks since start or last restart
//   delay-ms N                   every answer N ms late
//   silent on|off                no answers at all
//   rotate-scope PREFIX          objects under PREFIX change between polls:
//   rotate-frame FILE            the data file's own content is frame 0, each FILE the next frame
//   rotate-period-ms N           advance every N ms; 0 (default) only on the control command "next"
//   include FILE                 the directives of another side file (shared behaviour of one model); a
//                                file that includes itself, directly or through others, is refused
// Times in milliseconds are at most 86400000 (a day).
#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Oid.h"
#include "Snmprec.h"

namespace devsim {

class DeviceConfigError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct DeviceConfig {
  using Millis = std::chrono::milliseconds;

  std::string readCommunity = "public";
  std::string writeCommunity = "private";
  std::vector<Oid> writable;
  std::optional<Oid> commitApply;
  std::optional<Oid> commitRestart;
  Millis restartSilence{0};
  std::optional<Oid> configId;
  std::optional<Oid> password;
  bool passwordOnCommit = false;
  std::vector<Oid> passwordMirrors;
  std::vector<std::pair<Oid, Oid>> mirrors;
  std::optional<Oid> macFilterAdd;
  std::optional<Oid> macFilterDelete;
  std::optional<Oid> macFilterTable;
  size_t macFilterMax = 60;
  std::optional<Oid> firmwareOpen;
  Millis firmwareCloseAfter{0};
  struct SystemKey {
    Oid key;
    Oid digest;
    std::string oui;  // 3 bytes
    std::string mac;  // 12 lower-case hex digits
  };
  std::optional<SystemKey> systemKey;
  std::optional<Oid> uptime;
  Millis delay{0};
  bool silent = false;
  std::vector<Oid> rotateScopes;
  std::vector<ObjectMap> rotateFrames;  // frames 1..n; frame 0 is taken from the data file
  Millis rotatePeriod{0};

  // One directive; relative file names are taken from baseDir. Throws DeviceConfigError.
  void Apply(const std::string& line, const std::string& baseDir) { Apply(line, baseDir, {}); }
  // A whole side file; the error names the file and line.
  void ApplyFile(const std::string& path) { ApplyFile(path, {}); }

 private:
  // The side files being read, outermost first.
  using IncludeChain = std::vector<std::string>;
  void Apply(const std::string& line, const std::string& baseDir, const IncludeChain& including);
  void ApplyFile(const std::string& path, IncludeChain including);
};

}  // namespace devsim
