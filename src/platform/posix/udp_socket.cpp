#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/udp_socket.h"

namespace platform {

struct UdpSocket::State {
  std::atomic<int> fd{-1};
};

void SocketLibraryStart() {}
void SocketLibraryStop() {}

UdpSocket::UdpSocket() : state_(new State) {}

UdpSocket::~UdpSocket() {
  Close();
  delete state_;
}

bool UdpSocket::Create() {
  Close();
  int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
  if (fd < 0) return false;
  state_->fd = fd;
  return true;
}

bool UdpSocket::Bind(std::uint16_t port) {
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  return ::bind(state_->fd, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
}

bool UdpSocket::IsOpen() const { return state_->fd >= 0; }

void UdpSocket::Close() {
  int fd = state_->fd.exchange(-1);
  if (fd >= 0) {
    // Wakes a receiver blocked in poll on another thread.
    ::shutdown(fd, SHUT_RDWR);
    ::close(fd);
  }
}

std::uint16_t UdpSocket::LocalPort() const {
  sockaddr_in local{};
  socklen_t length = sizeof local;
  if (::getsockname(state_->fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) return 0;
  return ntohs(local.sin_port);
}

long UdpSocket::SendTo(const std::uint8_t* data, std::size_t size, const Text& address, std::uint16_t port) {
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = htons(port);
  if (::inet_pton(AF_INET, address.c_str(), &target.sin_addr) != 1) return -1;
  ssize_t sent = ::sendto(state_->fd, data, size, 0, reinterpret_cast<sockaddr*>(&target), sizeof target);
  return sent < 0 ? -1 : static_cast<long>(sent);
}

UdpSocket::Wait UdpSocket::WaitReadable(int timeoutMs) {
  pollfd entry{};
  entry.fd = state_->fd;
  entry.events = POLLIN | POLLPRI;
  int ready;
  do {
    ready = ::poll(&entry, 1, timeoutMs < 0 ? -1 : timeoutMs);
  } while (ready < 0 && errno == EINTR);
  if (ready == 0) return Wait::Timeout;
  if (ready < 0 || (entry.revents & (POLLERR | POLLNVAL | POLLHUP)) || !(entry.revents & (POLLIN | POLLPRI)))
    return Wait::Failed;
  return Wait::Ready;
}

long UdpSocket::ReceiveFrom(std::uint8_t* buffer, std::size_t size, Text* address, std::uint16_t* port) {
  sockaddr_in sender{};
  socklen_t length = sizeof sender;
  // MSG_TRUNC reports the datagram's real length, so one that does not fit counts as an error.
  ssize_t got = ::recvfrom(state_->fd, buffer, size, MSG_TRUNC | MSG_DONTWAIT,
                           reinterpret_cast<sockaddr*>(&sender), &length);
  if (got < 0 || static_cast<std::size_t>(got) > size) return -1;
  char text[INET_ADDRSTRLEN] = {0};
  ::inet_ntop(AF_INET, &sender.sin_addr, text, sizeof text);
  if (address) *address = text;
  if (port) *port = ntohs(sender.sin_port);
  return static_cast<long>(got);
}

}  // namespace platform
