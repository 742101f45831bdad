#pragma once
// CYSnmp: one SNMPv1 conversation with one device (address, read and write community, time-out). Built
// on the stack for one exchange or a short series; each operation opens its own session and closes it
// before it returns. Requests go to UDP 161, or to PELLION_SNMP_PORT when set; one retry.
//
// Results: 0 success, a negative code for a failure (codes differ per operation, see each). Where an
// operation passes on "the library's status", the codes are those of snmp/SnmpStatus.h
// (kSnmpStatusTimeout = -5 for no answer). Value texts follow snmp/SnmpText.h.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "snmp/SnmpBinding.h"
#include "snmp/SnmpObject.h"
#include "snmp/SnmpStatus.h"

class CYSnmp {
 public:
  // Copies the default communities and the time-out from g_RuntimeSettings; the address is 127.0.0.1.
  CYSnmp();

  // Time-out of one attempt in hundredths of a second; callers may overwrite it.
  int timeout;

  // At most 19 characters are kept; the text is not checked here.
  void SetIp(const std::string& ip);
  void SetIpStr(const char* ip);
  const char* GetIp() const { return ip_; }
  void SetReadCommunity(const std::string& community) { readCommunity_ = community; }
  void SetWriteCommunity(const std::string& community) { writeCommunity_ = community; }

  // Reading operations; all send the read community.

  // One GETNEXT of startOid; the next OID and its value go into the buffers (each zero-filled, at most
  // length - 1 characters). 0 the next OID lies under prefix; -2 it lies outside (buffers filled all the
  // same); -3 the next OID's text does not fit its buffer (nothing copied); -1 invalid address or OID,
  // session or request failure, or an answer that does not lie after startOid.
  int GetNext(const std::string& startOid, char* nextOid, int nextOidLength, char* value, int valueLength,
              const std::string& prefix);
  // As GetNext, into next, whatever the lengths of the OID and the value: 0 under prefix; -2 outside
  // (next filled all the same); -1 invalid address or OID, session or request failure, or an answer that
  // does not lie after startOid (the same or an earlier OID: a walk going by it would never end).
  int GetNextObject(const std::string& startOid, const std::string& prefix, SnmpObject& next);
  // Walks the subtree under prefix with one GETNEXT per object, appending each value; OIDs of any length.
  // 0 end of the subtree (or of the agent's objects); -1 invalid address or OID, session or request failure
  // (also an agent that does not move forward, or a subtree past CWalkLimit's rows or bytes of values),
  // values appended so far stay. When stopped is given and says true before a request, the walk ends
  // there with -1.
  int WalkToList(const std::string& prefix, std::vector<std::string>& values,
                 const std::function<bool()>& stopped = {});
  // As WalkToList, each value read as a decimal integer.
  int WalkToIntVector(const std::string& prefix, std::vector<int>& values, const std::function<bool()>& stopped = {});
  // One GET of count objects; values[i] receives the text of oids[i] (zero-filled, at most
  // valueLength - 1 characters). 0; -2 an invalid OID (nothing sent); -1 invalid address, session or
  // request failure (buffers untouched).
  int GetMany(int count, const char* const oids[], char* const values[], int valueLength);
  // As GetMany, but a failed request returns the library's status (-5 no answer); -1 invalid address or
  // session failure; -2 an invalid OID.
  int GetManyRaw(int count, const char* const oids[], char* const values[], int valueLength);
  // One GET with one binding per OID, in order; on 0 the values (cut to 95 characters) are appended.
  // -18 invalid address; -2 an invalid OID; otherwise the library's status (-5 no answer).
  int GetList(const std::vector<std::string>& oids, std::vector<std::string>& values);
  // GetList of one OID; value is assigned only on 0.
  int Get(const std::string& oid, std::string& value);
  // One GET of an OCTET STRING read as bytes (a MAC address, a bitmap): on 0 bytes receives the value's
  // bytes as they came. Codes as GetList; kNotOctetString when the value has another syntax (bytes
  // untouched).
  static constexpr int kNotOctetString = -4;
  int GetOctets(const std::string& oid, std::vector<unsigned char>& bytes);
  // Get; on 0 the buffer is zero-filled and receives the value cut to length - 1 characters.
  int GetToBuffer(const std::string& oid, char* buffer, int length);

  // Writing operations; the write community goes out as both communities.

  // GETs the object to learn its syntax, converts the text to it and SETs it. 0; -1 invalid address;
  // -2 session failure; -3 invalid OID; -4 the text does not convert to the object's syntax (nothing
  // set); -5 the GET or the SET failed.
  int Set(const std::string& oid, const std::string& value);
  // As Set with the bytes as an OCTET STRING; -4 also when the object is not an OCTET STRING. The first
  // argument is not used.
  int SetOctets(int unused, const std::string& oid, const unsigned char* bytes, int count);
  // One SET with the given SMI syntax, no GET first; codes as Set.
  int SetTyped(int syntax, const std::string& oid, const std::string& value);

  // Sets the binding's value from the text in the given SMI syntax (2 INTEGER, 4 OCTET STRING,
  // 6 OBJECT IDENTIFIER, 64 IpAddress, 65 Counter32, 66 Gauge32, 67 TimeTicks): 1, or 0 with the binding
  // unchanged. Numbers are read as decimal (non-numeric text gives 0); a number outside the syntax's
  // range fails, as do any other syntax, an invalid address and an OID that is invalid or cannot be sent
  // (fewer than two parts, a first part above 2, a second above 39 under a first of 0 or 1).
  static int ConvertSnmpValue(int syntax, SnmpBinding& binding, const std::string& text);
  // Syntax 4: the binding becomes exactly count bytes (zero bytes included), 1; any other syntax 0.
  static int SetOctetValue(int syntax, SnmpBinding& binding, const unsigned char* bytes, int count);

  // Removes a leading double quote and ends the text at the next one; other texts are left alone.
  static void StripQuotes(char* text);
  // Ends the text at its twentieth character and returns it from its third. The buffer must hold at
  // least 20 characters.
  static char* SkipTwoChars(char* buffer);

 private:
  struct Outcome;
  using Converter = std::function<int(int syntax, SnmpBinding& binding)>;

  Outcome Fetch(int command, const std::vector<std::string_view>& oids) const;
  int Walk(const std::string& prefix, const std::function<void(const std::string& value)>& append,
           const std::function<bool()>& stopped) const;
  // syntax < 0: GET the object first to learn it.
  int Write(const std::string& oid, int syntax, const Converter& convert) const;

  char ip_[20];
  std::string readCommunity_;
  std::string writeCommunity_;
};
