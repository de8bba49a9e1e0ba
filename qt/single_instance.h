// One running copy per user and machine. The mark is a listening local
// socket in a folder only this user can reach: the user's runtime folder
// ($XDG_RUNTIME_DIR) when it is private and writable, else a folder of mode
// 0700 of the user's own in the temporary folder. Another user can neither
// take the mark nor be taken for a running copy; a socket file is seen from
// every network namespace; a copy killed with SIGKILL leaves a file nobody
// listens on, which the next start replaces. The socket file is removed
// when the copy ends.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>

class QSocketNotifier;

namespace hc::qt {

class SingleInstance {
 public:
  SingleInstance();
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when no other copy of this user runs; this copy then holds the
  // mark until it ends. False when one runs: it has been asked to bring its
  // window to the front. Where no private folder can be had, this copy runs
  // without a mark.
  bool Acquire();

  // Called when a later start of this user asks this copy to come forward.
  void SetActivation(std::function<void()> activate) { activate_ = std::move(activate); }

  // The socket file of the mark; empty while none is held.
  const std::string& path() const { return path_; }

 private:
  void AcceptPending();

  std::function<void()> activate_;
  std::string path_;
  ino_t inode_ = 0;
  int fd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace hc::qt
