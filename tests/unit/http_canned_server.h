#pragma once
// A loopback HTTP peer for tests: it answers each connection with the next reply of its script,
// byte for byte ("{{BASE}}" becomes its own http://127.0.0.1:port), then closes it, and keeps
// every request it was sent.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include "windows/http_canned_socket.h"
#else
#include "unit/http_canned_socket.h"
#endif

class CannedServer {
 public:
  // A reply in pieces, sent one after another with a short pause between them.
  using Reply = std::vector<std::string>;

  // After the script runs out the last reply is repeated.
  explicit CannedServer(std::vector<Reply> script) : script_(std::move(script)) {
    canned::StartSockets();
    listener_ = canned::ListenLoopback(&port_);
    if (listener_ != canned::kNoSocket) thread_ = std::thread([this] { Serve(); });
  }
  ~CannedServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (listener_ != canned::kNoSocket) canned::CloseSocket(listener_);
  }
  CannedServer(const CannedServer&) = delete;
  CannedServer& operator=(const CannedServer&) = delete;

  bool listening() const { return listener_ != canned::kNoSocket; }
  int port() const { return port_; }
  std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }
  std::string url(const std::string& path) const { return base() + path; }

  // Each request as received: head and body.
  std::vector<std::string> requests() const {
    std::lock_guard<std::mutex> hold(lock_);
    return requests_;
  }
  std::string request(std::size_t i) const {
    auto all = requests();
    return i < all.size() ? all[i] : std::string();
  }
  // The request line of each request, e.g. "GET /a HTTP/1.1".
  std::vector<std::string> requestLines() const {
    std::vector<std::string> lines;
    for (const std::string& r : requests()) lines.push_back(r.substr(0, r.find("\r\n")));
    return lines;
  }

 private:
  void Serve() {
    std::size_t next = 0;
    while (!stop_) {
      if (!canned::WaitReadable(listener_, 50)) continue;
      canned::Socket client = canned::Accept(listener_);
      if (client == canned::kNoSocket) continue;
      std::string received = ReadRequest(client);
      {
        std::lock_guard<std::mutex> hold(lock_);
        requests_.push_back(received);
      }
      const Reply& reply = script_.empty() ? Reply() : script_[next < script_.size() ? next : script_.size() - 1];
      ++next;
      for (std::size_t i = 0; i < reply.size(); ++i) {
        if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        SendAll(client, WithBase(reply[i]));
      }
      canned::Finish(client);
    }
  }

  // "{{BASE}}" in a reply stands for this server's own address.
  std::string WithBase(std::string bytes) const {
    for (std::size_t at; (at = bytes.find("{{BASE}}")) != std::string::npos;) bytes.replace(at, 8, base());
    return bytes;
  }

  static std::string ReadRequest(canned::Socket client) {
    std::string data;
    char buffer[4096];
    std::size_t headEnd = std::string::npos;
    std::size_t wanted = 0;
    for (;;) {
      if (headEnd == std::string::npos) {
        headEnd = data.find("\r\n\r\n");
        if (headEnd != std::string::npos) wanted = headEnd + 4 + BodyLength(data.substr(0, headEnd + 2));
      }
      if (headEnd != std::string::npos && data.size() >= wanted) return data;
      if (!canned::WaitReadable(client, 5000)) return data;
      long got = canned::Receive(client, buffer, sizeof buffer);
      if (got <= 0) return data;
      data.append(buffer, static_cast<std::size_t>(got));
    }
  }

  static std::size_t BodyLength(const std::string& head) {
    std::string lower;
    for (char c : head) lower.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    std::size_t at = lower.find("\r\ncontent-length:");
    return at == std::string::npos ? 0 : std::strtoul(head.c_str() + at + 17, nullptr, 10);
  }

  static void SendAll(canned::Socket client, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      long sent = canned::SendSome(client, bytes.data() + done, bytes.size() - done);
      if (sent <= 0) return;
      done += static_cast<std::size_t>(sent);
    }
  }

  std::vector<Reply> script_;
  canned::Socket listener_ = canned::kNoSocket;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  mutable std::mutex lock_;
  std::vector<std::string> requests_;
};
