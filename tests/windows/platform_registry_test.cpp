// The registry backend against the real (Wine) registry under HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/registry.h"

namespace {

class RegistryTest : public testing::Test {
 protected:
  // A key of its own per test, so earlier runs in the same prefix leave nothing to find.
  void SetUp() override {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    key_ = Text("Software\\VarkonTests\\") + info->name() + "\\";
  }
  void TearDown() override {
    for (const Text& name : written_) platform::RegistryDeleteValue(key_ + name);
  }
  Text Path(const Text& name) {
    written_.push_back(name);
    return key_ + name;
  }

  Text key_;
  std::vector<Text> written_;
};

TEST_F(RegistryTest, StringsRoundTrip) {
  struct Case {
    Text name;
    Text value;
  } cases[] = {
      {"Ascii", "Hello"},
      {"Empty", ""},
      {"Gbk", "帐　号：玩家一号"},
      {"GbkWithBackslashTrail", "\x95\x5C\\x"},
      {"路径名", "C:\\游戏\\cstrike.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(platform::RegistryWriteString(Path(c.name), c.value));
    EXPECT_TRUE(platform::RegistryValueExists(key_ + c.name));
    EXPECT_EQ(c.value, platform::RegistryReadString(key_ + c.name, "fallback"));
  }
}

TEST_F(RegistryTest, OverwritingReplacesTheValue) {
  ASSERT_TRUE(platform::RegistryWriteString(Path("Name"), "a much longer first value"));
  ASSERT_TRUE(platform::RegistryWriteString(Path("Name"), "short"));
  EXPECT_EQ("short", platform::RegistryReadString(key_ + "Name"));
}

TEST_F(RegistryTest, DwordsRoundTrip) {
  const std::uint32_t values[] = {0u, 1u, 27015u, 0x80000000u, 0xFFFFFFFFu};
  for (std::uint32_t value : values) {
    ASSERT_TRUE(platform::RegistryWriteDword(Path("Number"), value));
    EXPECT_EQ(value, platform::RegistryReadDword(key_ + "Number", 12345u));
  }
}

TEST_F(RegistryTest, KeysAreCreatedOnWriteAtAnyDepth) {
  Text deep = key_ + "一\\二\\三\\Value";
  ASSERT_TRUE(platform::RegistryWriteDword(deep, 7));
  EXPECT_EQ(7u, platform::RegistryReadDword(deep));
  EXPECT_TRUE(platform::RegistryDeleteValue(deep));
}

TEST_F(RegistryTest, MissingValuesAndKeysGiveTheFallback) {
  ASSERT_TRUE(platform::RegistryWriteString(Path("Present"), "x"));
  const Text missing[] = {key_ + "Absent", key_ + "NoSuchKey\\Value", "Software\\VarkonNoSuchKey\\Value"};
  for (const Text& path : missing) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(platform::RegistryValueExists(path));
    EXPECT_EQ("fallback", platform::RegistryReadString(path, "fallback"));
    EXPECT_EQ(Text(), platform::RegistryReadString(path));
    EXPECT_EQ(99u, platform::RegistryReadDword(path, 99u));
    EXPECT_TRUE(platform::RegistryDeleteValue(path));
  }
}

TEST_F(RegistryTest, AValueOfTheOtherTypeGivesTheFallback) {
  ASSERT_TRUE(platform::RegistryWriteDword(Path("Number"), 42));
  EXPECT_EQ("fallback", platform::RegistryReadString(key_ + "Number", "fallback"));
  ASSERT_TRUE(platform::RegistryWriteString(Path("Word"), "42"));
  EXPECT_EQ(5u, platform::RegistryReadDword(key_ + "Word", 5u));
}

TEST_F(RegistryTest, DeleteRemovesOnlyThatValue) {
  ASSERT_TRUE(platform::RegistryWriteString(Path("Gone"), "x"));
  ASSERT_TRUE(platform::RegistryWriteString(Path("Kept"), "y"));
  EXPECT_TRUE(platform::RegistryDeleteValue(key_ + "Gone"));
  EXPECT_FALSE(platform::RegistryValueExists(key_ + "Gone"));
  EXPECT_EQ("y", platform::RegistryReadString(key_ + "Kept"));
  EXPECT_TRUE(platform::RegistryDeleteValue(key_ + "Gone"));
}

}  // namespace
