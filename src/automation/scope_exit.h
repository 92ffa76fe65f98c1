// A scope guard: runs a function when the scope it guards ends, however it ends.
//
//   auto restore = scopeExit([&] { window.PutWindowState(state); });
//
// The function must not throw (it may run while an exception is on its way out); one that
// may fail catches what it raises. `release()` cancels it.
#pragma once

#include <type_traits>
#include <utility>

namespace r58046::automation {

template <class F>
class [[nodiscard]] ScopeExit {
 public:
  explicit ScopeExit(F f) noexcept(std::is_nothrow_move_constructible_v<F>) : f_(std::move(f)) {}
  ScopeExit(ScopeExit&& other) noexcept(std::is_nothrow_move_constructible_v<F>)
      : f_(std::move(other.f_)), armed_(std::exchange(other.armed_, false)) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ScopeExit& operator=(ScopeExit&&) = delete;
  ~ScopeExit() {
    if (armed_) {
      f_();
    }
  }

  // The function will not run.
  void release() noexcept { armed_ = false; }

 private:
  F f_;
  bool armed_ = true;
};

template <class F>
[[nodiscard]] ScopeExit<std::decay_t<F>> scopeExit(F&& f) {
  return ScopeExit<std::decay_t<F>>(std::forward<F>(f));
}

}  // namespace r58046::automation
