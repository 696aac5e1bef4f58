#pragma once
// The client's one UDP socket: every game-server query leaves through it and every reply comes
// back through it. Sends may run concurrently from many threads while one thread receives.
#include <cstdint>

#include "base/text.h"
#include "platform/udp_socket.h"

class UdpEndpoint {
 public:
  // Starts the socket library; the socket itself comes with Open.
  UdpEndpoint();
  // Closes the socket and balances the library start.
  ~UdpEndpoint();
  UdpEndpoint(const UdpEndpoint&) = delete;
  UdpEndpoint& operator=(const UdpEndpoint&) = delete;

  // Binds to 0.0.0.0:port, an open socket being closed first. The port is taken as a signed
  // 16-bit value: below 1 (32768 to 65535 included) the system chooses.
  bool Open(std::int16_t port);
  void Close();
  bool IsOpen() const;
  std::uint16_t LocalPort() const;

  // True exactly when the whole datagram went out. `address` must be dotted IPv4.
  bool Send(const Bytes& data, const Text& address, int port);

  // Waits up to `timeout` ms (0 means 1000, -1 without limit) and reads one datagram.
  // A time-out is a success with received = 0. False on a closed endpoint (outputs untouched),
  // a wait or read error, a datagram larger than the buffer or an empty one (data empty,
  // length 0). bufferSize below 1 means 10240 bytes.
  bool Receive(int& received, Bytes& data, int& length, int bufferSize, Text& address, int& port,
               int timeout);

 private:
  platform::UdpSocket socket_;
};
