#pragma once
// Runs varkon-cli with arguments and collects its exit status and standard output.
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

struct CliResult {
  int status = -1;
  std::string out;  // UTF-8
};

inline std::string ShellQuoted(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Arguments are given in UTF-8, as a terminal would pass them.
inline CliResult RunCli(const std::vector<std::string>& args) {
  std::string command = VARKON_CLI;
  for (const auto& arg : args) command += " " + ShellQuoted(arg);
  command += " 2>/dev/null";
  CliResult result;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, got);
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return result;
}
