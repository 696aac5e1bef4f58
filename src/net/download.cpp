#include "net/download.h"

#include <string>

#include "net/url_parts.h"
#include "platform/clock.h"
#include "platform/download_target.h"
#include "platform/http_transport.h"

namespace {

constexpr std::size_t kPiece = 10240;
constexpr int kMaxRedirects = 10;

bool IsRedirect(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

Text LocationOf(const Text& rawHeaders) {
  Text lower = AsciiLower(rawHeaders);
  std::size_t at = lower.find("\r\nlocation:");
  if (at == Text::npos) return Text();
  at += 11;
  std::size_t end = rawHeaders.find("\r\n", at);
  Text value = rawHeaders.substr(at, end == Text::npos ? Text::npos : end - at);
  std::size_t first = value.find_first_not_of(" \t");
  std::size_t last = value.find_last_not_of(" \t");
  return first == Text::npos ? Text() : value.substr(first, last - first + 1);
}

// The folder of the target: everything up to and including its last separator.
Text FolderOf(const Text& path) {
  std::size_t slash = Text::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (c >= 0x81) {
      ++i;  // a GBK trail byte may be 0x5C
    } else if (c == '\\' || c == '/') {
      slash = i;
    }
  }
  return slash == Text::npos ? Text() : path.substr(0, slash + 1);
}

// Opens the URL, following redirects; false when no reply head arrives.
bool OpenFollowing(platform::HttpStream& stream, const Text& firstUrl, const Text& headers) {
  Text url = firstUrl;
  for (int redirects = 0;; ++redirects) {
    Text agent = "Agent" + std::to_string(platform::TickCount());
    if (!stream.Open(agent, url, headers)) return false;
    Text location = LocationOf(stream.RawHeaders());
    if (!IsRedirect(stream.Status()) || location.empty() || redirects == kMaxRedirects) return true;
    url = ResolveLocation(url, location);
  }
}

}  // namespace

Text DownloadHeaderBlock(std::optional<std::int32_t> resumeOffset) {
  Text block =
      "Accept: */*\r\nAccept-Language: zh-cn\r\nAccept-Encoding: gzip, deflate\r\nUser-Agent: Mozilla/4.0(compatible; "
      "MSIE 6.0; Windows NT 5.0; MyIE2; .NET CLR 1.1.4322)";
  if (resumeOffset) block += "\r\nRange:bytes=" + std::to_string(*resumeOffset) + "-";
  return block;
}

void CloseDownload(int openFile) { platform::CloseDownloadTarget(openFile); }

std::int32_t Download(const Text& url, const Text& targetPath, const DownloadProgress& progress,
                      std::optional<std::int32_t> resumeOffset, std::int32_t readOnlyProtection,
                      std::atomic<int>* openFile) {
  platform::HttpStream stream;
  if (!OpenFollowing(stream, url, DownloadHeaderBlock(resumeOffset))) return -1;
  // An error page is no file: the target stays as it was.
  const int status = stream.Status();
  if (status < 200 || status > 299) return -1;
  // A server that ignores the range sends the whole file: it is written from the start.
  const bool resuming = resumeOffset && status == 206;
  const std::int32_t offset = resuming ? *resumeOffset : 0;

  platform::MakeDirectoryChain(FolderOf(targetPath));
  if (readOnlyProtection == 1) platform::SetReadOnly(targetPath, false);
  const int file = platform::OpenDownloadTarget(targetPath, resuming);
  if (file == 0) return -1;
  if (openFile) openFile->store(file);
  auto closeFile = [&] {
    if (openFile) openFile->store(0);
    platform::CloseDownloadTarget(file);
  };

  std::uint32_t announced = 0;
  const bool known = stream.ContentLength(&announced);
  const std::int32_t total = known ? static_cast<std::int32_t>(announced) : 0;
  std::int32_t downloaded = offset;
  std::uint32_t received = 0;
  const std::uint32_t start = platform::TickCount();
  std::uint8_t piece[kPiece];
  for (;;) {
    long got = stream.Read(piece, sizeof piece);
    if (got < 0 || (got > 0 && !platform::WriteDownloadTarget(file, piece, static_cast<std::size_t>(got)))) {
      closeFile();
      return -1;
    }
    if (got == 0) break;
    downloaded += static_cast<std::int32_t>(got);
    received += static_cast<std::uint32_t>(got);
    std::int32_t elapsed = static_cast<std::int32_t>(platform::TickCount() - start);
    if (elapsed == 0) elapsed = 10;
    if (progress) progress(total, downloaded, elapsed, downloaded - offset);
  }
  closeFile();
  // A connection that ends before the announced length leaves an incomplete file.
  if (known && received < announced) return -1;
  if (readOnlyProtection == 1) platform::SetReadOnly(targetPath, true);
  return 0;
}
