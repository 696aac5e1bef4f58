#include "mainwindow/ticker.h"

#include <thread>

#include "app/session.h"
#include "mainwindow/main_window.h"
#include "mainwindow/main_window_loading.h"
#include "mainwindow/ticker_text.h"

void FetchTickerMessage() {
  Session& s = app::session();
  s.MessageText.set(TickerMessageFromReply(TextFromBytes(FetchWithAttempts(s.RemoteConfig.MSG, 10))));
}

void TickerTick(MainWindow& w) {
  Session& s = app::session();
  toolkit::Canvas& canvas = w.当前消息;
  canvas.clear();
  canvas.setWritePosition(0, 0);
  Text plain;
  for (const TickerPiece& piece : TickerPieces(s.MessageText.get())) {
    canvas.setTextColour(piece.colour);
    canvas.write(piece.text);
    plain += piece.text;
  }
  int width = canvas.textWidth(plain);
  canvas.setWidth(width);
  canvas.setLeft(TickerNextLeft(canvas.left(), width, w.图片框1.width(), s.TickerScrolling != 0));
  s.TickerScrolling = 1;
}

void SetUpTicker(MainWindow& w) {
  toolkit::Canvas& canvas = w.当前消息;
  canvas.setFont("新宋体", 16);
  canvas.setBackground(0x202020);  // dark, so the white pieces show
  canvas.onMouseMove = [] { app::session().TickerScrolling = 0; };
  w.时钟4.onTick = [&w] { TickerTick(w); };
  // A fetch may outlast the next tick; the one that ends last wins.
  w.时钟5.onTick = [] { std::thread(FetchTickerMessage).detach(); };
}
