#include <gtest/gtest.h>

#include <fstream>

#include "mainwindow/main_window_loading.h"
#include "temp_dir.h"

namespace {

TEST(MasterServerFile, WrittenOnlyIntoAGameFolderWithTheEngine) {
  TempDir dir;
  const Bytes list = BytesFromText("\"MasterServers\"\r\n{\r\n}\r\n");
  std::filesystem::create_directories(dir.path / "game" / "platform" / "config");
  std::filesystem::create_directories(dir.path / "other" / "platform" / "config");
  std::ofstream(dir.File("game/hw.dll")) << "engine";
  const Text game = dir.File("game") + "\\";
  const Text other = dir.File("other") + "\\";
  const std::string vdf = "platform/config/MasterServers.vdf";

  UpdateMasterServerFile(list, other);  // no hw.dll there
  EXPECT_FALSE(std::filesystem::exists(dir.File("other/" + vdf)));
  UpdateMasterServerFile(Bytes(), game);  // nothing fetched
  EXPECT_FALSE(std::filesystem::exists(dir.File("game/" + vdf)));
  UpdateMasterServerFile(list, "");  // no game folder set
  UpdateMasterServerFile(list, game);
  std::ifstream written(dir.File("game/" + vdf), std::ios::binary);
  std::string content((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, TextFromBytes(list));
}

}  // namespace
