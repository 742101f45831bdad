#pragma once
// Status codes of a failed SNMP request, the numbers that CYSnmp passes on as "the library's status".

// No answer within the time-out and the retry.
inline constexpr int kSnmpStatusTimeout = -5;
// The session could not be opened, or the request could not be sent or its answer not read.
inline constexpr int kSnmpStatusSessionFailure = -10;
// The address text is not a dotted IPv4 address.
inline constexpr int kSnmpStatusInvalidAddress = -18;
// The agent answered with error status e (1 tooBig ... 5 genErr for SNMPv1): kSnmpStatusErrorBase - e,
// so noSuchName is -22.
inline constexpr int kSnmpStatusErrorBase = -20;
// The most error statuses an agent can send (SNMPv2's inconsistentName, 18); others count as genErr.
inline constexpr int kSnmpMaxErrorStatus = 18;

// True when the agent answered, with an error status; false for success and for no usable answer at all
// (a time-out, an address without a route, a session that could not be opened).
inline constexpr bool IsAgentErrorStatus(int status) {
  return status < kSnmpStatusErrorBase && status >= kSnmpStatusErrorBase - kSnmpMaxErrorStatus;
}
