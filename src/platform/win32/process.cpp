#include <windows.h>

#include "platform/process.h"

namespace platform {

void ExitProcess(int code) {
  ::ExitProcess(static_cast<UINT>(code));
}

}  // namespace platform
