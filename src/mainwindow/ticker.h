#pragma once
// The message ticker under the server list: drawn and moved every 100 ms, refetched every minute.
class MainWindow;

void SetUpTicker(MainWindow& window);
// Sets the session's message text from the platform (10 attempts), or the failure text.
void FetchTickerMessage();
// One tick of 时钟4: the text drawn, then moved.
void TickerTick(MainWindow& window);
