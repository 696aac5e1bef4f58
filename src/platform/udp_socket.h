#pragma once
// One IPv4 UDP socket with a readiness wait; the thin system layer under the UDP endpoint.
#include <cstddef>
#include <cstdint>

#include "base/text.h"

namespace platform {

// Starts and stops the system's socket library (WSAStartup/WSACleanup; nothing on POSIX).
void SocketLibraryStart();
void SocketLibraryStop();

class UdpSocket {
 public:
  enum class Wait { Ready, Timeout, Failed };

  UdpSocket();
  ~UdpSocket();
  UdpSocket(const UdpSocket&) = delete;
  UdpSocket& operator=(const UdpSocket&) = delete;

  // Creates the socket and ties it to the readiness signal.
  bool Create();
  // Binds to 0.0.0.0:port; port 0 lets the system choose.
  bool Bind(std::uint16_t port);
  bool IsOpen() const;
  void Close();
  // The locally bound port, 0 when unknown.
  std::uint16_t LocalPort() const;

  // Bytes sent, or -1 (an address that is not dotted IPv4 included).
  long SendTo(const std::uint8_t* data, std::size_t size, const Text& address, std::uint16_t port);
  // Waits up to timeoutMs (-1: without limit) for a datagram to read.
  Wait WaitReadable(int timeoutMs);
  // Reads one datagram. Answers its length (0 for an empty one), or -1 on an error, a datagram
  // larger than the buffer included. Fills the sender's dotted address and port.
  long ReceiveFrom(std::uint8_t* buffer, std::size_t size, Text* address, std::uint16_t* port);

 private:
  struct State;
  State* state_;
};

}  // namespace platform
