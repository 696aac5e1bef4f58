#include <windows.h>

#include "platform/dialogs.h"
#include "platform/win32/wide.h"

namespace platform {

BoxAnswer ShowMessageBox(const Text& text, const Text& caption, BoxIcon icon, BoxButtons buttons) {
  UINT style = MB_TASKMODAL;
  switch (icon) {
    case BoxIcon::None: break;
    case BoxIcon::Error: style |= MB_ICONERROR; break;
    case BoxIcon::Information: style |= MB_ICONINFORMATION; break;
    case BoxIcon::Question: style |= MB_ICONQUESTION; break;
  }
  style |= buttons == BoxButtons::YesNo ? MB_YESNO : MB_OK;
  std::wstring title = win32::Wide(caption.empty() ? Text("信息：") : caption);
  int answer = ::MessageBoxW(nullptr, win32::Wide(text).c_str(), title.c_str(), style);
  switch (answer) {
    case IDYES: return BoxAnswer::Yes;
    case IDNO: return BoxAnswer::No;
    default: return BoxAnswer::Ok;
  }
}

}  // namespace platform
