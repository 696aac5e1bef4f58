#include "net/md5.h"

#include <cstring>

namespace {

constexpr std::uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

std::uint32_t RotateLeft(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

}  // namespace

Md5::Md5() : state_{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476} {}

// One round: 16 steps with the round's function, message order and shifts, fully unrolled by
// the compiler because every index is a constant.
#define VARKON_MD5_STEP(f, a, b, c, d, k, s, t) \
  a = b + RotateLeft(a + f(b, c, d) + m[k] + t, s)

static inline std::uint32_t F(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return d ^ (b & (c ^ d)); }
static inline std::uint32_t G(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return c ^ (d & (b ^ c)); }
static inline std::uint32_t H(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return b ^ c ^ d; }
static inline std::uint32_t I(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return c ^ (b | ~d); }

void Md5::Block(const std::uint8_t block[64]) {
  std::uint32_t m[16];
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  std::memcpy(m, block, 64);  // the message words are little-endian, like this machine
#else
  for (int i = 0; i < 16; ++i) {
    m[i] = std::uint32_t(block[i * 4]) | std::uint32_t(block[i * 4 + 1]) << 8 |
           std::uint32_t(block[i * 4 + 2]) << 16 | std::uint32_t(block[i * 4 + 3]) << 24;
  }
#endif
  std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
#pragma GCC unroll 4
  for (int i = 0; i < 16; i += 4) {
    VARKON_MD5_STEP(F, a, b, c, d, i, 7, kSine[i]);
    VARKON_MD5_STEP(F, d, a, b, c, i + 1, 12, kSine[i + 1]);
    VARKON_MD5_STEP(F, c, d, a, b, i + 2, 17, kSine[i + 2]);
    VARKON_MD5_STEP(F, b, c, d, a, i + 3, 22, kSine[i + 3]);
  }
#pragma GCC unroll 4
  for (int i = 16; i < 32; i += 4) {
    VARKON_MD5_STEP(G, a, b, c, d, (5 * i + 1) % 16, 5, kSine[i]);
    VARKON_MD5_STEP(G, d, a, b, c, (5 * i + 6) % 16, 9, kSine[i + 1]);
    VARKON_MD5_STEP(G, c, d, a, b, (5 * i + 11) % 16, 14, kSine[i + 2]);
    VARKON_MD5_STEP(G, b, c, d, a, (5 * i + 16) % 16, 20, kSine[i + 3]);
  }
#pragma GCC unroll 4
  for (int i = 32; i < 48; i += 4) {
    VARKON_MD5_STEP(H, a, b, c, d, (3 * i + 5) % 16, 4, kSine[i]);
    VARKON_MD5_STEP(H, d, a, b, c, (3 * i + 8) % 16, 11, kSine[i + 1]);
    VARKON_MD5_STEP(H, c, d, a, b, (3 * i + 11) % 16, 16, kSine[i + 2]);
    VARKON_MD5_STEP(H, b, c, d, a, (3 * i + 14) % 16, 23, kSine[i + 3]);
  }
#pragma GCC unroll 4
  for (int i = 48; i < 64; i += 4) {
    VARKON_MD5_STEP(I, a, b, c, d, (7 * i) % 16, 6, kSine[i]);
    VARKON_MD5_STEP(I, d, a, b, c, (7 * i + 7) % 16, 10, kSine[i + 1]);
    VARKON_MD5_STEP(I, c, d, a, b, (7 * i + 14) % 16, 15, kSine[i + 2]);
    VARKON_MD5_STEP(I, b, c, d, a, (7 * i + 21) % 16, 21, kSine[i + 3]);
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
}

#undef VARKON_MD5_STEP

void Md5::Update(const std::uint8_t* data, std::size_t size) {
  length_ += size;
  if (buffered_ > 0) {
    std::size_t take = 64 - buffered_;
    if (take > size) take = size;
    std::memcpy(buffer_ + buffered_, data, take);
    buffered_ += take;
    data += take;
    size -= take;
    if (buffered_ < 64) return;
    Block(buffer_);
    buffered_ = 0;
  }
  // Whole blocks straight from the caller's bytes.
  for (; size >= 64; data += 64, size -= 64) Block(data);
  if (size > 0) std::memcpy(buffer_, data, size);
  buffered_ = size;
}

void Md5::Final(std::uint8_t out[16]) {
  std::uint64_t bits = length_ * 8;
  std::uint8_t pad[72] = {0x80};
  std::size_t padLength = (buffered_ < 56) ? 56 - buffered_ : 120 - buffered_;
  Update(pad, padLength);
  std::uint8_t tail[8];
  for (int i = 0; i < 8; ++i) tail[i] = std::uint8_t(bits >> (8 * i));
  Update(tail, 8);
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) out[i * 4 + j] = std::uint8_t(state_[i] >> (8 * j));
  }
}
