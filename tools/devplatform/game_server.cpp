#include "game_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <atomic>
#include <chrono>
#include <cstring>
#include <deque>
#include <mutex>
#include <sstream>
#include <thread>

#include "gbk_text.h"

namespace devplatform {

namespace {

using Clock = std::chrono::steady_clock;

const std::uint8_t kHead[] = {0xFF, 0xFF, 0xFF, 0xFF};

struct Packet {
  Bytes bytes;
  Packet& Byte(std::uint8_t b) {
    bytes.push_back(b);
    return *this;
  }
  Packet& String(const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
    return *this;
  }
  Packet& Uint32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    return *this;
  }
  Packet& Head(char type) {
    bytes.insert(bytes.end(), kHead, kHead + 4);
    return Byte(static_cast<std::uint8_t>(type));
  }
};

Bytes Oversize(Bytes bytes, int to) {
  if (to > 0 && bytes.size() < static_cast<std::size_t>(to)) bytes.resize(static_cast<std::size_t>(to), 0);
  return bytes;
}

bool IsQuery(const Bytes& datagram, const char* word) {
  std::size_t length = std::strlen(word);
  return datagram.size() >= 4 + length && std::equal(kHead, kHead + 4, datagram.begin()) &&
         std::equal(word, word + length, datagram.begin() + 4);
}

// "details" and "players" as clients send them: bare, with a NUL or with a line end.
bool IsWordQuery(const Bytes& datagram, const char* word) {
  if (!IsQuery(datagram, word)) return false;
  std::size_t rest = datagram.size() - 4 - std::strlen(word);
  if (rest == 0) return true;
  std::uint8_t next = datagram[datagram.size() - rest];
  return rest == 1 && (next == 0 || next == '\n');
}

std::uint32_t ChallengeOf(const Bytes& datagram) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= std::uint32_t{datagram[5 + i]} << (8 * i);
  return value;
}

int BoundPort(int sock) {
  sockaddr_in bound{};
  socklen_t length = sizeof bound;
  if (getsockname(sock, reinterpret_cast<sockaddr*>(&bound), &length) != 0) return 0;
  return ntohs(bound.sin_port);
}

int OpenUdp(const std::string& host, int port, std::string* error) {
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_port = htons(static_cast<std::uint16_t>(port));
  if (inet_pton(AF_INET, host.c_str(), &at.sin_addr) != 1) {
    *error = "game server: not an IPv4 address: " + host;
    return -1;
  }
  int sock = socket(AF_INET, SOCK_DGRAM, 0);
  if (sock < 0) {
    *error = std::string("game server: socket: ") + std::strerror(errno);
    return -1;
  }
  if (bind(sock, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0) {
    *error = "game server: cannot bind " + host + ":" + std::to_string(port) + ": " + std::strerror(errno);
    close(sock);
    return -1;
  }
  return sock;
}

}  // namespace

Bytes GameInfoReply(const GameServerOptions& o, int port) {
  int players = o.players >= 0 ? o.players : static_cast<int>(o.playerList.size());
  Packet p;
  p.Head('m')
      .String(o.reportedAddress.empty() ? o.host + ":" + std::to_string(port) : o.reportedAddress)
      .String(o.gbkName ? Utf8ToGbk(o.name) : o.name)
      .String(o.map)
      .String(o.folder)
      .String(o.game);
  if (!o.truncated) {
    p.Byte(static_cast<std::uint8_t>(players)).Byte(static_cast<std::uint8_t>(o.maxPlayers));
    p.Byte(static_cast<std::uint8_t>(o.protocol)).Byte(static_cast<std::uint8_t>(o.serverType));
    p.Byte(static_cast<std::uint8_t>(o.environment)).Byte(o.passworded ? 1 : 0);
    p.Byte(0);  // not a mod
    p.Byte(0);  // not secure
    p.Byte(0);  // no bots
  }
  return Oversize(p.bytes, o.oversizeTo);
}

Bytes GamePlayerReply(const GameServerOptions& o) {
  Packet p;
  p.Head('D').Byte(static_cast<std::uint8_t>(o.playerList.size()));
  std::size_t present = o.truncated ? std::min<std::size_t>(1, o.playerList.size()) : o.playerList.size();
  for (std::size_t i = 0; i < present; ++i) {
    const GamePlayer& player = o.playerList[i];
    std::uint32_t seconds;
    std::memcpy(&seconds, &player.seconds, sizeof seconds);
    p.Byte(static_cast<std::uint8_t>(i))
        .String(player.gbk ? Utf8ToGbk(player.name) : player.name)
        .Uint32(static_cast<std::uint32_t>(player.score))
        .Uint32(seconds);
  }
  return Oversize(p.bytes, o.oversizeTo);
}

Bytes GameChallengeReply(const GameServerOptions& o) { return Packet().Head('A').Uint32(o.challenge).bytes; }

struct GameServer::State {
  struct Pending {
    Clock::time_point due;
    Bytes bytes;
    sockaddr_in to;
  };

  GameServerOptions options;
  int sock = -1, replySock = -1;
  int port = 0, replyPort = 0;
  std::thread thread;
  std::atomic<bool> stop{false};
  mutable std::mutex mutex;
  std::vector<GameQuery> queries;
  std::deque<Pending> pending;  // in due order: every answer waits the same time
  std::string error;

  // The answer to one query, or nothing.
  Bytes Answer(const Bytes& q) const {
    if (IsWordQuery(q, "details") || IsQuery(q, "TSource Engine Query")) return GameInfoReply(options, port);
    if (IsWordQuery(q, "players")) return GamePlayerReply(options);
    bool challengeQuery = q.size() == 9 && std::equal(kHead, kHead + 4, q.begin());
    if (challengeQuery && q[4] == 'U') {
      if (!options.playersNeedChallenge || ChallengeOf(q) == options.challenge) return GamePlayerReply(options);
      return GameChallengeReply(options);  // asked for one, or sent a wrong one
    }
    if (q.size() == 5 && std::equal(kHead, kHead + 4, q.begin()) && q[4] == 'W') return GameChallengeReply(options);
    return Bytes();
  }

  void Send(const Pending& reply) {
    sendto(replySock, reply.bytes.data(), reply.bytes.size(), 0, reinterpret_cast<const sockaddr*>(&reply.to),
           sizeof reply.to);
  }

  void Run() {
    std::uint8_t buffer[65536];
    while (!stop.load()) {
      int wait = 50;
      Clock::time_point now = Clock::now();
      while (!pending.empty() && pending.front().due <= now) {
        Send(pending.front());
        pending.pop_front();
      }
      if (!pending.empty()) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(pending.front().due - now).count() + 1;
        wait = static_cast<int>(std::min<long long>(wait, left));
      }
      pollfd ready{sock, POLLIN, 0};
      if (poll(&ready, 1, wait) <= 0) continue;
      sockaddr_in from{};
      socklen_t length = sizeof from;
      ssize_t got = recvfrom(sock, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
      if (got < 0) continue;
      GameQuery query;
      char text[INET_ADDRSTRLEN] = "";
      inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
      query.address = text;
      query.port = ntohs(from.sin_port);
      query.datagram.assign(buffer, buffer + got);
      Bytes answer = Answer(query.datagram);
      {
        std::lock_guard<std::mutex> lock(mutex);
        queries.push_back(query);
      }
      if (answer.empty() || options.silent) continue;
      Pending reply{Clock::now() + std::chrono::milliseconds(options.lateMs), answer, from};
      if (options.lateMs > 0) {
        pending.push_back(reply);
      } else {
        Send(reply);
      }
    }
  }
};

GameServer::GameServer(GameServerOptions options) : state_(new State) { state_->options = std::move(options); }

GameServer::~GameServer() { Stop(); }

bool GameServer::Start() {
  State& s = *state_;
  if (s.sock >= 0) return true;
  s.sock = OpenUdp(s.options.host, s.options.port, &s.error);
  if (s.sock < 0) return false;
  s.port = BoundPort(s.sock);
  s.replySock = s.sock;
  if (s.options.otherPort) {
    s.replySock = OpenUdp(s.options.host, 0, &s.error);
    if (s.replySock < 0) {
      close(s.sock);
      s.sock = -1;
      return false;
    }
  }
  s.replyPort = BoundPort(s.replySock);
  s.stop = false;
  s.thread = std::thread([&s] { s.Run(); });
  return true;
}

void GameServer::Stop() {
  State& s = *state_;
  if (s.sock < 0) return;
  s.stop = true;
  if (s.thread.joinable()) s.thread.join();
  if (s.replySock != s.sock) close(s.replySock);
  close(s.sock);
  s.sock = s.replySock = -1;
  s.pending.clear();
}

int GameServer::port() const { return state_->port; }
int GameServer::replyPort() const { return state_->replyPort; }
const GameServerOptions& GameServer::options() const { return state_->options; }

std::vector<GameQuery> GameServer::queries() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->queries;
}

std::string GameServer::error() const { return state_->error; }

}  // namespace devplatform
