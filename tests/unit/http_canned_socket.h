#pragma once
// The few socket calls the canned HTTP peer makes, on POSIX.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>

namespace canned {

using Socket = int;
constexpr Socket kNoSocket = -1;

inline void StartSockets() {}

inline Socket ListenLoopback(int* port) {
  Socket s = ::socket(AF_INET, SOCK_STREAM, 0);
  if (s < 0) return kNoSocket;
  int one = 1;
  ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(s, 16) != 0 ||
      ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::close(s);
    return kNoSocket;
  }
  *port = ntohs(address.sin_port);
  return s;
}

inline bool WaitReadable(Socket s, int ms) {
  pollfd p{s, POLLIN, 0};
  return ::poll(&p, 1, ms) > 0;
}

inline Socket Accept(Socket s) { return ::accept(s, nullptr, nullptr); }
inline long Receive(Socket s, char* buffer, std::size_t size) { return ::recv(s, buffer, size, 0); }
inline long SendSome(Socket s, const char* data, std::size_t size) { return ::send(s, data, size, MSG_NOSIGNAL); }
inline void Finish(Socket s) {
  ::shutdown(s, SHUT_WR);
  ::close(s);
}
inline void CloseSocket(Socket s) { ::close(s); }

}  // namespace canned
