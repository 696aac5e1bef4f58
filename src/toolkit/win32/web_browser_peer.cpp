// The web pane: its window text always holds the address it shows, so that the address can
// be read from outside; the page itself comes from a hosted browser where one exists.
#include "toolkit/controls.h"
#include "toolkit/win32/native.h"
#include "toolkit/win32/web_host.h"

namespace toolkit::win32 {
namespace {

const wchar_t kPaneClass[] = L"VarkonWebPane";

class WebBrowserPeer final : public NativePeer {
 public:
  explicit WebBrowserPeer(Control& control) : NativePeer(control) {
    RegisterControlClass(kPaneClass, DefWindowProcW, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), 0);
    CreateChild(kPaneClass, WS_CLIPCHILDREN);
    if (!hwnd_) return;
    host_ = BrowserHost::Create(hwnd_);
    Update(Prop::Address);
  }

  ~WebBrowserPeer() override {
    if (host_) host_->Close();
  }

  void Update(Prop prop) override {
    if (!hwnd_) return;
    if (prop == Prop::Text) return;  // the window text is the address
    if (prop == Prop::Address) {
      std::wstring address = Wide(static_cast<WebBrowser&>(control_).address());
      SetWindowTextW(hwnd_, address.c_str());
      if (host_ && !address.empty()) host_->Navigate(address);
      return;
    }
    NativePeer::Update(prop);
  }

  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (msg == WM_SIZE && host_) host_->Resize(LOWORD(lParam), HIWORD(lParam));
    return false;
  }

 private:
  BrowserHost* host_ = nullptr;
};

}  // namespace

std::unique_ptr<Peer> CreateWebBrowserPeer(Control& control) {
  return std::make_unique<WebBrowserPeer>(control);
}

}  // namespace toolkit::win32
