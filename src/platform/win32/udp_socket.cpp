#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <climits>
#include <cstdio>

#include "platform/udp_socket.h"

namespace platform {
namespace {

// Exactly four decimal numbers from 0 to 255 without leading zeros, so that the same texts
// pass here as on the other platforms (inet_addr alone also takes "127.1" or hex parts).
bool IsDottedQuad(const Text& text) {
  int parts = 0;
  std::size_t i = 0;
  for (;;) {
    std::size_t begin = i;
    unsigned value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - begin < 3) {
      value = value * 10 + static_cast<unsigned>(text[i] - '0');
      ++i;
    }
    std::size_t digits = i - begin;
    if (digits == 0 || value > 255 || (digits > 1 && text[begin] == '0')) return false;
    ++parts;
    if (i == text.size()) return parts == 4;
    if (text[i] != '.' || parts == 4) return false;
    ++i;
  }
}

}  // namespace

struct UdpSocket::State {
  // Close may come from another thread while one waits.
  std::atomic<SOCKET> socket{INVALID_SOCKET};
  WSAEVENT event = WSA_INVALID_EVENT;
};

void SocketLibraryStart() {
  WSADATA data;
  ::WSAStartup(MAKEWORD(2, 0), &data);
}

void SocketLibraryStop() { ::WSACleanup(); }

UdpSocket::UdpSocket() : state_(new State) { state_->event = ::WSACreateEvent(); }

UdpSocket::~UdpSocket() {
  Close();
  if (state_->event != WSA_INVALID_EVENT) ::WSACloseEvent(state_->event);
  delete state_;
}

bool UdpSocket::Create() {
  Close();
  if (state_->event == WSA_INVALID_EVENT) return false;
  SOCKET s = ::WSASocketW(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, WSA_FLAG_OVERLAPPED);
  if (s == INVALID_SOCKET) return false;
  // A wake-up left over from closing the previous socket is no news about this one.
  ::WSAResetEvent(state_->event);
  if (::WSAEventSelect(s, state_->event, FD_READ | FD_OOB) == SOCKET_ERROR) {
    ::closesocket(s);
    return false;
  }
  state_->socket = s;
  return true;
}

bool UdpSocket::Bind(std::uint16_t port) {
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  return ::bind(state_->socket, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
}

bool UdpSocket::IsOpen() const { return state_->socket != INVALID_SOCKET; }

void UdpSocket::Close() {
  SOCKET s = state_->socket.exchange(INVALID_SOCKET);
  if (s == INVALID_SOCKET) return;
  ::closesocket(s);
  // Closing signals nothing by itself; a waiter wakes here and finds the socket gone.
  ::WSASetEvent(state_->event);
}

std::uint16_t UdpSocket::LocalPort() const {
  sockaddr_in local{};
  int length = sizeof local;
  if (::getsockname(state_->socket, reinterpret_cast<sockaddr*>(&local), &length) != 0) return 0;
  return ntohs(local.sin_port);
}

long UdpSocket::SendTo(const std::uint8_t* data, std::size_t size, const Text& address, std::uint16_t port) {
  if (!IsDottedQuad(address) || size > INT_MAX) return -1;
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = htons(port);
  // INADDR_NONE here is the broadcast address itself, the text having been checked above.
  target.sin_addr.s_addr = ::inet_addr(address.c_str());
  int sent = ::sendto(state_->socket, reinterpret_cast<const char*>(data), static_cast<int>(size), 0,
                      reinterpret_cast<sockaddr*>(&target), sizeof target);
  return sent == SOCKET_ERROR ? -1 : sent;
}

UdpSocket::Wait UdpSocket::WaitReadable(int timeoutMs) {
  if (!IsOpen()) return Wait::Failed;
  DWORD limit = timeoutMs < 0 ? WSA_INFINITE : static_cast<DWORD>(timeoutMs);
  DWORD woke = ::WSAWaitForMultipleEvents(1, &state_->event, FALSE, limit, FALSE);
  if (woke == WSA_WAIT_TIMEOUT) return Wait::Timeout;
  if (woke != WSA_WAIT_EVENT_0) return Wait::Failed;
  WSANETWORKEVENTS events{};
  SOCKET s = state_->socket;
  if (s == INVALID_SOCKET || ::WSAEnumNetworkEvents(s, state_->event, &events) == SOCKET_ERROR) return Wait::Failed;
  if (events.lNetworkEvents == FD_READ && events.iErrorCode[FD_READ_BIT] == 0) return Wait::Ready;
  if (events.lNetworkEvents == FD_OOB && events.iErrorCode[FD_OOB_BIT] == 0) return Wait::Ready;
  return Wait::Failed;
}

long UdpSocket::ReceiveFrom(std::uint8_t* buffer, std::size_t size, Text* address, std::uint16_t* port) {
  sockaddr_in sender{};
  int length = sizeof sender;
  int room = size > INT_MAX ? INT_MAX : static_cast<int>(size);
  // A datagram larger than the buffer fails with WSAEMSGSIZE and is gone.
  int got = ::recvfrom(state_->socket, reinterpret_cast<char*>(buffer), room, 0, reinterpret_cast<sockaddr*>(&sender),
                       &length);
  if (got == SOCKET_ERROR) return -1;
  const unsigned char* a = reinterpret_cast<const unsigned char*>(&sender.sin_addr);
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", a[0], a[1], a[2], a[3]);
  if (address) *address = text;
  if (port) *port = ntohs(sender.sin_port);
  return got;
}

}  // namespace platform
