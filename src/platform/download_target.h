#pragma once
// The target file of a download, by open-file number, so another thread can close it.
#include <cstddef>
#include <cstdint>

#include "base/text.h"

namespace platform {

// Creates `folder` and every missing parent; an empty folder is the current one.
bool MakeDirectoryChain(const Text& folder);
// true: read-only; false: archive only, so a protected file can be written again.
bool SetReadOnly(const Text& path, bool readOnly);

// Opens for writing, shared with other readers and writers: `keep` keeps the content and
// writes at the end (creating a missing file), otherwise the file is created or emptied.
// Answers the file's number, 0 on failure. Numbers are never reused.
int OpenDownloadTarget(const Text& path, bool keep);
// Writes all bytes; false on a failure or when the number is not open (any more).
bool WriteDownloadTarget(int number, const std::uint8_t* data, std::size_t size);
// Closes the file; nothing happens for 0 or a number already closed. Safe from any thread.
void CloseDownloadTarget(int number);

}  // namespace platform
