// The file backend on real files in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/encoding.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

Text ToText(const fs::path& path) {
  std::wstring wide = path.wstring();
  return platform::WideToAnsi(std::u16string(wide.begin(), wide.end()));
}

class FilesTest : public testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / (std::string("varkon-files-") + info->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  Text In(const Text& name) const { return ToText(folder_) + "\\" + name; }

  fs::path folder_;
};

Bytes Pattern(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>((i * 7 + i / 256) & 0xFF);
  return bytes;
}

TEST_F(FilesTest, WriteReadDeleteRoundTrip) {
  struct Case {
    Text name;
    std::size_t size;
  } cases[] = {
      {"empty.bin", 0},
      {"small.ini", 5},
      {"large.dat", 300 * 1024 + 17},  // several read pieces
      {"配置文件.ini", 100},
      {"\x95\x5C" "name.txt", 3},  // a GBK trail byte equal to '\\'
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Text path = In(c.name);
    Bytes content = Pattern(c.size);
    EXPECT_FALSE(platform::FileExists(path));
    ASSERT_TRUE(platform::WriteWholeFile(path, content));
    EXPECT_TRUE(platform::FileExists(path));
    bool ok = false;
    EXPECT_EQ(content, platform::ReadWholeFile(path, &ok));
    EXPECT_TRUE(ok);
    EXPECT_TRUE(platform::DeleteFileAt(path));
    EXPECT_FALSE(platform::FileExists(path));
  }
}

// The name reaching the file system is the Unicode form of the GBK text, not its bytes.
TEST_F(FilesTest, GbkNamesAreTheRealUnicodeNames) {
  ASSERT_TRUE(platform::WriteWholeFile(In("帐号.txt"), BytesFromText("abc")));
  EXPECT_TRUE(fs::is_regular_file(folder_ / L"帐号.txt"));

  std::ofstream(folder_ / L"登陆.cfg", std::ios::binary) << "xyz";
  EXPECT_EQ(BytesFromText("xyz"), platform::ReadWholeFile(In("登陆.cfg")));
}

TEST_F(FilesTest, WritingReplacesTheWholeFile) {
  Text path = In("replace.txt");
  ASSERT_TRUE(platform::WriteWholeFile(path, Pattern(1000)));
  ASSERT_TRUE(platform::WriteWholeFile(path, BytesFromText("short")));
  EXPECT_EQ(BytesFromText("short"), platform::ReadWholeFile(path));
}

TEST_F(FilesTest, MissingFilesAndFolders) {
  const Text missing[] = {In("missing.txt"), In("no-folder\\missing.txt")};
  for (const Text& path : missing) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(platform::FileExists(path));
    bool ok = true;
    EXPECT_TRUE(platform::ReadWholeFile(path, &ok).empty());
    EXPECT_FALSE(ok);
    EXPECT_TRUE(platform::DeleteFileAt(path));
    platform::FileReader reader;
    EXPECT_FALSE(reader.Open(path));
  }
  EXPECT_FALSE(platform::WriteWholeFile(In("no-folder\\new.txt"), Pattern(3)));
}

TEST_F(FilesTest, AFolderIsNoFile) {
  fs::create_directory(folder_ / "sub");
  EXPECT_FALSE(platform::FileExists(In("sub")));
  bool ok = true;
  platform::ReadWholeFile(In("sub"), &ok);
  EXPECT_FALSE(ok);
  EXPECT_FALSE(platform::WriteWholeFile(In("sub"), Pattern(3)));
}

TEST_F(FilesTest, ReaderReadsInPieces) {
  Bytes content = Pattern(10000);
  Text path = In("pieces.bin");
  ASSERT_TRUE(platform::WriteWholeFile(path, content));
  for (std::size_t piece : {std::size_t{1}, std::size_t{333}, std::size_t{4096}, std::size_t{20000}}) {
    SCOPED_TRACE(piece);
    platform::FileReader reader;
    ASSERT_TRUE(reader.Open(path));
    Bytes got;
    std::vector<std::uint8_t> buffer(piece);
    long n;
    while ((n = reader.Read(buffer.data(), buffer.size())) > 0) {
      ASSERT_LE(static_cast<std::size_t>(n), piece);
      got.insert(got.end(), buffer.begin(), buffer.begin() + n);
    }
    EXPECT_EQ(0, n);
    EXPECT_EQ(0, reader.Read(buffer.data(), buffer.size()));  // stays at the end
    EXPECT_EQ(content, got);
  }
}

TEST_F(FilesTest, ReaderAfterCloseAndReopen) {
  ASSERT_TRUE(platform::WriteWholeFile(In("a.txt"), BytesFromText("first")));
  ASSERT_TRUE(platform::WriteWholeFile(In("b.txt"), BytesFromText("second")));
  platform::FileReader reader;
  std::uint8_t buffer[16];
  EXPECT_EQ(-1, reader.Read(buffer, sizeof buffer));
  ASSERT_TRUE(reader.Open(In("a.txt")));
  ASSERT_TRUE(reader.Open(In("b.txt")));  // the first one is closed on the way
  EXPECT_EQ(6, reader.Read(buffer, sizeof buffer));
  EXPECT_EQ("second", Text(buffer, buffer + 6));
  reader.Close();
  EXPECT_EQ(-1, reader.Read(buffer, sizeof buffer));
  // Closed for good: the file can be deleted now.
  EXPECT_TRUE(platform::DeleteFileAt(In("b.txt")));
}

// An open reader leaves the file readable to others.
TEST_F(FilesTest, ReaderSharesTheFile) {
  Text path = In("shared.txt");
  ASSERT_TRUE(platform::WriteWholeFile(path, BytesFromText("old")));
  platform::FileReader reader;
  ASSERT_TRUE(reader.Open(path));
  bool ok = false;
  EXPECT_EQ(BytesFromText("old"), platform::ReadWholeFile(path, &ok));
  EXPECT_TRUE(ok);
}

TEST(OwnExecutablePath, NamesThisTestProgram) {
  Text path = platform::OwnExecutablePath();
  EXPECT_TRUE(platform::FileExists(path));
  EXPECT_NE(Text::npos, AsciiLower(path).find("varkon-wintests.exe"));
  EXPECT_EQ(':', path.size() > 1 ? path[1] : '\0');
}

}  // namespace
