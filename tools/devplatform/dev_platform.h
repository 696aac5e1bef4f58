#pragma once
// The stand-in platform: the configuration server and the forum site on two loopback
// ports, serving the fixture folder, with switches for the failures the client must survive.
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace devplatform {

// Which of the two servers a failure switch applies to.
enum class Which { None, Primary, Fallback, Both };

struct Options {
  std::string fixtures;            // folder served at "/"; empty: the repository's fixtures/platform
  std::string host = "127.0.0.1";
  int port = 8888, fallbackPort = 8889;  // 0: any free port
  std::string exe;                 // when set: the served Hash= is the MD5 of this file
  Which down = Which::None;        // that server does not listen at all (connections refused)
  Which errorPage = Which::None;   // version file answered 200 with an error page containing 该页
  int emptyFirst = 0;              // the first N version-file requests (both servers counted together) answered 200 with an empty body
  bool lfOnly = false;             // version file served with LF-only line ends
  std::vector<std::pair<std::string, std::string>> set;  // key=value overrides (UTF-8), replacing that key's line or appending it
  std::vector<std::string> unset;  // keys whose lines are removed
  std::string logFile;             // one line per request appended (and flushed)
  int emptyLogins = 0;             // the first N login requests answered 200 with an empty body
  int emptyProfiles = 0;           // the same for the profile requests
};

struct Request {
  int port;                        // the server's port that received it
  std::string method, path, query, body;  // path decoded, query raw (without '?')
  std::vector<std::pair<std::string, std::string>> form;  // a login's fields, decoded, in the order sent
};

// The fixture folder of the source tree this library was built from.
std::string SourceFixtures();

class DevPlatform {
 public:
  explicit DevPlatform(Options options);
  ~DevPlatform();  // stops
  DevPlatform(const DevPlatform&) = delete;
  DevPlatform& operator=(const DevPlatform&) = delete;

  // Listening (threads) when it returns true; otherwise error() says why.
  bool Start();
  void Stop();
  // Actual ports. A server that is down still has one: a free port nothing listens on.
  int port() const;
  int fallbackPort() const;
  std::string baseUrl() const;      // http://HOST:PORT of the primary server
  std::string fallbackUrl() const;  // the same for the fallback
  // What was received, oldest first.
  std::vector<Request> requests() const;
  std::string error() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// True when `which` covers the primary (or the fallback) server.
bool Covers(Which which, bool primary);

}  // namespace devplatform
