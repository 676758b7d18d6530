// Runs a function when the scope ends, however it ends (an exception too).
#pragma once

#include <utility>

namespace platform {

template <typename Action>
class ScopeExit {
 public:
  explicit ScopeExit(Action action) : action_(std::move(action)) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ~ScopeExit() { action_(); }

 private:
  Action action_;
};

}  // namespace platform
