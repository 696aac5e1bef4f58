#include "login/login_exchange.h"

#include <thread>

#include "app/builtin.h"
#include "app/startup.h"
#include "app/session.h"
#include "json/json_reader.h"
#include "json/unescape_text.h"
#include "login/credentials.h"
#include "login/format_duration.h"
#include "login/login_form.h"
#include "login/login_window.h"
#include "net/http_client.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/http_get.h"

namespace {

constexpr int kAttempts = 50;

// The two boxes as the user-interface thread last saw them: the worker reads these instead of
// the window, which may be gone while it still runs.
SharedText g_userName;
SharedText g_password;
std::atomic<int> g_running{0};

int FormRandom() {
  int wide = (platform::RandomValue() << 15) | platform::RandomValue();
  return 10000 + wide % 90000;
}

// The attempt counter shown after the progress text from the second attempt on.
Text ProgressTitle(const Text& text, int attempt) {
  return attempt > 1 ? text + "(" + std::to_string(attempt) + ")" : text;
}

// Repeats `fetch` until it answers something, showing each attempt in the caption; the reply is
// stored first and the flag set last.
void RunWorker(const std::function<Bytes()>& fetch, const Text& progress, std::atomic<int>& ready) {
  struct Running {
    ~Running() { --g_running; }  // counted up by the starter, before the thread exists
  } running;
  Session& s = app::session();
  s.LoginReplyText.set(Text());
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    Text reply = TextFromBytes(fetch());
    s.LoginReplyText.set(reply);
    s.LoginWindowTitle.set(ProgressTitle(progress, attempt));
    if (!reply.empty()) {
      ready = 1;
      return;
    }
    platform::WaitProcessingMessages(10);
  }
}

void StartProfileWorker() {
  ++g_running;
  std::thread([] {
    RunWorker(
        [] {
          Session& s = app::session();
          return platform::HttpGet(s.RemoteConfig.rank + s.LoginSession.rcode);
        },
        "正在获取个人数据...", app::session().ProfileReady);
  }).detach();
}

void Refuse(LoginWindow& w, const Text& message) {
  platform::ShowMessageBox(message, "登录失败", platform::BoxIcon::None);
  ReenableLoginButton(w);
}

Text RefusalMessage(const Text& rcode) {
  if (rcode == "-106") return "用户名不存在!";
  if (rcode == "-131") return "密码错误!";
  if (rcode == "-3377") return "抱歉,检测到网络异常.请稍候再试";
  return Text();
}

void FillProfile(const JsonReader& reader) {
  PlayerProfileRecord& p = app::session().PlayerProfile;
  auto plain = [&](const char* name) { return reader.GetValue(name); };
  auto unescaped = [&](const char* name) { return UnescapeText(reader.GetValue(name)); };
  p.pCsid = plain("pCsid");
  p.pRank = plain("pRank");
  p.pScore = unescaped("pScore");
  p.pRegTime = plain("pRegTime");
  p.pOnline = FormatDuration(plain("pOnline"));
  p.pUpdate = plain("pUpdate");
  p.pKill = plain("pKill");
  p.pDeath = plain("pDeath");
  p.pHeadshot = plain("pHeadshot");
  p.pDefused = plain("pDefused");
  p.pExplode = plain("pExplode");
  p.pFirstKill = plain("pFirstKill");
  p.pDamage = plain("pDamage");
  p.pAccDead = plain("pAccDead");
  p.pCsidChs = unescaped("pCsidChs");
  p.pSuperAWP = plain("pSuperAWP");
  p.pFlower = plain("pFlower");
  p.pShit = plain("pShit");
}

}  // namespace

int LoginWorkersRunning() { return g_running; }

Text PercentEncode(const Text& value) {
  static const char kHex[] = "0123456789ABCDEF";
  Text out;
  for (unsigned char c : value) {
    bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                 c == '.' || c == '_' || c == '~';
    if (plain) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  return out;
}

Text LoginFormBody(const Text& userName, const Text& password, int random) {
  // Encoded, so a password holding "&", "=", "+" or "%" reaches the server as typed.
  return "p_username=" + PercentEncode(userName) + "&p_password=" + PercentEncode(password) +
         "&p_random=" + std::to_string(random);
}

void NoteLoginForm(LoginWindow& w) {
  g_userName.set(w.编辑框1.text());
  g_password.set(w.编辑框2.text());
}

void StartLoginWorker(LoginWindow& w) {
  NoteLoginForm(w);
  ++g_running;
  std::thread([] {
    RunWorker(
        [] {
          Text body = LoginFormBody(g_userName.get(), g_password.get(), FormRandom());
          return HttpClient(app::session().RemoteConfig.login, 1, &body);
        },
        "正在登陆...", app::session().LoginReplyReady);
  }).detach();
}

void HandleLoginReplies(LoginWindow& w) {
  Session& s = app::session();
  JsonReader reader;
  if (s.LoginReplyReady == 1) {
    s.LoginReplyReady = 0;
    if (w.编辑框1.text().empty()) {
      Refuse(w, "请输入用户名！");
      return;
    }
    reader.Parse(s.LoginReplyText.get());
    Text message = RefusalMessage(reader.GetValue("rcode"));
    if (!message.empty()) {
      s.LoginWindowTitle.set(app::kNormalTitle);
      Refuse(w, message);
      return;
    }
    SaveCredentials(w);
    s.LoginSession.rcode = reader.GetValue("rcode");
    s.LoginSession.name_eng = reader.GetValue("name_eng");
    s.LoginSession.name_chs = UnescapeText(reader.GetValue("name_chs"));
    s.LoginSession.items = reader.GetValue("items");
    s.LoginSession.psw = reader.GetValue("psw");
    reader.Clear();
    StartProfileWorker();
  }
  if (s.ProfileReady == 1) {
    s.ProfileReady = 0;
    reader.Parse(s.LoginReplyText.get());
    FillProfile(reader);
    reader.Clear();
    app::OpenMainWindowAfterLogin(w);
  }
}
