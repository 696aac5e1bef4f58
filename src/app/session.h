#pragma once
// The session: the process-wide values that windows, timers and workers exchange. Workers store
// a result first and set its int flag last; a timer tests and resets the flag, then reads.
#include <atomic>
#include <memory>
#include <vector>

#include "app/remote_config.h"
#include "app/shared_text.h"
#include "app/worker.h"
#include "base/text.h"
#include "browser/udp_endpoint.h"

struct LoginSessionRecord {
  Text rcode;  // the user id once logged in
  Text name_eng;
  Text psw;
  Text name_chs;
  Text items;
};

struct PlayerProfileRecord {
  Text pCsid, pRank, pScore, pRegTime, pOnline, pUpdate, pKill, pDeath, pHeadshot, pDefused,
      pExplode, pFirstKill, pDamage, pAccDead, pCsidChs, pSuperAWP, pFlower, pShit;
};

struct Session {
  RemoteConfigData RemoteConfig;

  SharedText LoginWindowTitle;
  SharedText LoginReplyText;
  std::atomic<int> LoginReplyReady{0};
  std::atomic<int> ProfileReady{0};
  LoginSessionRecord LoginSession;
  PlayerProfileRecord PlayerProfile;

  Worker UpdateWorkerThread;
  std::atomic<int> DownloadFile{0};  // open download file number, 0 when none; the worker writes it
  Worker QueryThread;
  Worker MainWindowThread;
  Worker LaunchThread;

  std::unique_ptr<::UdpEndpoint> UdpEndpoint;
  Bytes DetailsQueryPacket;
  Bytes PlayersQueryPacket;
  Bytes InfoQueryPacket;
  Bytes PlayerChallengePacket;
  Bytes MasterQueryPacket;

  Text SelectedServer;  // ip:port
  Text SelectedGroupName;
  std::vector<int> ServerSortToggles;
  std::vector<int> PlayerSortToggles;
  int SortDirection = 0;
  int SortKind = 0;
  int RefreshCountdown = 0;

  Text GamePath;
  Text LaunchParameters;
  Text RefreshRateParameter;
  SharedText MessageText;
  std::atomic<int> TickerScrolling{0};
  int LaunchFadingIn = 0;
  int LaunchWindowAlpha = 0;
  int LaunchWindowExStyle = 0;
  int ResourceCount = 0;
};

namespace app {

// The one session. Created by InitialiseSession; lives until the process ends.
Session& session();
// Creates the session values and the UDP endpoint (which starts the socket library).
void InitialiseSession();
// The exit release: frees the session values and destroys the UDP endpoint. Safe to run twice.
void ReleaseSession();
// Ends the program with `code` after the exit release.
[[noreturn]] void EndProgram(int code);

}  // namespace app
