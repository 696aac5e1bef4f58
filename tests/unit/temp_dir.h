#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it.
#include <filesystem>
#include <random>
#include <string>

struct TempDir {
  TempDir() {
    std::random_device seed;
    path = std::filesystem::temp_directory_path() / ("varkon-test-" + std::to_string(seed()));
    std::filesystem::create_directories(path);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string File(const std::string& name) const { return (path / name).string(); }
  std::filesystem::path path;
};
