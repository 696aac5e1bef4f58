// The probe's commands; each returns the process exit code.
#pragma once

#include <string>
#include <vector>

#include "input.h"

namespace probe {

enum Exit { kOk = 0, kNotFound = 1, kUsage = 2 };

struct Args {
  std::wstring command;
  std::vector<std::wstring> positional;
  unsigned timeout_ms = 20000;
  bool prefix = false;
  bool has_caption = false;
  std::wstring caption;             // box --caption
  std::wstring answer = L"ok";      // box --answer
  Method method = Method::Input;
};

int cmd_wait(const Args& args);
int cmd_gone(const Args& args);
int cmd_windows(const Args& args);
int cmd_list(const Args& args);
int cmd_click(const Args& args);
int cmd_type(const Args& args);
int cmd_key(const Args& args);
int cmd_box(const Args& args);
int cmd_text(const Args& args);
int cmd_pid(const Args& args);
int cmd_close(const Args& args);

}  // namespace probe
