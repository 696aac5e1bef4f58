#pragma once
// MD5 (RFC 1321), fed in pieces so a large file never has to sit in memory whole.
#include <cstddef>
#include <cstdint>

class Md5 {
 public:
  Md5();
  void Update(const std::uint8_t* data, std::size_t size);
  // Finishes the digest; the object must not be updated afterwards.
  void Final(std::uint8_t out[16]);

 private:
  void Block(const std::uint8_t block[64]);
  std::uint32_t state_[4];
  std::uint64_t length_ = 0;  // bytes fed so far
  std::uint8_t buffer_[64];
  std::size_t buffered_ = 0;
};
