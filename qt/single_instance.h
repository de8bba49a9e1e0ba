// One running copy per user: a second start asks the first to bring its
// window to the front and ends. How the mark is held is the system's:
// on Linux a listening local socket in a folder only this user can reach
// (single_instance_posix.cpp), on Windows a named mutex and a named event in
// the namespace of the user's own session (single_instance_windows.cpp).
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace hc::qt {

class SingleInstance {
 public:
  SingleInstance();
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when no other copy of this user runs; this copy then holds the
  // mark until it ends. False when one runs: it has been asked to bring its
  // window to the front. Where the system gives no mark, this copy runs
  // without one.
  bool Acquire();

  // Called when a later start of this user asks this copy to come forward.
  void SetActivation(std::function<void()> activate) { activate_ = std::move(activate); }

  // The mark's name (the socket file, the mutex); empty while none is held.
  const std::string& path() const { return path_; }

 private:
  struct Mark;  // the system's handles of the mark

  // A later start asked this copy forward.
  void Activated() const;

  std::function<void()> activate_;
  std::string path_;
  std::unique_ptr<Mark> mark_;
};

}  // namespace hc::qt
