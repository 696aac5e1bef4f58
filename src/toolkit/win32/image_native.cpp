// Pictures of the portable side turned into GDI bitmaps and image lists.
#include "toolkit/win32/more_peers.h"

namespace toolkit::win32 {

HBITMAP MakeBitmap(const Image& image) {
  if (image.empty() || image.pixels.size() < static_cast<std::size_t>(image.width) * image.height) return nullptr;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;  // top-down, as the pixels are stored
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  auto* out = static_cast<std::uint32_t*>(bits);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    std::uint32_t p = image.pixels[i];
    std::uint32_t a = p >> 24;
    auto scale = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    out[i] = (a << 24) | (scale((p >> 16) & 0xFF) << 16) | (scale((p >> 8) & 0xFF) << 8) | scale(p & 0xFF);
  }
  return bitmap;
}

void DrawImage(HDC dc, int x, int y, const Image& image) {
  HBITMAP bitmap = MakeBitmap(image);
  if (!bitmap) return;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dc, x, y, image.width, image.height, memory, 0, 0, image.width, image.height, blend);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

HIMAGELIST MakeImageList(const std::vector<Image>& images) {
  if (images.empty() || images[0].empty()) return nullptr;
  int w = images[0].width, h = images[0].height;
  HIMAGELIST list = ImageList_Create(w, h, ILC_COLOR32, static_cast<int>(images.size()), 1);
  if (!list) return nullptr;
  for (const Image& image : images) {
    // A picture of another size would shift every index after it; it goes in blank instead.
    Image fitted = image;
    if (image.width != w || image.height != h) {
      fitted.width = w;
      fitted.height = h;
      fitted.pixels.assign(static_cast<std::size_t>(w) * h, 0);
    }
    HBITMAP bitmap = MakeBitmap(fitted);
    ImageList_Add(list, bitmap, nullptr);
    if (bitmap) DeleteObject(bitmap);
  }
  return list;
}

}  // namespace toolkit::win32
