#pragma once
// Exact replies for the canned HTTP peers, shared by the native and the WinINet tests.
#include <cstddef>
#include <string>

inline const std::string kOk = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";

inline std::string Redirect(const std::string& status, const std::string& location,
                            const std::string& body = "moved") {
  return "HTTP/1.1 " + status + "\r\nLocation: " + location + "\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n\r\n" + body;
}

inline std::string Reply(const std::string& status, const std::string& body, bool withLength = true) {
  return "HTTP/1.1 " + status + "\r\n" +
         (withLength ? "Content-Length: " + std::to_string(body.size()) + "\r\n" : std::string()) +
         "Connection: close\r\n\r\n" + body;
}

// The body of a request as the peer received it.
inline std::string BodyOf(const std::string& request) { return request.substr(request.find("\r\n\r\n") + 4); }

// Bytes of every value, in a pattern that shows misplaced pieces.
inline std::string Content(std::size_t size) {
  std::string content(size, '\0');
  for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<char>((i * 31 + i / 977) & 0xFF);
  return content;
}
