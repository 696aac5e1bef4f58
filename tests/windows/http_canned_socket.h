#pragma once
// The few socket calls the canned HTTP peer makes, on Winsock.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstddef>

namespace canned {

using Socket = SOCKET;
constexpr Socket kNoSocket = INVALID_SOCKET;

inline void StartSockets() {
  static bool started = [] {
    WSADATA data;
    return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  (void)started;
}

inline Socket ListenLoopback(int* port) {
  Socket s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return kNoSocket;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(s, 16) != 0 ||
      ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::closesocket(s);
    return kNoSocket;
  }
  *port = ntohs(address.sin_port);
  return s;
}

inline bool WaitReadable(Socket s, int ms) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(s, &readable);
  timeval timeout{ms / 1000, (ms % 1000) * 1000};
  return ::select(0, &readable, nullptr, nullptr, &timeout) > 0;
}

inline Socket Accept(Socket s) { return ::accept(s, nullptr, nullptr); }
inline long Receive(Socket s, char* buffer, std::size_t size) { return ::recv(s, buffer, static_cast<int>(size), 0); }
inline long SendSome(Socket s, const char* data, std::size_t size) {
  return ::send(s, data, static_cast<int>(size), 0);
}
inline void Finish(Socket s) {
  ::shutdown(s, SD_SEND);
  ::closesocket(s);
}
inline void CloseSocket(Socket s) { ::closesocket(s); }

}  // namespace canned
