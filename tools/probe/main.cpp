// varkon-probe: looks at a running client from outside and works it by clicks and keys.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

#include "commands.h"
#include "output.h"

using namespace probe;

namespace {

const wchar_t kUsageText[] =
    L"usage: varkon-probe COMMAND ...\n"
    L"  wait CAPTION [--timeout MS] [--prefix]\n"
    L"  gone CAPTION [--timeout MS] [--prefix]\n"
    L"  windows\n"
    L"  list CAPTION [--prefix]\n"
    L"  click CAPTION X Y [--prefix]\n"
    L"  type CAPTION TEXT [--prefix]\n"
    L"  key CAPTION tab|enter|backspace|escape|space|delete|left|right|up|down|home|end [--prefix]\n"
    L"  box [--caption C] [--timeout MS] [--answer ok|yes|no|none]\n"
    L"  text CAPTION X Y [--prefix]\n"
    L"  pid CAPTION [--prefix]\n"
    L"  close CAPTION [--prefix]        the caption's close button\n"
    L"click, type, key and box also take --method input|posted (default input).\n"
    L"-- ends the options.";

struct Command {
  const wchar_t* name;
  size_t positional;  // how many positional arguments it takes
  int (*run)(const Args&);
};

const Command kCommands[] = {
    {L"wait", 1, cmd_wait},   {L"gone", 1, cmd_gone}, {L"windows", 0, cmd_windows},
    {L"list", 1, cmd_list},   {L"click", 3, cmd_click}, {L"type", 2, cmd_type},
    {L"key", 2, cmd_key},     {L"box", 0, cmd_box},   {L"text", 3, cmd_text},
    {L"pid", 1, cmd_pid},     {L"close", 1, cmd_close},
};

int usage(const std::wstring& problem) {
  if (!problem.empty()) err_line(L"varkon-probe: " + problem);
  err_line(kUsageText);
  return kUsage;
}

// Fills args from the wide argument vector; returns an empty string or the problem.
std::wstring parse(int argc, wchar_t** argv, Args& args) {
  bool options_done = false;
  for (int i = 2; i < argc; ++i) {
    std::wstring arg = argv[i];
    bool has_value = i + 1 < argc;
    if (!options_done && arg == L"--") {
      options_done = true;
    } else if (options_done || arg.compare(0, 2, L"--") != 0) {
      args.positional.push_back(arg);
    } else if (arg == L"--prefix") {
      args.prefix = true;
    } else if (arg == L"--timeout" && has_value) {
      wchar_t* end = nullptr;
      unsigned long ms = std::wcstoul(argv[++i], &end, 10);
      if (*end != L'\0' || !*argv[i]) return L"--timeout takes milliseconds";
      args.timeout_ms = static_cast<unsigned>(ms);
    } else if (arg == L"--caption" && has_value) {
      args.has_caption = true;
      args.caption = argv[++i];
    } else if (arg == L"--answer" && has_value) {
      args.answer = argv[++i];
    } else if (arg == L"--method" && has_value) {
      std::wstring m = argv[++i];
      if (m == L"input") args.method = Method::Input;
      else if (m == L"posted") args.method = Method::Posted;
      else return L"--method takes input or posted";
    } else {
      return L"unknown or incomplete option " + arg;
    }
  }
  return {};
}

}  // namespace

int main() {
  // The narrow argv is in the ANSI code page under Wine; captions are Chinese.
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return usage(L"");
  Args args;
  args.command = argv[1];
  std::wstring problem = parse(argc, argv, args);
  if (!problem.empty()) return usage(problem);
  for (const Command& command : kCommands) {
    if (args.command != command.name) continue;
    if (args.positional.size() != command.positional)
      return usage(L"wrong number of arguments for " + args.command);
    return command.run(args);
  }
  return usage(L"unknown command " + args.command);
}
