#include "app/session.h"

#include "platform/process.h"

namespace app {
namespace {
// Never deleted: detached workers may still read it while the process ends.
Session* g_session = nullptr;
}  // namespace

Session& session() {
  if (!g_session) g_session = new Session;
  return *g_session;
}

void InitialiseSession() {
  Session& s = session();
  s.UdpEndpoint = std::make_unique<::UdpEndpoint>();
  s.RemoteConfig = RemoteConfigData();
  s.LoginSession = LoginSessionRecord();
  s.PlayerProfile = PlayerProfileRecord();
  s.ServerSortToggles.clear();
  s.PlayerSortToggles.clear();
}

void ReleaseSession() {
  if (!g_session) return;
  Session& s = *g_session;
  s.UpdateWorkerThread.RequestStop();
  s.UdpEndpoint.reset();
  s.RemoteConfig = RemoteConfigData();
  s.LoginSession = LoginSessionRecord();
  s.PlayerProfile = PlayerProfileRecord();
  s.DetailsQueryPacket.clear();
  s.PlayersQueryPacket.clear();
  s.InfoQueryPacket.clear();
  s.PlayerChallengePacket.clear();
  s.MasterQueryPacket.clear();
}

void EndProgram(int code) {
  ReleaseSession();
  platform::ExitProcess(code);
}

}  // namespace app
