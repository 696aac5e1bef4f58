#pragma once
// The resumable download of one URL into one file, reporting progress per piece.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

#include "base/text.h"

// (total size or 0, bytes downloaded, milliseconds since the first read, bytes of this run)
using DownloadProgress = std::function<void(std::int32_t, std::int32_t, std::int32_t, std::int32_t)>;

// 0 when the whole body of a 2xx reply was written, -1 otherwise. A reply that is not 2xx
// leaves the target as it was. `resumeOffset` continues a partial file with a range request;
// a server that sends the whole file instead has it written from the start. Protection 1 makes
// the target writable before and read-only after a complete download. While the file is open
// its number is kept in `openFile` (when given), so another thread can close it with
// CloseDownload; the download then fails at its next write.
std::int32_t Download(const Text& url, const Text& targetPath, const DownloadProgress& progress,
                      std::optional<std::int32_t> resumeOffset = std::nullopt,
                      std::int32_t readOnlyProtection = 1, std::atomic<int>* openFile = nullptr);

// Closes the open file of a running download; nothing happens for 0.
void CloseDownload(int openFile);

// The request lines of a download, with the range line when resuming.
Text DownloadHeaderBlock(std::optional<std::int32_t> resumeOffset);
