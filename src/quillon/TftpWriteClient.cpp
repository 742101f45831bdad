#include "quillon/TftpWriteClient.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/MessageBox.h"
#include "quillon/ConsoleProtocol.h"

namespace quillon {
namespace {

constexpr int kRequestAttempts = 5;
constexpr int kBlockAttempts = 10;

void ShowError(const std::string& text) { platform::MessageBox(text, "Error", platform::MB_ICONERROR); }

}  // namespace

CTftpWriteClient::CTftpWriteClient(ITftpSocket& socket, TftpTimers timers, TftpEvents events, TftpTimings timings)
    : socket_(socket), timers_(timers), events_(std::move(events)), timings_(timings) {}

std::string CTftpWriteClient::CheckFirmwareFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::error_code error;
  if (!file || std::filesystem::is_directory(path, error)) return "Firmware file not found";
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return "Firmware file not found";
  if (size > tftp::kLargestFile) return "Firmware file is too large";
  return "";
}

std::vector<std::uint8_t> CTftpWriteClient::WriteRequest(const std::string& path) {
  const std::string body = path + '\0' + "octet" + '\0';
  std::vector<std::uint8_t> packet(2 + body.size());
  PutU16(packet.data(), tftp::kWriteRequest);
  std::copy(body.begin(), body.end(), packet.begin() + 2);
  return packet;
}

void CTftpWriteClient::Reset() {
  dataTick_ = false;
  finishing_ = false;
  currentBlock_ = 0;
  lastBlock_ = 0xFFFF;
  fileSize_ = 0;
  dataRetries_ = 0;
}

int CTftpWriteClient::Start(const TftpTarget& target, const std::string& firmwarePath) {
  target_ = target;
  path_ = firmwarePath;
  switch (socket_.Open(target.localPort)) {
    case ITftpSocket::OpenResult::CreateFailed:
      ShowError("Creat tftp socket error");
      return -1;
    case ITftpSocket::OpenResult::BindFailed:
      ShowError("Bind tftps socket error");
      return -1;
    case ITftpSocket::OpenResult::Ok:
      break;
  }
  timers_.request.Start(timings_.request, false);
  dataTick_ = false;
  finishing_ = false;
  if (!Send(WriteRequest(path_))) {
    ShowError("Write request send error");
    return -1;
  }
  return 0;
}

bool CTftpWriteClient::Send(const std::vector<std::uint8_t>& packet) {
  return socket_.SendTo(target_.address, target_.port, packet);
}

void CTftpWriteClient::Cancel() {
  Close();
  bytesSent_ = 0;
}

void CTftpWriteClient::Close() {
  timers_.data.Stop();
  timers_.request.Stop();
  timers_.finish.Stop();
  socket_.Close();
}

std::string CTftpWriteClient::Progress(const char* format) const {
  char text[96];
  std::snprintf(text, sizeof text, format, static_cast<long>(bytesSent_), static_cast<long>(fileSize_));
  return text;
}

void CTftpWriteClient::SendBlock(std::uint32_t index) {
  std::ifstream file(path_, std::ios::binary);
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path_, error);
  if (!file || error) {
    ShowError("Open firmware file error");
    return;
  }
  fileSize_ = size;
  if (index == 0) timers_.data.Start(timings_.data, false);
  std::vector<std::uint8_t> packet(4 + tftp::kBlockSize);
  file.seekg(static_cast<std::streamoff>(index) * static_cast<std::streamoff>(tftp::kBlockSize));
  file.read(reinterpret_cast<char*>(packet.data() + 4), static_cast<std::streamsize>(tftp::kBlockSize));
  const std::size_t count = file ? tftp::kBlockSize : static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0));
  packet.resize(4 + count);
  if (dataRetries_ == 0) bytesSent_ += static_cast<std::uint32_t>(count);

  // The file's size was checked before the transfer started, so the block number cannot wrap.
  const auto block = static_cast<std::uint16_t>(index + 1);
  currentBlock_ = block;
  PutU16(packet.data(), tftp::kData);
  PutU16(packet.data() + 2, block);
  dataTick_ = false;
  if (!Send(packet)) ShowError("Upgrade fail!!!!");
  if (count < tftp::kBlockSize) {
    lastBlock_ = block;
    events_.stateText(Progress("Complete...%ld/%ld bytes"));
  } else if (index > 0) {
    events_.stateText(Progress("Upgrade...%ld/%ld bytes"));
  }
}

void CTftpWriteClient::OnDataTimer() {
  if (!dataTick_) {
    dataTick_ = true;
    return;
  }
  if (dataRetries_ == kBlockAttempts) {
    const std::string text = Progress("Upgrade fail, translate %ld/%ld bytes");
    events_.stateText(text);
    Close();
    events_.logFailure(text);
    bytesSent_ = 0;
    dataRetries_ = 0;
    currentBlock_ = 0;
    lastBlock_ = 0xFFFF;
    return;
  }
  ++dataRetries_;
  SendBlock(static_cast<std::uint32_t>(currentBlock_ == 0 ? 0 : currentBlock_ - 1));
}

void CTftpWriteClient::OnRequestTimer() {
  if (!requestTick_) {
    requestTick_ = true;
    return;
  }
  Send(WriteRequest(path_));
  if (++requestRetries_ < kRequestAttempts) return;
  timers_.request.Stop();
  events_.stateText("Device not found");
  socket_.Close();
  requestRetries_ = 0;
}

void CTftpWriteClient::OnReadable() {
  const auto packet = socket_.Receive(tftp::kBlockSize);
  if (!packet || packet->size() < 4) return;
  const std::uint16_t opcode = GetU16(packet->data());
  if (opcode == tftp::kAck)
    OnAck(GetU16(packet->data() + 2));
  else if (opcode == tftp::kError)
    OnError(*packet);
}

void CTftpWriteClient::OnAck(std::uint16_t block) {
  if (finishing_) return;
  dataRetries_ = 0;
  if (block == 0) {
    timers_.request.Stop();
    requestRetries_ = 0;
    requestTick_ = false;
  }
  if (block == lastBlock_) {
    // The switch writes the image before it restarts; no block is guarded any more meanwhile.
    bytesSent_ = 0;
    finishing_ = true;
    timers_.data.Stop();
    timers_.finish.Start(timings_.finish, true);
  } else if (block == currentBlock_) {
    SendBlock(block);
  }
}

void CTftpWriteClient::OnFinishTimer() {
  if (!finishing_) return;
  currentBlock_ = 0;
  lastBlock_ = 0xFFFF;
  Close();
  finishing_ = false;
  events_.finished();
}

void CTftpWriteClient::OnError(const std::vector<std::uint8_t>& packet) {
  timers_.data.Stop();
  std::string text;
  for (std::size_t i = 4; i < packet.size() && packet[i] != 0 && text.size() < tftp::kErrorTextLimit; ++i)
    text.push_back(static_cast<char>(packet[i]));
  events_.logFailure(text);
  std::string shown = text;
  if (target_.rebootsAfterError) shown += "\nThe device will reboot, please wait for a few seconds";
  platform::MessageBox(shown, "upgrade fail", platform::MB_ICONERROR);
  events_.stateText(" ");
  Close();
  bytesSent_ = 0;
  Reset();
  events_.refused();
}

}  // namespace quillon
