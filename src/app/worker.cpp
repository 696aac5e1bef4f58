#include "app/worker.h"

#include <thread>

void Worker::Start(std::function<void(const std::atomic<bool>& stop)> body) {
  RequestStop();
  auto stop = std::make_shared<std::atomic<bool>>(false);
  stop_ = stop;
  // The thread holds its own share of the flag, so it may outlive this handle.
  std::thread([stop, body = std::move(body)] { body(*stop); }).detach();
}

void Worker::RequestStop() {
  if (stop_) *stop_ = true;
}
