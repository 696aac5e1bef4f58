#include "browser/udp_endpoint.h"

#include <vector>

UdpEndpoint::UdpEndpoint() { platform::SocketLibraryStart(); }

UdpEndpoint::~UdpEndpoint() {
  Close();
  platform::SocketLibraryStop();
}

bool UdpEndpoint::Open(std::int16_t port) {
  Close();
  if (!socket_.Create()) return false;
  std::uint16_t local = port < 1 ? 0 : static_cast<std::uint16_t>(port);
  if (socket_.Bind(local)) return true;
  socket_.Close();
  return false;
}

void UdpEndpoint::Close() { socket_.Close(); }

bool UdpEndpoint::IsOpen() const { return socket_.IsOpen(); }

std::uint16_t UdpEndpoint::LocalPort() const { return socket_.LocalPort(); }

bool UdpEndpoint::Send(const Bytes& data, const Text& address, int port) {
  long sent = socket_.SendTo(data.data(), data.size(), address, static_cast<std::uint16_t>(port & 0xFFFF));
  return sent >= 0 && static_cast<std::size_t>(sent) == data.size();
}

bool UdpEndpoint::Receive(int& received, Bytes& data, int& length, int bufferSize, Text& address,
                          int& port, int timeout) {
  if (!socket_.IsOpen()) return false;
  int wait = timeout == 0 ? 1000 : timeout;
  switch (socket_.WaitReadable(wait)) {
    case platform::UdpSocket::Wait::Timeout:
      received = 0;
      return true;
    case platform::UdpSocket::Wait::Failed:
      return false;
    case platform::UdpSocket::Wait::Ready:
      break;
  }
  std::size_t size = bufferSize >= 1 ? static_cast<std::size_t>(bufferSize) : 10240;
  std::vector<std::uint8_t> buffer(size);
  Text sender;
  std::uint16_t senderPort = 0;
  long got = socket_.ReceiveFrom(buffer.data(), size, &sender, &senderPort);
  length = static_cast<int>(got);
  if (got < 1) {
    data.clear();
    return false;
  }
  data.assign(buffer.begin(), buffer.begin() + got);
  address = sender;
  // Only the low 16 bits of the caller's variable carry the port.
  port = static_cast<int>((static_cast<unsigned>(port) & 0xFFFF0000u) | senderPort);
  received = 1;
  return true;
}
