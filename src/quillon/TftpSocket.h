#pragma once
// The UDP socket of a firmware transfer. The transfer talks to it through this interface, so the window
// can watch its readiness and tests can break it.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quillon {

class ITftpSocket {
 public:
  enum class OpenResult { Ok, CreateFailed, BindFailed };

  virtual ~ITftpSocket() = default;
  // Binds to any local address at the port.
  virtual OpenResult Open(std::uint16_t localPort) = 0;
  virtual bool SendTo(std::uint32_t address, std::uint16_t port, std::span<const std::uint8_t> datagram) = 0;
  // One waiting datagram of at most `limit` bytes (a longer one is cut), without blocking.
  virtual std::optional<std::vector<std::uint8_t>> Receive(std::size_t limit) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
};

class CUdpTftpSocket : public ITftpSocket {
 public:
  CUdpTftpSocket() = default;
  ~CUdpTftpSocket() override { Close(); }
  CUdpTftpSocket(const CUdpTftpSocket&) = delete;
  CUdpTftpSocket& operator=(const CUdpTftpSocket&) = delete;

  OpenResult Open(std::uint16_t localPort) override;
  bool SendTo(std::uint32_t address, std::uint16_t port, std::span<const std::uint8_t> datagram) override;
  std::optional<std::vector<std::uint8_t>> Receive(std::size_t limit) override;
  void Close() override;
  bool IsOpen() const override { return fd_ >= 0; }
  int Handle() const { return fd_; }

 private:
  int fd_ = -1;
};

}  // namespace quillon
