#pragma once
// AppReady: whether the program takes user input. False until start-up has restored the notes
// and while any modal window (dialog, message box, common dialog) is up; while it is false the
// tray icon, the key combination and presses in note bodies are ignored, and a due alarm waits.

#include <functional>
#include <utility>

namespace velumbrino {

class AppReadyFlag {
 public:
  bool IsReady() const { return started_ && modal_depth_ == 0; }
  // Start-up has restored every note.
  void MarkStarted() {
    started_ = true;
    NotifyIfReady();
  }
  // Called each time the flag turns true again (work that waited for a modal window to close).
  void SetOnReady(std::function<void()> on_ready) { on_ready_ = std::move(on_ready); }

 private:
  friend class ModalGuard;
  void NotifyIfReady() {
    if (IsReady() && on_ready_) on_ready_();
  }

  bool started_ = false;
  int modal_depth_ = 0;
  std::function<void()> on_ready_;
};

// Clears AppReady for as long as it lives; modal windows nest, and the flag turns true again
// only when the outermost one has closed, on every path out.
class ModalGuard {
 public:
  explicit ModalGuard(AppReadyFlag& flag) : flag_(flag) { ++flag_.modal_depth_; }
  ~ModalGuard() {
    --flag_.modal_depth_;
    flag_.NotifyIfReady();
  }
  ModalGuard(const ModalGuard&) = delete;
  ModalGuard& operator=(const ModalGuard&) = delete;

 private:
  AppReadyFlag& flag_;
};

}  // namespace velumbrino
