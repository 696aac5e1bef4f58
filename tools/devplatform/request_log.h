#pragma once
// What the servers received: kept in memory for tests and appended to a file for scripts.
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "dev_platform.h"

namespace devplatform {

class RequestLog {
 public:
  RequestLog() = default;
  ~RequestLog();
  RequestLog(const RequestLog&) = delete;
  RequestLog& operator=(const RequestLog&) = delete;

  // Appends to `path` from now on; false when it cannot be opened.
  bool OpenFile(const std::string& path);
  // Called before the reply goes out, so a caller who has the reply also finds the request here.
  void Record(const Request& request, int status, std::size_t replyBytes);
  std::vector<Request> Requests() const;

 private:
  mutable std::mutex mutex_;
  std::vector<Request> requests_;
  std::FILE* file_ = nullptr;
};

// One log line (without the line end): time, port, method, target, status, reply size, body.
std::string LogLine(const Request& request, int status, std::size_t replyBytes);

}  // namespace devplatform
