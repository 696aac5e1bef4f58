#pragma once
// Files, by path text in GBK (relative paths are relative to the current directory).
#include <cstddef>
#include <cstdint>

#include "base/text.h"

namespace platform {

bool FileExists(const Text& path);
// The whole file; `ok` (when given) tells an empty file from an unreadable one.
Bytes ReadWholeFile(const Text& path, bool* ok = nullptr);
bool WriteWholeFile(const Text& path, const Bytes& bytes);
// A missing file counts as deleted.
bool DeleteFileAt(const Text& path);
// Full path of the running program's own executable file.
Text OwnExecutablePath();

// Sequential reading in pieces.
class FileReader {
 public:
  FileReader() = default;
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;
  bool Open(const Text& path);
  // Bytes read, 0 at the end, -1 on a read error.
  long Read(std::uint8_t* buffer, std::size_t size);
  void Close();

 private:
  void* handle_ = nullptr;
};

}  // namespace platform
