#include "dev_platform.h"

#include <netdb.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "account_replies.h"
#include "fixture_files.h"
#include "form_body.h"
#include "net/file_digest.h"
#include "request_log.h"
#include "service_paths.h"
#include "user_table.h"
#include "version_file.h"

namespace devplatform {

namespace {

const char kVersionPath[] = "/dlq/version.ini";
// The site's PHP pages answer JSON as UTF-8 HTML; the JSON itself is ASCII with \u escapes.
const char kJsonPageType[] = "text/html; charset=utf-8";

// Only SO_REUSEADDR: httplib's default adds SO_REUSEPORT, which would let a second
// instance share a port that is in use instead of failing.
void ExclusiveSocketOptions(int sock) {
  int yes = 1;
  setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

// A port nothing listens on, for a server that is down: connections to it are refused.
int FreePort(const std::string& host) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), "0", &hints, &found) != 0) return -1;
  int port = -1;
  int sock = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
  if (sock >= 0 && bind(sock, found->ai_addr, found->ai_addrlen) == 0) {
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    if (getsockname(sock, reinterpret_cast<sockaddr*>(&bound), &length) == 0) {
      port = bound.ss_family == AF_INET6 ? ntohs(reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port)
                                         : ntohs(reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    }
  }
  if (sock >= 0) close(sock);
  freeaddrinfo(found);
  return port;
}

bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string UrlOf(const std::string& host, int port) {
  bool v6 = host.find(':') != std::string::npos;
  return "http://" + (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

}  // namespace

struct DevPlatform::State {
  struct Server {
    bool primary = true;
    int port = 0;
    std::unique_ptr<httplib::Server> http;
    std::thread thread;
    std::atomic<bool> ended{false};
  };

  Options options;
  Placeholders at;
  RequestLog log;
  std::atomic<int> versionRequests{0};
  std::atomic<int> loginRequests{0};
  std::atomic<int> profileRequests{0};
  UserTable users;
  ServicePaths services;
  Server servers[2];
  std::string error;
  bool started = false;

  bool BuildVersion(std::string* body);
  Reply VersionFile(bool primary);
  Reply Login(const httplib::Request& request, Request* seen);
  Reply Profile(const std::string& id);
  Reply Answer(bool primary, const httplib::Request& request, Request* seen);
  void Handle(Server& server, const httplib::Request& request, httplib::Response& response);
  bool Listen(Server& server, int wantedPort);
};

bool DevPlatform::State::BuildVersion(std::string* body) {
  std::string fixture;
  if (!ReadWholeFile(options.fixtures + kVersionPath, &fixture)) return false;
  VersionEdits edits;
  edits.set = options.set;
  edits.unset = options.unset;
  edits.lfOnly = options.lfOnly;
  if (!options.exe.empty()) edits.hash = FileDigestOfFile(options.exe);
  *body = BuildVersionFile(fixture, edits, at);
  return true;
}

Reply DevPlatform::State::VersionFile(bool primary) {
  Reply reply;
  reply.contentType = "text/plain; charset=gbk";
  if (versionRequests.fetch_add(1) < options.emptyFirst) return reply;
  if (Covers(options.errorPage, primary)) {
    reply.contentType = "text/html; charset=gbk";
    reply.body = IspErrorPage();
    return reply;
  }
  if (!BuildVersion(&reply.body)) return NotFound(kVersionPath);
  return reply;
}

Reply DevPlatform::State::Login(const httplib::Request& request, Request* seen) {
  seen->form = DecodeForm(request.method == "POST" ? request.body : seen->query);
  Reply reply;
  reply.contentType = kJsonPageType;
  if (loginRequests.fetch_add(1) < options.emptyLogins) return reply;
  reply.body = LoginReply(users, seen->form);
  return reply;
}

Reply DevPlatform::State::Profile(const std::string& id) {
  Reply reply;
  reply.contentType = kJsonPageType;
  if (profileRequests.fetch_add(1) < options.emptyProfiles) return reply;
  reply.body = ProfileReply(users, id);
  return reply;
}

// The one place that decides what a request gets; new endpoints go here.
Reply DevPlatform::State::Answer(bool primary, const httplib::Request& request, Request* seen) {
  if (request.path == kVersionPath) return VersionFile(primary);
  if (!services.login.empty() && request.path == services.login) return Login(request, seen);
  // The client appends the user id to the rank= address, so the id is what follows it.
  const std::string& rank = services.rank;
  if (!rank.empty() && request.target.compare(0, rank.size(), rank) == 0) {
    return Profile(PercentDecode(request.target.substr(rank.size()), false));
  }
  return ServeFixture(options.fixtures, request.path, at);
}

void DevPlatform::State::Handle(Server& server, const httplib::Request& request, httplib::Response& response) {
  Request seen;
  seen.port = server.port;
  seen.method = request.method;
  seen.path = request.path;
  std::size_t mark = request.target.find('?');
  if (mark != std::string::npos) seen.query = request.target.substr(mark + 1);
  seen.body = request.body;
  Reply reply = Answer(server.primary, request, &seen);
  log.Record(seen, reply.status, reply.body.size());
  response.status = reply.status;
  response.set_content(reply.body, reply.contentType.c_str());
}

bool DevPlatform::State::Listen(Server& server, int wantedPort) {
  server.http = std::make_unique<httplib::Server>();
  httplib::Server& http = *server.http;
  http.set_socket_options(ExclusiveSocketOptions);
  auto handler = [this, &server](const httplib::Request& request, httplib::Response& response) {
    Handle(server, request, response);
  };
  http.Get(".*", handler);
  http.Post(".*", handler);
  http.Put(".*", handler);
  http.Delete(".*", handler);
  if (wantedPort == 0) {
    server.port = http.bind_to_any_port(options.host);
    if (server.port < 0) {
      error = "cannot listen on " + options.host + " (any port)";
      return false;
    }
  } else {
    server.port = wantedPort;
    if (!http.bind_to_port(options.host, wantedPort)) {
      error = "cannot listen on " + options.host + ":" + std::to_string(wantedPort) + " (port in use?)";
      return false;
    }
  }
  return true;
}

DevPlatform::DevPlatform(Options options) : state_(std::make_unique<State>()) {
  state_->options = std::move(options);
  state_->servers[0].primary = true;
  state_->servers[1].primary = false;
}

DevPlatform::~DevPlatform() { Stop(); }

bool DevPlatform::Start() {
  State& s = *state_;
  if (s.started) return true;
  s.error.clear();
  if (s.options.fixtures.empty()) s.options.fixtures = SourceFixtures();
  while (s.options.fixtures.size() > 1 && s.options.fixtures.back() == '/') s.options.fixtures.pop_back();
  if (!IsFolder(s.options.fixtures)) {
    s.error = "no fixture folder at " + s.options.fixtures;
    return false;
  }
  if (!s.options.exe.empty() && FileDigestOfFile(s.options.exe).empty()) {
    s.error = "cannot read " + s.options.exe;
    return false;
  }
  if (!s.options.logFile.empty() && !s.log.OpenFile(s.options.logFile)) {
    s.error = "cannot open " + s.options.logFile;
    return false;
  }
  if (!s.users.Load(UsersFileOf(s.options.fixtures), &s.error)) return false;
  s.versionRequests = 0;
  s.loginRequests = 0;
  s.profileRequests = 0;

  const int wanted[2] = {s.options.port, s.options.fallbackPort};
  for (int i = 0; i < 2; ++i) {
    State::Server& server = s.servers[i];
    if (Covers(s.options.down, server.primary)) {
      server.port = wanted[i] != 0 ? wanted[i] : FreePort(s.options.host);
      if (server.port < 0) {
        s.error = "cannot find a free port on " + s.options.host;
        Stop();
        return false;
      }
    } else if (!s.Listen(server, wanted[i])) {
      std::string why = s.error;
      Stop();
      s.error = why;
      return false;
    }
  }
  s.at.base = UrlOf(s.options.host, s.servers[0].port);
  s.at.forum = UrlOf(s.options.host, s.servers[1].port);
  std::string version;
  s.services = s.BuildVersion(&version) ? ServicePathsOf(version) : ServicePaths();

  for (State::Server& server : s.servers) {
    if (!server.http) continue;
    httplib::Server* http = server.http.get();
    std::atomic<bool>* ended = &server.ended;
    *ended = false;
    server.thread = std::thread([http, ended] {
      http->listen_after_bind();
      *ended = true;
    });
    // stop() is a no-op until the accept loop runs, so Stop() must not come before that.
    while (!http->is_running() && !*ended) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  s.started = true;
  return true;
}

void DevPlatform::Stop() {
  for (State::Server& server : state_->servers) {
    if (server.http) {
      if (server.thread.joinable()) {
        server.http->stop();
        server.thread.join();
      }
      server.http.reset();
    }
  }
  state_->started = false;
}

int DevPlatform::port() const { return state_->servers[0].port; }
int DevPlatform::fallbackPort() const { return state_->servers[1].port; }
std::string DevPlatform::baseUrl() const { return state_->at.base; }
std::string DevPlatform::fallbackUrl() const { return state_->at.forum; }
std::vector<Request> DevPlatform::requests() const { return state_->log.Requests(); }
std::string DevPlatform::error() const { return state_->error; }

std::string SourceFixtures() { return DEVPLATFORM_SOURCE_FIXTURES; }

bool Covers(Which which, bool primary) {
  return which == Which::Both || (primary ? which == Which::Primary : which == Which::Fallback);
}

}  // namespace devplatform
