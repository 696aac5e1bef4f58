#include "options.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "game_server.h"

namespace devplatform {

namespace {

bool ParseNumber(const std::string& text, int low, int high, int* value) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  int n = std::atoi(text.c_str());
  if (n < low || n > high) return false;
  *value = n;
  return true;
}

bool HasVersionFile(const std::string& folder) {
  struct stat info;
  return stat((folder + "/dlq/version.ini").c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// `start` and each folder above it, looking for fixtures/platform.
std::string SearchUpwards(std::string start) {
  while (!start.empty()) {
    std::string candidate = start + (start == "/" ? "" : "/") + "fixtures/platform";
    if (HasVersionFile(candidate)) return candidate;
    if (start == "/") break;
    std::size_t slash = start.find_last_of('/');
    start = slash == 0 ? "/" : start.substr(0, slash);
  }
  return std::string();
}

}  // namespace

bool ParseWhich(const std::string& word, Which* which) {
  if (word == "primary") *which = Which::Primary;
  else if (word == "fallback") *which = Which::Fallback;
  else if (word == "both") *which = Which::Both;
  else return false;
  return true;
}

std::string FindFixtures() {
  char buffer[PATH_MAX];
  ssize_t got = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (got > 0) {
    std::string exe(buffer, static_cast<std::size_t>(got));
    std::string found = SearchUpwards(exe.substr(0, exe.find_last_of('/')));
    if (!found.empty()) return found;
  }
  if (getcwd(buffer, sizeof buffer) != nullptr) {
    std::string found = SearchUpwards(buffer);
    if (!found.empty()) return found;
  }
  return HasVersionFile(SourceFixtures()) ? SourceFixtures() : std::string();
}

bool ParseCommandLine(const std::vector<std::string>& args, ProgramOptions* out, std::string* error) {
  Options& o = out->platform;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool inlineValue = false;
    std::size_t eq = name.find('=');
    if (name.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
      inlineValue = true;
    }
    auto flag = [&]() {
      if (inlineValue) *error = name + " takes no value";
      return !inlineValue;
    };
    auto take = [&]() {
      if (inlineValue) return true;
      if (i + 1 >= args.size()) {
        *error = name + " needs a value";
        return false;
      }
      value = args[++i];
      return true;
    };
    auto bad = [&](const std::string& what) {
      *error = name + ": " + what + ", not '" + value + "'";
      return false;
    };

    if (name == "--help" || name == "-h") {
      if (!flag()) return false;
      out->help = true;
    } else if (name == "--lf-only") {
      if (!flag()) return false;
      o.lfOnly = true;
    } else if (name == "--fixtures" || name == "--host" || name == "--exe" || name == "--log" ||
               name == "--ready-file" || name == "--game-server" || name == "--game-ready-file") {
      if (!take()) return false;
      if (value.empty()) return bad("expected a value");
      if (name == "--fixtures") o.fixtures = value;
      if (name == "--host") o.host = value;
      if (name == "--exe") o.exe = value;
      if (name == "--log") o.logFile = value;
      if (name == "--ready-file") out->readyFile = value;
      if (name == "--game-server") out->gameServerFiles.push_back(value);
      if (name == "--game-ready-file") out->gameReadyFile = value;
    } else if (name == "--port" || name == "--fallback-port") {
      if (!take()) return false;
      if (!ParseNumber(value, 0, 65535, name == "--port" ? &o.port : &o.fallbackPort)) {
        return bad("expected a port number 0-65535");
      }
    } else if (name == "--empty-first") {
      if (!take()) return false;
      if (!ParseNumber(value, 0, 1000000, &o.emptyFirst)) return bad("expected a count");
    } else if (name == "--down" || name == "--error-page") {
      if (!take()) return false;
      if (!ParseWhich(value, name == "--down" ? &o.down : &o.errorPage)) {
        return bad("expected primary, fallback or both");
      }
    } else if (name == "--set") {
      if (!take()) return false;
      std::size_t at = value.find('=');
      if (at == std::string::npos || at == 0) return bad("expected KEY=VALUE");
      o.set.emplace_back(value.substr(0, at), value.substr(at + 1));
    } else if (name == "--unset") {
      if (!take()) return false;
      if (value.empty() || value.find('=') != std::string::npos) return bad("expected a key");
      o.unset.push_back(value);
    } else {
      *error = "unknown argument '" + args[i] + "' (see --help)";
      return false;
    }
  }
  if (o.port != 0 && o.port == o.fallbackPort && o.down == Which::None) {
    *error = "--port and --fallback-port are the same";
    return false;
  }
  return true;
}

std::string UsageText() {
  // u8: the text goes to a UTF-8 terminal, whatever the execution character set.
  return
      u8"usage: devplatform [options]\n"
      "Stand-in for the platform's configuration server and forum site on two local ports.\n"
      "Both serve the fixture folder: .ini and .txt files go out as GBK with CR LF line ends,\n"
      "with {{BASE}} and {{FORUM}} replaced by the two servers' base URLs; .html and .php pages\n"
      "go out as UTF-8 with {{BASE}}/{{FORUM}} replaced; other files as they are; a missing\n"
      "file is 404. /dlq/version.ini is built from the fixture with the edits below.\n"
      "\n"
      "  --fixtures DIR        folder served at / (default: the repository's fixtures/platform,\n"
      "                        found above the executable or the current folder)\n"
      "  --host ADDR           address both servers listen on (default 127.0.0.1)\n"
      "  --port N              configuration server port (default 8888; 0: any free port)\n"
      "  --fallback-port N     forum site port (default 8889; 0: any free port)\n"
      "  --exe FILE            serve Hash= as the lower-case MD5 of FILE (read at every request)\n"
      "  --down WHICH          primary|fallback|both: that server does not listen (refused)\n"
      "  --error-page WHICH    primary|fallback|both: version file answered 200 with an ISP\n"
      "                        error page holding the GBK words 该页\n"
      "  --empty-first N       the first N version-file requests, both servers counted\n"
      "                        together, get 200 with an empty body\n"
      "  --lf-only             version file with LF line ends instead of CR LF\n"
      "  --set KEY=VALUE       version-file line KEY=VALUE (UTF-8), replacing KEY's line or\n"
      "                        appended; repeatable; {{BASE}}/{{FORUM}} work in VALUE;\n"
      "                        --set Hash=... wins over --exe\n"
      "  --unset KEY           remove KEY's line from the version file; repeatable\n"
      "                        (applied before --set)\n"
      "  --log FILE            append one line per request: time, port, method, target,\n"
      "                        status, reply bytes, body (non-ASCII bytes as %XX)\n"
      "  --ready-file FILE     written with \"PORT FALLBACKPORT\\n\" once both servers listen\n"
      "  --game-server FILE    also run the stand-in game servers FILE describes (UDP, see\n"
      "                        below); repeatable\n"
      "  --game-ready-file FILE  written with one \"PORT\\n\" per game server, in order,\n"
      "                        once they all answer\n"
      "  --help                this text\n"
      "\n"
      "Runs until SIGINT or SIGTERM, then exits 0. Bad arguments exit 2; a port that cannot\n"
      "be bound (in use) exits 1.\n"
      "\n" + GameServerFileHelp();
}

}  // namespace devplatform
