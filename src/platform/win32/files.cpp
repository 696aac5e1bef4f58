#include <windows.h>

#include <climits>

#include "platform/files.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

HANDLE OpenForReading(const Text& path) {
  return ::CreateFileW(win32::Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

bool FileExists(const Text& path) {
  DWORD attributes = ::GetFileAttributesW(win32::Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteWholeFile(const Text& path, const Bytes& bytes) {
  HANDLE file = ::CreateFileW(win32::Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool good = true;
  std::size_t done = 0;
  while (good && done < bytes.size()) {
    std::size_t left = bytes.size() - done;
    DWORD piece = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD written = 0;
    good = ::WriteFile(file, bytes.data() + done, piece, &written, nullptr) && written > 0;
    done += written;
  }
  good = ::CloseHandle(file) && good;
  return good;
}

bool DeleteFileAt(const Text& path) {
  if (::DeleteFileW(win32::Wide(path).c_str())) return true;
  DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

Text OwnExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = ::GetModuleFileNameW(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
    if (length == 0) return Text();
    // A full buffer means the path may have been cut short.
    if (length < buffer.size()) return win32::Narrow(buffer.data(), length);
    if (buffer.size() >= 32768) return Text();
    buffer.resize(buffer.size() * 2);
  }
}

FileReader::~FileReader() { Close(); }

bool FileReader::Open(const Text& path) {
  Close();
  if (!FileExists(path)) return false;
  HANDLE file = OpenForReading(path);
  if (file == INVALID_HANDLE_VALUE) return false;
  handle_ = file;
  return true;
}

long FileReader::Read(std::uint8_t* buffer, std::size_t size) {
  if (!handle_) return -1;
  DWORD wanted = size > LONG_MAX ? LONG_MAX : static_cast<DWORD>(size);
  DWORD got = 0;
  if (!::ReadFile(static_cast<HANDLE>(handle_), buffer, wanted, &got, nullptr)) return -1;
  return static_cast<long>(got);
}

void FileReader::Close() {
  if (handle_) ::CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
}

}  // namespace platform
