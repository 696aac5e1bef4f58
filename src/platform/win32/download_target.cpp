#include <windows.h>

#include <map>
#include <mutex>

#include "platform/download_target.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

struct OpenFiles {
  std::mutex lock;
  std::map<int, HANDLE> handles;
  int last = 0;
};

OpenFiles& Files() {
  static OpenFiles files;
  return files;
}

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

bool MakeDirectoryChain(const Text& folder) {
  std::wstring path = win32::Wide(folder);
  for (std::size_t at = 1; at <= path.size(); ++at) {
    if (at < path.size() && !IsSeparator(path[at])) continue;
    std::wstring part = path.substr(0, at);
    if (part.size() == 2 && part[1] == L':') continue;  // a drive, not a folder
    if (IsSeparator(part.back()) && part.size() <= 3) continue;
    if (!::CreateDirectoryW(part.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
      DWORD attributes = ::GetFileAttributesW(part.c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    }
  }
  return true;
}

bool SetReadOnly(const Text& path, bool readOnly) {
  return ::SetFileAttributesW(win32::Wide(path).c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_ARCHIVE) !=
         FALSE;
}

int OpenDownloadTarget(const Text& path, bool keep) {
  HANDLE file = ::CreateFileW(win32::Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              keep ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  if (keep && ::SetFilePointer(file, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
      ::GetLastError() != NO_ERROR) {
    ::CloseHandle(file);
    return 0;
  }
  OpenFiles& files = Files();
  std::lock_guard<std::mutex> hold(files.lock);
  files.handles[++files.last] = file;
  return files.last;
}

bool WriteDownloadTarget(int number, const std::uint8_t* data, std::size_t size) {
  OpenFiles& files = Files();
  // Held during the write, so a close from another thread waits for it.
  std::lock_guard<std::mutex> hold(files.lock);
  auto found = files.handles.find(number);
  if (found == files.handles.end()) return false;
  std::size_t done = 0;
  while (done < size) {
    DWORD written = 0;
    if (!::WriteFile(found->second, data + done, static_cast<DWORD>(size - done), &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

void CloseDownloadTarget(int number) {
  OpenFiles& files = Files();
  std::lock_guard<std::mutex> hold(files.lock);
  auto found = files.handles.find(number);
  if (found == files.handles.end()) return;
  ::CloseHandle(found->second);
  files.handles.erase(found);
}

}  // namespace platform
