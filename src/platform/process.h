#pragma once
// Ending the program.

namespace platform {

// Ends the process at once with `code`; other threads are stopped with it.
[[noreturn]] void ExitProcess(int code);

}  // namespace platform
