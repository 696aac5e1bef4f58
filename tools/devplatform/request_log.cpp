#include "request_log.h"

#include <chrono>
#include <ctime>

namespace devplatform {

namespace {

// Bodies may hold line ends and GBK bytes: the log stays one line of ASCII per request.
std::string Escaped(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x21 && c < 0x7F) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  return out;
}

std::string Now() {
  auto now = std::chrono::system_clock::now();
  std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  int millis = static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec, millis);
  return text;
}

}  // namespace

RequestLog::~RequestLog() {
  if (file_ != nullptr) std::fclose(file_);
}

bool RequestLog::OpenFile(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (file_ != nullptr) std::fclose(file_);
  file_ = std::fopen(path.c_str(), "ab");
  return file_ != nullptr;
}

void RequestLog::Record(const Request& request, int status, std::size_t replyBytes) {
  std::string line = LogLine(request, status, replyBytes) + "\n";
  std::lock_guard<std::mutex> lock(mutex_);
  requests_.push_back(request);
  if (file_ != nullptr) {
    std::fputs(line.c_str(), file_);
    std::fflush(file_);
  }
}

std::vector<Request> RequestLog::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::string LogLine(const Request& request, int status, std::size_t replyBytes) {
  std::string target = Escaped(request.path);
  if (!request.query.empty()) target += "?" + Escaped(request.query);
  std::string line = Now() + " " + std::to_string(request.port) + " " + request.method + " " + target + " " +
                     std::to_string(status) + " " + std::to_string(replyBytes);
  if (!request.body.empty()) line += " body=" + Escaped(request.body);
  // Decoded form fields, so a log shows what a login really sent.
  for (const auto& field : request.form) line += " " + Escaped(field.first) + ":" + Escaped(field.second);
  return line;
}

}  // namespace devplatform
