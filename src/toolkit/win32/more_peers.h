#pragma once
// The Win32 side of the richer controls (controls_more.h), and the picture helpers they share.
#include <memory>
#include <vector>

#include "toolkit/image.h"
#include "toolkit/win32/native.h"

namespace toolkit::win32 {

// A 32-bit top-down DIB section holding the picture, alpha premultiplied for AlphaBlend.
HBITMAP MakeBitmap(const Image& image);
// Draws the picture at (x, y) blended over what is there.
void DrawImage(HDC dc, int x, int y, const Image& image);
// An image list of the first picture's size holding all of them; null for none.
HIMAGELIST MakeImageList(const std::vector<Image>& images);

std::unique_ptr<Peer> CreateListViewPeer(Control& control);
std::unique_ptr<Peer> CreateTreeViewPeer(Control& control);
std::unique_ptr<Peer> CreateCanvasPeer(Control& control);
std::unique_ptr<Peer> CreateImageButtonPeer(Control& control);
std::unique_ptr<Peer> CreateAnimationBoxPeer(Control& control);
std::unique_ptr<Peer> CreateTrayIconPeer(Control& control);

}  // namespace toolkit::win32
