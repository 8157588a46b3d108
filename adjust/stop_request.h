// How a thread asks a long computation running on another to give up: a
// flag the asking thread sets and the computation polls between rows.
#pragma once

#include <atomic>

class StopRequest {
 public:
  // A request that is never made, for callers that always wait for the end.
  StopRequest() = default;
  explicit StopRequest(const std::atomic<bool>* flag) : flag_(flag) {}

  bool Made() const { return flag_ && flag_->load(std::memory_order_relaxed); }

 private:
  const std::atomic<bool>* flag_ = nullptr;
};
