#pragma once
// The main window's loading worker: items, location line, ticker text, master-server list.
#include "base/text.h"

class MainWindow;

void StartMainWindowLoading(MainWindow& window);
// Loading workers still at work.
int MainWindowLoadingRunning();
// The fifteen value labels from the player's profile.
void RefreshProfilePanel(MainWindow& window);
// Writes the master-server list into a game folder that holds the engine ("hw.dll").
void UpdateMasterServerFile(const Bytes& list, const Text& gamePath);
// Fetches `url` until it answers, at most `attempts` times, 10 ms apart.
Bytes FetchWithAttempts(const Text& url, int attempts);
