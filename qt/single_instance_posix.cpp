// The mark on Linux and other POSIX systems: a listening local socket in a
// folder only this user can reach, the user's runtime folder
// ($XDG_RUNTIME_DIR) when it is private and writable, else a folder of mode
// 0700 of the user's own in the temporary folder. Another user can neither
// take the mark nor be taken for a running copy; a socket file is seen from
// every network namespace; a copy killed with SIGKILL leaves a file nobody
// listens on, which the next start replaces. The socket file is removed
// when the copy ends.
#include "qt/single_instance.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace hc::qt {

namespace {

constexpr const char* kSocketName = "hengchuan-instance";

// A folder of this user's that no other user can enter or write.
bool IsPrivateFolder(const std::string& folder, bool followLinks) {
  struct stat st {};
  const int r = followLinks ? stat(folder.c_str(), &st) : lstat(folder.c_str(), &st);
  return r == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() && (st.st_mode & 077) == 0 &&
         access(folder.c_str(), W_OK | X_OK) == 0;
}

// $XDG_RUNTIME_DIR when it is private and writable; else hengchuan-UID,
// made with mode 0700, in $TMPDIR or /tmp. A folder of that name that is
// not this user's own (another user may have made it first) is passed by.
std::string PrivateFolder() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && runtime[0] == '/') {
    if (IsPrivateFolder(runtime, true)) return runtime;
  }
  std::string bases[2] = {"", "/tmp"};
  if (const char* tmp = std::getenv("TMPDIR"); tmp != nullptr && tmp[0] == '/') bases[0] = tmp;
  const std::string name = "/hengchuan-" + std::to_string(getuid());
  for (const std::string& base : bases) {
    if (base.empty()) continue;
    const std::string folder = base + name;
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) continue;
    if (IsPrivateFolder(folder, false)) return folder;
  }
  return {};
}

bool ToAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

bool PeerIsThisUser(int fd) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
}

// Connects to the mark; true when a copy of this user listens there, which
// is then asked to come forward.
bool AskRunningCopy(const sockaddr_un& address) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  bool running = false;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 && PeerIsThisUser(fd)) {
    running = true;
    // The running copy may close the connection before the byte arrives:
    // that must not end this copy by SIGPIPE.
    const char request = '!';
    (void)!send(fd, &request, 1, MSG_NOSIGNAL);
  }
  close(fd);
  return running;
}

// Holds an exclusive lock on the folder while it lives, so that two copies
// starting at once test and take the mark one after the other.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder) : fd_(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ >= 0) {
      while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~FolderLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_;
};

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/')); }

}  // namespace

struct SingleInstance::Mark {
  ino_t inode = 0;
  int fd = -1;
  QSocketNotifier* notifier = nullptr;
};

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance() {
  if (!mark_) return;
  delete mark_->notifier;
  FolderLock lock(FolderOf(path_));
  // Only the file this copy made: a later copy may have replaced it.
  struct stat st {};
  if (lstat(path_.c_str(), &st) == 0 && st.st_ino == mark_->inode) unlink(path_.c_str());
  close(mark_->fd);
}

bool SingleInstance::Acquire() {
  if (mark_) return true;
  const std::string folder = PrivateFolder();
  if (folder.empty()) return true;  // nowhere private: run without a mark
  const std::string path = folder + "/" + kSocketName;
  sockaddr_un address{};
  if (!ToAddress(path, address)) return true;

  FolderLock lock(folder);
  if (AskRunningCopy(address)) return false;
  // Nobody of this user listens: what is left is a socket of a copy that
  // was killed, or nothing. Anything else of that name is left alone.
  struct stat st {};
  if (lstat(path.c_str(), &st) == 0) {
    if (!S_ISSOCK(st.st_mode)) return true;
    unlink(path.c_str());
  }
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return true;
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(fd, 16) != 0 ||
      lstat(path.c_str(), &st) != 0) {
    close(fd);
    return true;
  }
  mark_ = std::make_unique<Mark>();
  mark_->fd = fd;
  mark_->inode = st.st_ino;
  path_ = path;
  mark_->notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
  QObject::connect(mark_->notifier, &QSocketNotifier::activated, mark_->notifier, [this, fd] {
    // Every start that knocked since the last look; one raise for all.
    bool asked = false;
    for (;;) {
      const int peer = accept4(fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
      if (peer < 0) {
        if (errno == EINTR) continue;
        break;
      }
      asked = asked || PeerIsThisUser(peer);
      close(peer);
    }
    if (asked) Activated();
  });
  return true;
}

}  // namespace hc::qt
