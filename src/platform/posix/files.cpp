#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>

#include "platform/files.h"
#include "platform/posix/native_path.h"

namespace platform {

bool FileExists(const Text& path) {
  struct stat info;
  return ::stat(Native(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool WriteWholeFile(const Text& path, const Bytes& bytes) {
  std::FILE* file = std::fopen(Native(path).c_str(), "wb");
  if (!file) return false;
  bool good = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  good = (std::fclose(file) == 0) && good;
  return good;
}

bool DeleteFileAt(const Text& path) { return ::unlink(Native(path).c_str()) == 0 || !FileExists(path); }

Text OwnExecutablePath() {
  char buffer[PATH_MAX];
  ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return Text();
  return Text(buffer, static_cast<std::size_t>(length));
}

FileReader::~FileReader() { Close(); }

bool FileReader::Open(const Text& path) {
  Close();
  if (!FileExists(path)) return false;
  handle_ = std::fopen(Native(path).c_str(), "rb");
  return handle_ != nullptr;
}

long FileReader::Read(std::uint8_t* buffer, std::size_t size) {
  if (!handle_) return -1;
  auto* file = static_cast<std::FILE*>(handle_);
  std::size_t got = std::fread(buffer, 1, size, file);
  if (got == 0 && std::ferror(file)) return -1;
  return static_cast<long>(got);
}

void FileReader::Close() {
  if (handle_) std::fclose(static_cast<std::FILE*>(handle_));
  handle_ = nullptr;
}

}  // namespace platform
