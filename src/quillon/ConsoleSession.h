#pragma once
// One opening of the device console: the table of up to 256 switches in step with the list rows, the
// handling of every datagram that reaches the console, discovery and sets, and the values the firmware
// upgrade waits for. Everything here runs on the console's UI thread; nothing is shared with other threads.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "quillon/ConsoleList.h"
#include "quillon/ConsoleProtocol.h"
#include "quillon/ConsoleTransport.h"
#include "quillon/DefineEcf.h"

namespace quillon {

class CConsoleSession {
 public:
  static constexpr int kTableSize = 256;

  explicit CConsoleSession(ConsoleSettings settings = {});

  const ConsoleSettings& Settings() const { return settings_; }
  CConsoleList& List() { return list_; }
  const CConsoleList& List() const { return list_; }
  const ConsoleDeviceRecord& Device(int index) const { return table_.at(static_cast<std::size_t>(index)); }

  // Empties the list, rejoins the group and sends a discovery request as a broadcast and to the group.
  // A failed send is shown ("Broadcast discovery sento fail", "Multicast discovery sento fail").
  void Discovery(IConsoleTransport& transport);
  // One pass of the rediscovery after an upgrade: empties list and table, forgets whether the upgraded switch
  // answered and sends the request. False after the failed send's message.
  bool RediscoveryPass(IConsoleTransport& transport);
  // Sends command 3 for the record's switch: 0, or -1 after "UDP set send error". `refresh` marks the
  // DHCP-refresh variant.
  int SendConsoleSet(const ConsoleDeviceRecord& record, int dhcpAction, bool refresh, IConsoleTransport& transport);

  // Sends command 10 with the password to the switch, after forgetting an earlier acknowledgement: 0, or -1
  // after "Upgrade trigger send error".
  int SendUpgradeTrigger(const std::string& macText, const std::string& password, IConsoleTransport& transport);

  // One datagram from the sockets, with its source address in host order.
  void HandleConsoleDatagram(std::span<const std::uint8_t> datagram, std::uint32_t source);

  // Reads the elements of the datagram in the receive record and stores it: 0, or -1 after "Add fail, out of
  // 256 devices" when the table is full.
  int AddDeviceFromReply(std::span<const std::uint8_t> datagram);
  // Stores a switch known only from its header (loader mode: marked 100).
  void AddDeviceFromHeader(bool loaderMode);
  // A reply that does not report DHCP keeps the state an earlier reply reported (interface version 2 up).
  static void MergeDeviceRecord(ConsoleDeviceRecord& stored, const ConsoleDeviceRecord& received);
  // Creates or refreshes the list row of a table record.
  void ShowDeviceRow(int index);
  // The index among the listed records, or the list's count when the MAC is not there.
  int FindDeviceByMac(const std::string& macText, bool* found = nullptr) const;
  void ClearDeviceTable();

  std::uint16_t Sequence() const { return sequence_; }
  const std::string& BeingSetMac() const { return beingSetMac_; }
  std::uint32_t BeingSetAddress() const { return beingSetAddress_; }
  void SetUpgradeMac(std::string macText) { upgradeMac_ = std::move(macText); }
  const std::string& UpgradeMac() const { return upgradeMac_; }
  bool TriggerAcknowledged() const { return triggerAck_; }
  bool RediscoveryFound() const { return rediscoveryFound_; }
  void ClearUpgradeFlags() { triggerAck_ = rediscoveryFound_ = false; }
  std::uint32_t LastTrapSource() const { return lastTrapSource_; }
  const std::string& LastTrapSourceText() const { return lastTrapSourceText_; }

 private:
  bool SendDiscoveryRequest(IConsoleTransport& transport);
  void StoreReceived(int index, bool replaceWhole);
  void ConfirmSet();

  ConsoleSettings settings_;
  std::vector<ConsoleDeviceRecord> table_;
  CConsoleList list_;
  ConsoleDeviceRecord received_;
  std::uint16_t sequence_ = 0;
  std::string beingSetMac_;
  std::uint32_t beingSetAddress_ = 0;
  std::string upgradeMac_;
  bool triggerAck_ = false;
  bool rediscoveryFound_ = false;
  std::uint32_t lastTrapSource_ = 0;
  std::string lastTrapSourceText_;
};

// The version text of the list: protocol version, revision and interface version ("2.001.003").
std::string VersionText(const ConsoleDeviceRecord& record);

}  // namespace quillon
