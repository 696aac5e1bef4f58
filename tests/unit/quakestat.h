#pragma once
// Debian's quakestat (qstat), a third-party client of the game-server query protocol.
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

inline bool QuakestatInstalled() { return std::system("command -v quakestat >/dev/null 2>&1") == 0; }

// quakestat's raw output: the server line, then one line per player; fields split at '|'.
inline std::vector<std::vector<std::string>> RunQuakestat(const std::string& type, int port) {
  std::string command = "quakestat -" + type + " 127.0.0.1:" + std::to_string(port) +
                        " -P -nh -utf8 -raw '|' -retry 3 -timeout 10 2>&1";
  std::vector<std::vector<std::string>> lines;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return lines;
  char buffer[1024];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
    std::string line(buffer);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.empty()) continue;
    std::vector<std::string> fields;
    std::istringstream in(line);
    std::string field;
    while (std::getline(in, field, '|')) fields.push_back(field);
    lines.push_back(fields);
  }
  pclose(pipe);
  return lines;
}
