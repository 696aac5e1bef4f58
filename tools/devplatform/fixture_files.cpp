#include "fixture_files.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

namespace devplatform {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string Extension(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string();
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return ext;
}

bool IsDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  if (!IsFile(path)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  if (in.bad()) return false;
  *bytes = all.str();
  return true;
}

std::string FixturePath(const std::string& root, const std::string& urlPath) {
  if (urlPath.empty() || urlPath[0] != '/') return std::string();
  // Refuse any ".." segment and NUL rather than resolving them.
  std::size_t start = 1;
  while (start <= urlPath.size()) {
    std::size_t end = urlPath.find('/', start);
    if (end == std::string::npos) end = urlPath.size();
    if (urlPath.compare(start, end - start, "..") == 0) return std::string();
    start = end + 1;
  }
  if (urlPath.find('\0') != std::string::npos || urlPath.find('\\') != std::string::npos) return std::string();
  std::string path = root + urlPath;
  // A folder answers with its index page, as a web server would.
  if (IsDirectory(path)) {
    if (!EndsWith(path, "/")) path += "/";
    path += IsFile(path + "index.html") ? "index.html" : "index.php";
  }
  return path;
}

bool IsGbkText(const std::string& path) {
  std::string ext = Extension(path);
  return ext == "ini" || ext == "txt";
}

bool IsHtml(const std::string& path) {
  std::string ext = Extension(path);
  return ext == "html" || ext == "htm" || ext == "php";
}

std::string ContentTypeOf(const std::string& path) {
  std::string ext = Extension(path);
  if (IsHtml(path)) return "text/html; charset=utf-8";
  if (IsGbkText(path)) return "text/plain; charset=gbk";
  if (ext == "css") return "text/css; charset=utf-8";
  if (ext == "js") return "application/javascript; charset=utf-8";
  if (ext == "png") return "image/png";
  if (ext == "gif") return "image/gif";
  if (ext == "jpg" || ext == "jpeg") return "image/jpeg";
  if (ext == "bmp") return "image/bmp";
  if (ext == "ico") return "image/x-icon";
  return "application/octet-stream";
}

Reply NotFound(const std::string& urlPath) {
  Reply reply;
  reply.status = 404;
  reply.contentType = "text/plain; charset=utf-8";
  reply.body = "404 not found: " + urlPath + "\n";
  return reply;
}

Reply ServeFixture(const std::string& root, const std::string& urlPath, const Placeholders& at) {
  std::string path = FixturePath(root, urlPath);
  std::string bytes;
  if (path.empty() || !ReadWholeFile(path, &bytes)) return NotFound(urlPath);
  Reply reply;
  reply.contentType = ContentTypeOf(path);
  if (IsGbkText(path)) {
    reply.body = Utf8ToGbk(WithLineEnds(FillPlaceholders(bytes, at), "\r\n"));
  } else if (IsHtml(path)) {
    reply.body = FillPlaceholders(bytes, at);
  } else {
    reply.body = std::move(bytes);
  }
  return reply;
}

}  // namespace devplatform
