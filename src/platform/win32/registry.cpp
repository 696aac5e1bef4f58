#include <windows.h>

#include "platform/registry.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

// "key path\value name", split at the last backslash; without one the value sits in the root.
struct Location {
  std::wstring key;
  std::wstring value;
};

Location Locate(const Text& path) {
  std::wstring wide = win32::Wide(path);
  std::size_t split = wide.rfind(L'\\');
  if (split == std::wstring::npos) return Location{std::wstring(), wide};
  return Location{wide.substr(0, split), wide.substr(split + 1)};
}

class Key {
 public:
  Key(const std::wstring& path, REGSAM access, bool create) {
    LONG result = create ? ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             access, nullptr, &key_, nullptr)
                         : ::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, &key_);
    status_ = result;
    if (result != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_) ::RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  HKEY get() const { return key_; }
  LONG status() const { return status_; }

 private:
  HKEY key_ = nullptr;
  LONG status_ = ERROR_SUCCESS;
};

bool Write(const Text& path, DWORD type, const void* data, DWORD size) {
  Location where = Locate(path);
  Key key(where.key, KEY_SET_VALUE, true);
  if (!key.get()) return false;
  return ::RegSetValueExW(key.get(), where.value.c_str(), 0, type, static_cast<const BYTE*>(data), size) ==
         ERROR_SUCCESS;
}

}  // namespace

bool RegistryWriteString(const Text& path, const Text& value) {
  std::wstring wide = win32::Wide(value);
  // The stored size counts the terminating NUL.
  return Write(path, REG_SZ, wide.c_str(), static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

Text RegistryReadString(const Text& path, const Text& fallback) {
  Location where = Locate(path);
  Key key(where.key, KEY_QUERY_VALUE, false);
  if (!key.get()) return fallback;
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key.get(), where.value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
      return fallback;
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD room = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    LONG result = ::RegQueryValueExW(key.get(), where.value.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(&buffer[0]), &room);
    if (result == ERROR_MORE_DATA) continue;  // grew between the two calls
    if (result != ERROR_SUCCESS || type != REG_SZ) return fallback;
    buffer.resize(room / sizeof(wchar_t));
    // Stored strings need not end in a NUL, and may carry more than one.
    while (!buffer.empty() && buffer.back() == L'\0') buffer.pop_back();
    return win32::Narrow(buffer);
  }
  return fallback;
}

bool RegistryWriteDword(const Text& path, std::uint32_t value) {
  DWORD data = value;
  return Write(path, REG_DWORD, &data, sizeof data);
}

std::uint32_t RegistryReadDword(const Text& path, std::uint32_t fallback) {
  Location where = Locate(path);
  Key key(where.key, KEY_QUERY_VALUE, false);
  if (!key.get()) return fallback;
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof data;
  if (::RegQueryValueExW(key.get(), where.value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof data)
    return fallback;
  return data;
}

bool RegistryValueExists(const Text& path) {
  Location where = Locate(path);
  Key key(where.key, KEY_QUERY_VALUE, false);
  return key.get() &&
         ::RegQueryValueExW(key.get(), where.value.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegistryDeleteValue(const Text& path) {
  Location where = Locate(path);
  Key key(where.key, KEY_SET_VALUE, false);
  if (!key.get()) return key.status() == ERROR_FILE_NOT_FOUND;
  LONG result = ::RegDeleteValueW(key.get(), where.value.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace platform
