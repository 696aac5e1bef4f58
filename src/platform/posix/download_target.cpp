#include "platform/download_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>

#include "platform/posix/native_path.h"

namespace platform {
namespace {

struct OpenFiles {
  std::mutex lock;
  std::map<int, int> descriptors;  // number -> descriptor
  int last = 0;
};

OpenFiles& Files() {
  static OpenFiles files;
  return files;
}

}  // namespace

bool MakeDirectoryChain(const Text& folder) {
  std::string path = Native(folder);
  for (std::size_t at = 1; at <= path.size(); ++at) {
    if (at < path.size() && path[at] != '/') continue;
    std::string part = path.substr(0, at);
    if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
  }
  return true;
}

bool SetReadOnly(const Text& path, bool readOnly) {
  struct stat info;
  std::string native = Native(path);
  if (::stat(native.c_str(), &info) != 0) return false;
  mode_t mode = info.st_mode & 07777;
  mode = readOnly ? (mode & ~mode_t(0222)) : (mode | S_IWUSR);
  return ::chmod(native.c_str(), mode) == 0;
}

int OpenDownloadTarget(const Text& path, bool keep) {
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (keep ? O_APPEND : O_TRUNC);
  int fd = ::open(Native(path).c_str(), flags, 0666);
  if (fd < 0) return 0;
  OpenFiles& files = Files();
  std::lock_guard<std::mutex> hold(files.lock);
  files.descriptors[++files.last] = fd;
  return files.last;
}

bool WriteDownloadTarget(int number, const std::uint8_t* data, std::size_t size) {
  OpenFiles& files = Files();
  // Held during the write, so a close from another thread waits for it.
  std::lock_guard<std::mutex> hold(files.lock);
  auto found = files.descriptors.find(number);
  if (found == files.descriptors.end()) return false;
  std::size_t done = 0;
  while (done < size) {
    ssize_t written = ::write(found->second, data + done, size - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

void CloseDownloadTarget(int number) {
  OpenFiles& files = Files();
  std::lock_guard<std::mutex> hold(files.lock);
  auto found = files.descriptors.find(number);
  if (found == files.descriptors.end()) return;
  ::close(found->second);
  files.descriptors.erase(found);
}

}  // namespace platform
