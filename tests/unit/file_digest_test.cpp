#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

#include "net/file_digest.h"
#include "platform/files.h"
#include "temp_dir.h"

namespace {

TEST(FileDigest, KnownDigestsAndLetterCase) {
  struct Case {
    std::string input;
    const char* digest;
  } cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"The quick brown fox jumps over the lazy dog", "9e107d9d372bb6826bd81d3542a419d6"},
      // 56 and 64 bytes: the padding spills into a second block, or fills one exactly.
      {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
      {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
  };
  for (const Case& c : cases) {
    Text lower = FileDigest(Bytes(c.input.begin(), c.input.end()));
    EXPECT_EQ(lower, c.digest) << c.input;
    Text upper = FileDigest(Bytes(c.input.begin(), c.input.end()), 1);
    EXPECT_EQ(upper.size(), 32u);
    EXPECT_EQ(AsciiLower(upper), lower);
    EXPECT_EQ(upper.find_first_of("abcdef"), Text::npos);
  }
}

TEST(FileDigest, FileInPiecesEqualsWholeAndUnreadableIsEmpty) {
  TempDir dir;
  Bytes bytes(300001);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  ASSERT_TRUE(platform::WriteWholeFile(dir.File("data.bin"), bytes));
  EXPECT_EQ(FileDigestOfFile(dir.File("data.bin")), FileDigest(bytes));
  EXPECT_EQ(FileDigestOfFile(dir.File("missing.bin")), "");
  EXPECT_EQ(FileDigestOfFile(dir.path.string()), "");  // a folder is no file
}

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST(FileDigest, LargeFileDoesNotGrowMemory) {
  TempDir dir;
  const std::string path = dir.File("large.bin");
  { std::ofstream(path, std::ios::binary); }
  ASSERT_EQ(truncate(path.c_str(), 96L << 20), 0);  // 96 MiB of zeros, sparse on disk
  long before = PeakKilobytes();
  EXPECT_EQ(FileDigestOfFile(path).size(), 32u);
  EXPECT_LT(PeakKilobytes() - before, 16L * 1024);
}

}  // namespace
