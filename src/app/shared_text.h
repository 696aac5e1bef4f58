#pragma once
// A text that one thread replaces while another reads it: a reader gets the old or the new
// value whole, never a half-written one.
#include <mutex>

#include "base/text.h"

class SharedText {
 public:
  Text get() const {
    std::lock_guard<std::mutex> hold(mutex_);
    return value_;
  }
  void set(const Text& value) {
    std::lock_guard<std::mutex> hold(mutex_);
    value_ = value;
  }

 private:
  mutable std::mutex mutex_;
  Text value_;
};
