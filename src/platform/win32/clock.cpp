#include <windows.h>

#include "platform/clock.h"

namespace platform {

std::uint32_t TickCount() { return ::GetTickCount(); }

void WaitProcessingMessages(int milliseconds) {
  const DWORD total = milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0;
  const DWORD start = ::GetTickCount();
  for (;;) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        // Left for the thread's own message loop, which ends on it.
        ::PostQuitMessage(static_cast<int>(message.wParam));
        return;
      }
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    DWORD elapsed = ::GetTickCount() - start;
    if (elapsed >= total) return;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, total - elapsed, QS_ALLINPUT);
  }
}

}  // namespace platform
