#include "quillon/ConsoleSession.h"

#include <cstdio>

#include "platform/MessageBox.h"

namespace quillon {
namespace {

void ShowError(const std::string& text) { platform::MessageBox(text, "Error", platform::MB_ICONERROR); }

std::string DhcpText(std::uint16_t state) {
  if (state == kDhcpNotReported) return "";
  return state == 0 ? "disable" : "enable";
}

}  // namespace

std::string VersionText(const ConsoleDeviceRecord& record) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%03x.%03d", record.protocolVersion, record.protocolRevision,
                record.interfaceVersion);
  return text;
}

CConsoleSession::CConsoleSession(ConsoleSettings settings)
    : settings_(std::move(settings)), table_(kTableSize), received_(ConsoleDeviceRecord::Received()) {}

void CConsoleSession::ClearDeviceTable() { std::fill(table_.begin(), table_.end(), ConsoleDeviceRecord{}); }

void CConsoleSession::Discovery(IConsoleTransport& transport) {
  list_.Clear();
  transport.RejoinMulticastGroup();
  std::uint8_t request[kHeaderSize];
  BuildConsoleRequest(request, kDiscovery, settings_.magic);
  ClearDeviceTable();
  if (!transport.SendBroadcast(request)) {
    ShowError("Broadcast discovery sento fail");
    return;
  }
  ClearDeviceTable();
  if (!transport.SendMulticast(request)) ShowError("Multicast discovery sento fail");
}

int CConsoleSession::SendConsoleSet(const ConsoleDeviceRecord& record, int dhcpAction, bool refresh,
                                    IConsoleTransport& transport) {
  std::uint8_t datagram[kMaxDatagram];
  BuildConsoleRequest(datagram, kSet, settings_.magic);
  PutU16(datagram + header::kRevision, refresh ? 1 : 0);
  PutU16(datagram + header::kInterfaceVersion, refresh ? 3 : 0);
  PutU16(datagram + header::kSequence, sequence_);
  std::vector<std::uint8_t> mac;
  if (HexTextToBytes(record.macText, mac) == 0 && mac.size() >= 6)
    std::copy_n(mac.begin(), 6, datagram + header::kMac);
  beingSetMac_ = record.macText;
  bool ipWritten = false;
  const std::size_t elements = BuildConsoleTlvs(datagram + kHeaderSize, record, dhcpAction, &ipWritten);
  if (ipWritten) beingSetAddress_ = record.ipAddress;
  const std::span<const std::uint8_t> bytes(datagram, kHeaderSize + elements);
  if (!transport.SendBroadcast(bytes) || !transport.SendMulticast(bytes)) {
    ShowError("UDP set send error");
    return -1;
  }
  return 0;
}

void CConsoleSession::HandleConsoleDatagram(std::span<const std::uint8_t> datagram, std::uint32_t source) {
  received_ = ConsoleDeviceRecord::Received();
  if (datagram.size() < kHeaderSize) return;
  const ConsoleHeader h = ConsoleHeader::Read(datagram.data());
  received_.macText = MacToText(h.mac.data());
  if (h.magic != settings_.magic) return;
  received_.protocolVersion = h.version;
  received_.interfaceVersion = h.interfaceVersion;
  received_.capabilities = {DefaultCapabilityMask(h.interfaceVersion), 0, 0, 0};
  received_.protocolRevision = h.revision;
  if (h.revision != kReplyRevision) return;
  received_.ipAddress = source;
  received_.ipText = AddressText(source);

  if (h.version != kProtocolVersion) return AddDeviceFromHeader(false);
  if (h.command == kLoaderReply) return AddDeviceFromHeader(true);
  if (h.command == kDiscoveryReply && !upgradeMac_.empty() && received_.macText == upgradeMac_)
    rediscoveryFound_ = true;
  if (h.command == kSetReply || h.command == kUpgradeAck) {
    if (h.sequence != sequence_) return;  // an answer to an earlier request
    ++sequence_;
  }
  if (h.status != 0) {
    ShowError(StatusMessage(h.status));
    if (h.status == 6) {
      // A failed DHCP refresh still reports the switch's settings; they replace what was stored.
      ParseConsoleTlvs(datagram, received_);
      AddDeviceFromHeader(false);
    }
    return;
  }
  if (h.command == kUpgradeAck && !upgradeMac_.empty() && received_.macText == upgradeMac_) {
    triggerAck_ = true;
    return;
  }
  received_.command = h.command;
  if (h.command == kTrap) {
    if (datagram.size() >= kHeaderSize + 4) {
      lastTrapSource_ = GetU32(datagram.data() + kHeaderSize);
      lastTrapSourceText_ = AddressText(lastTrapSource_);
    }
    return;
  }
  AddDeviceFromReply(datagram);
}

int CConsoleSession::AddDeviceFromReply(std::span<const std::uint8_t> datagram) {
  const std::vector<int> selected = list_.Selected();
  ParseConsoleTlvs(datagram, received_);
  bool found = false;
  const int index = FindDeviceByMac(received_.macText, &found);
  if (index >= kTableSize) {
    ShowError("Add fail, out of 256 devices");
    return -1;
  }
  received_.exists = found ? 1 : 0;
  StoreReceived(index, false);
  if (received_.command == kSetReply || received_.command == kSetReplyUnchecked) ConfirmSet();
  if (!selected.empty()) list_.Select(selected.front());
  return 0;
}

void CConsoleSession::ConfirmSet() {
  const bool sameMac = !beingSetMac_.empty() && beingSetMac_ == received_.macText;
  const bool sameAddress = beingSetAddress_ != 0 && beingSetAddress_ == received_.ipAddress;
  if (!sameMac && !sameAddress) return;
  beingSetMac_.clear();
  beingSetAddress_ = 0;
  platform::MessageBox("Set Succesful", "Information", platform::MB_ICONINFORMATION);
}

void CConsoleSession::AddDeviceFromHeader(bool loaderMode) {
  if (loaderMode) received_.loaderMarker = kLoaderMarker;
  bool found = false;
  const int index = FindDeviceByMac(received_.macText, &found);
  if (index >= kTableSize) {
    ShowError("Add fail, out of 256 devices");
    return;
  }
  received_.exists = found ? 1 : 0;
  StoreReceived(index, true);
}

void CConsoleSession::StoreReceived(int index, bool replaceWhole) {
  received_.magic = settings_.magic;
  received_.missCount = 0;
  received_.notAlive = -1;
  received_.answered = 1;
  ConsoleDeviceRecord& stored = table_[static_cast<std::size_t>(index)];
  if (replaceWhole)
    stored = received_;
  else
    MergeDeviceRecord(stored, received_);
  ShowDeviceRow(index);
}

void CConsoleSession::MergeDeviceRecord(ConsoleDeviceRecord& stored, const ConsoleDeviceRecord& received) {
  const std::uint16_t earlierDhcp = stored.dhcpState;
  stored = received;
  if (received.dhcpState == kDhcpNotReported && received.interfaceVersion >= 2) stored.dhcpState = earlierDhcp;
}

void CConsoleSession::ShowDeviceRow(int index) {
  ConsoleDeviceRecord& record = table_.at(static_cast<std::size_t>(index));
  int row = list_.FindByMac(record.macText);
  if (record.exists != 1 || row < 0) row = list_.Insert(index, record.macText, index);
  if (record.groupInterval != -1 && record.groupInterval != 0) record.groupIntervalText = std::to_string(record.groupInterval);
  auto& texts = list_.Row(row).texts;
  texts = {record.macText,
           record.ipText,
           VersionText(record),
           record.productName,
           record.systemName,
           DhcpText(record.dhcpState),
           record.location,
           record.trapIpText,
           record.subnetMaskText,
           record.gatewayText,
           record.groupInterval == -1 ? "" : record.groupInterval == 0 ? "disable" : record.groupIntervalText};
}

int CConsoleSession::FindDeviceByMac(const std::string& macText, bool* found) const {
  const int listed = std::min(list_.Count(), kTableSize);
  for (int i = 0; i < listed; ++i) {
    if (table_[static_cast<std::size_t>(i)].macText == macText) {
      if (found) *found = true;
      return i;
    }
  }
  return list_.Count();
}

}  // namespace quillon
