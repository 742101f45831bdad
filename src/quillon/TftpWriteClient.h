#pragma once
// Writes a firmware file to a switch over TFTP (the write side of RFC 1350), by the switch's own rules:
// every packet goes to the switch's TFTP port, answers are taken from wherever they come, a write request
// is repeated five times and a block ten times before the transfer gives up. Driven from outside by the
// socket's readiness and three timers; nothing here blocks.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "quillon/ConsoleTimer.h"
#include "quillon/TftpSocket.h"

namespace quillon {

namespace tftp {
inline constexpr std::uint16_t kWriteRequest = 2, kData = 3, kAck = 4, kError = 5;
inline constexpr std::size_t kBlockSize = 512;
// Block numbers are 16 bits and the last block is the short one, so this is the largest file that can go.
inline constexpr std::uintmax_t kLargestFile = 65535u * kBlockSize - 1;
// The longest error text of a switch that is shown and logged.
inline constexpr std::size_t kErrorTextLimit = 99;
}  // namespace tftp

struct TftpTarget {
  std::uint32_t address = 0;  // host order
  std::uint16_t port = 69;
  std::uint16_t localPort = 64517;
  std::string addressText;
  // The switch restarts by itself after a refused transfer (the note added to the error box).
  bool rebootsAfterError = false;
};

struct TftpTimers {
  IConsoleTimer& data;     // guards each block
  IConsoleTimer& request;  // repeats the write request
  IConsoleTimer& finish;   // the pause between the last acknowledgement and the end
};

struct TftpTimings {
  std::chrono::milliseconds data{1500}, request{1500}, finish{5000};
};

// What the transfer tells its dialog.
struct TftpEvents {
  std::function<void(const std::string&)> stateText;
  std::function<void(const std::string&)> logFailure;  // a line for the console log
  std::function<void()> finished;                      // every block acknowledged
  std::function<void()> refused;                       // the switch answered with an error packet
};

class CTftpWriteClient {
 public:
  CTftpWriteClient(ITftpSocket& socket, TftpTimers timers, TftpEvents events, TftpTimings timings = {});

  // Empty when the file can be sent; else the message that refuses it ("Firmware file not found",
  // "Firmware file is too large").
  static std::string CheckFirmwareFile(const std::string& path);
  // The write request for the path, sent as it is.
  static std::vector<std::uint8_t> WriteRequest(const std::string& path);

  // The state of a fresh dialog: nothing sent yet.
  void Reset();
  // Opens the socket and sends the write request: 0, or -1 after its message ("Creat tftp socket error",
  // "Bind tftps socket error", "Write request send error").
  int Start(const TftpTarget& target, const std::string& firmwarePath);
  // Closes the socket and forgets the bytes sent (Cancel, or the dialog closed).
  void Cancel();

  // One datagram waits on the socket.
  void OnReadable();
  void OnDataTimer();
  void OnRequestTimer();
  void OnFinishTimer();

  bool Running() const { return socket_.IsOpen(); }
  std::uint32_t BytesSent() const { return bytesSent_; }
  std::uint16_t CurrentBlock() const { return currentBlock_; }

 private:
  void SendBlock(std::uint32_t index);
  bool Send(const std::vector<std::uint8_t>& packet);
  void OnAck(std::uint16_t block);
  void OnError(const std::vector<std::uint8_t>& packet);
  void Finish();
  void Close();
  std::string Progress(const char* format) const;

  ITftpSocket& socket_;
  TftpTimers timers_;
  TftpEvents events_;
  TftpTimings timings_;
  TftpTarget target_;
  std::string path_;
  std::uintmax_t fileSize_ = 0;
  std::uint32_t bytesSent_ = 0;
  std::uint16_t currentBlock_ = 0;
  std::uint16_t lastBlock_ = 0xFFFF;
  bool dataTick_ = false;
  bool requestTick_ = false;
  int dataRetries_ = 0;
  int requestRetries_ = 0;
  bool finishing_ = false;
};

}  // namespace quillon
