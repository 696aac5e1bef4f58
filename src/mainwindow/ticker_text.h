#pragma once
// The message ticker's text: colour-coded pieces, the fetch's failure rule and the motion.
#include <vector>

#include "base/text.h"
#include "toolkit/control.h"

struct TickerPiece {
  toolkit::Colour colour;
  Text text;
};

// Cut at every "#"; a piece that begins with a digit 1 to 9 is drawn, without the digit, in
// that digit's colour. Other pieces are not drawn.
std::vector<TickerPiece> TickerPieces(const Text& message);
// "#9【消息获取失败】" for an empty reply or one holding "该页" or "404"; otherwise the reply.
Text TickerMessageFromReply(const Text& reply);
extern const char kTickerFailure[];

// One step of the motion: 5 pixels left while some of the text is right of the viewport's
// left edge, else back to the viewport's right edge. A held ticker (scrolling 0) stays.
int TickerNextLeft(int left, int width, int viewportWidth, bool scrolling);
