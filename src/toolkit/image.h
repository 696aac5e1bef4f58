#pragma once
// Small pictures for image lists, image buttons and animation objects: 32-bit pixels, rows
// from the top, each pixel 0xAARRGGBB (so B, G, R, A bytes in memory, as a 32-bit DIB).
#include <cstdint>
#include <vector>

namespace toolkit {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height, straight (not premultiplied) alpha

  bool empty() const { return width <= 0 || height <= 0; }
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A padlock drawn in code: gold with a green tick (a server that asks for a password) or grey.
Image PadlockImage(int size, bool gold);
// A stand-in picture for image buttons and animation objects: a framed disc on a plain field.
Image PlaceholderImage(int width, int height, std::uint32_t colour);

}  // namespace toolkit
