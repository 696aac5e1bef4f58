#include "toolkit/image.h"

namespace toolkit {
namespace {

constexpr std::uint32_t kClear = 0x00000000;

Image Blank(int width, int height, std::uint32_t fill) {
  Image image;
  image.width = width < 1 ? 1 : width;
  image.height = height < 1 ? 1 : height;
  image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, fill);
  return image;
}

void Put(Image& image, int x, int y, std::uint32_t colour) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
  image.pixels[static_cast<std::size_t>(y) * image.width + x] = colour;
}

}  // namespace

Image PadlockImage(int size, bool gold) {
  Image image = Blank(size, size, kClear);
  const std::uint32_t body = gold ? 0xFFD4A017 : 0xFF8C8C8C;
  const std::uint32_t edge = gold ? 0xFF8A6508 : 0xFF505050;
  const std::uint32_t tick = 0xFF10A010;
  const int s = image.width;
  // The shackle: an arch over the upper half, the body: a block over the lower half.
  int bodyTop = s * 5 / 12;
  int archLeft = s / 4, archRight = s - 1 - s / 4, archTop = s / 12;
  for (int y = archTop; y < bodyTop; ++y) {
    Put(image, archLeft, y, edge);
    Put(image, archRight, y, edge);
  }
  for (int x = archLeft; x <= archRight; ++x) Put(image, x, archTop, edge);
  for (int y = bodyTop; y < s; ++y) {
    for (int x = s / 12; x < s - s / 12; ++x) {
      bool border = y == bodyTop || y == s - 1 || x == s / 12 || x == s - s / 12 - 1;
      Put(image, x, y, border ? edge : body);
    }
  }
  if (gold) {
    // A tick across the body: down to the lowest point, then up to the right.
    int cx = s * 5 / 12, cy = s - 1 - s / 8;
    for (int i = 0; i <= s / 6; ++i) Put(image, cx - i, cy - i, tick);
    for (int i = 0; i <= s / 3; ++i) Put(image, cx + i, cy - i, tick);
  } else {
    // A keyhole.
    Put(image, s / 2, bodyTop + (s - bodyTop) / 2, edge);
    Put(image, s / 2, bodyTop + (s - bodyTop) / 2 + 1, edge);
  }
  return image;
}

Image PlaceholderImage(int width, int height, std::uint32_t colour) {
  Image image = Blank(width, height, 0xFFF0F0F0);
  int w = image.width, h = image.height;
  int r = (w < h ? w : h) / 2 - 2;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int dx = 2 * x + 1 - w, dy = 2 * y + 1 - h;  // twice the distance from the centre
      int d2 = dx * dx + dy * dy, r2 = 4 * r * r;
      if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
        Put(image, x, y, 0xFF808080);
      } else if (d2 <= r2) {
        Put(image, x, y, d2 >= r2 - 8 * r ? 0xFF404040 : colour);
      }
    }
  }
  return image;
}

}  // namespace toolkit
