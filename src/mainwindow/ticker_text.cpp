#include "mainwindow/ticker_text.h"

const char kTickerFailure[] = "#9【消息获取失败】";

namespace {

constexpr toolkit::Colour kDigitColours[10] = {
    0,         0xFFFFFF, 0x008000, 0xFF8800, 0xFF0090,
    0x0080FF,  0x0000FF, 0x00FFFF, 0xFF8080, 0x00FF00,
};

}  // namespace

std::vector<TickerPiece> TickerPieces(const Text& message) {
  std::vector<TickerPiece> pieces;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = message.find('#', start);
    Text piece = message.substr(start, end == Text::npos ? Text::npos : end - start);
    if (!piece.empty() && piece[0] >= '1' && piece[0] <= '9') {
      pieces.push_back({kDigitColours[piece[0] - '0'], piece.substr(1)});
    }
    if (end == Text::npos) return pieces;
    start = end + 1;
  }
}

Text TickerMessageFromReply(const Text& reply) {
  if (reply.empty() || Contains(reply, "该页") || Contains(reply, "404")) return kTickerFailure;
  return reply;
}

int TickerNextLeft(int left, int width, int viewportWidth, bool scrolling) {
  if (!scrolling) return left;
  return left + width >= 0 ? left - 5 : viewportWidth;
}
