#pragma once
// What each backend (win32/, headless/) provides to the portable control code.
#include <functional>
#include <memory>

#include "toolkit/control.h"

namespace toolkit::backend {

// Creates the native side of a control; its parent's side already exists.
std::unique_ptr<Peer> CreatePeer(Control& control);
void OnUiThread(const std::function<void()>& work);
void Post(std::function<void()> work);
void RunMessageLoop();
// The last top-level window is gone: the message loop is to end.
void LastWindowDestroyed();

}  // namespace toolkit::backend
