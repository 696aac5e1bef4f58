#pragma once
// An embedded WebBrowser ActiveX control, activated in place inside a pane window.
#include <windows.h>

#include <string>

namespace toolkit::win32 {

class BrowserSite;

class BrowserHost {
 public:
  // Fails quietly (null) where no browser engine is there to host.
  static BrowserHost* Create(HWND pane);
  BrowserHost(const BrowserHost&) = delete;
  BrowserHost& operator=(const BrowserHost&) = delete;

  void Navigate(const std::wstring& url);
  void Resize(int width, int height);
  // Deactivates the browser and lets it go; the host is gone afterwards.
  void Close();

 private:
  explicit BrowserHost(BrowserSite* site) : site_(site) {}
  BrowserSite* site_;
};

}  // namespace toolkit::win32
