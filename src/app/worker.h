#pragma once
// A worker thread the program keeps a handle of. It is never joined: a worker that must stop
// while the program goes on is asked to, and checks between pieces of its work.
#include <atomic>
#include <functional>
#include <memory>

class Worker {
 public:
  // Starts `body` on a new thread; it receives the flag that asks it to stop.
  void Start(std::function<void(const std::atomic<bool>& stop)> body);
  // Asks the running worker to stop; nothing happens when none was started.
  void RequestStop();
  bool Started() const { return stop_ != nullptr; }

 private:
  std::shared_ptr<std::atomic<bool>> stop_;
};
