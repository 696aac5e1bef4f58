#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include "platform/shell.h"
#include "platform/page_filter.h"
#include "platform/win32/wide.h"

namespace platform {

void OpenPage(const Text& url) {
  if (!IsWebAddress(url)) return;
  // A quote would end the quoted "%1" in the handler's command line and start new arguments.
  Text page = ReplaceAll(url, "\"", "%22");
  // The shell's URL handlers may need a single-threaded apartment on this thread.
  HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  ::ShellExecuteW(nullptr, L"open", win32::Wide(page).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (SUCCEEDED(com)) ::CoUninitialize();
}

}  // namespace platform
