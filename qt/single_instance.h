// One running copy per user and machine. The mark is a local socket in the
// abstract namespace: it needs no file, and the kernel frees it the moment
// the process ends, also after a crash or kill -9.
#pragma once

#include <QLocalServer>

namespace hc::qt {

class SingleInstance {
 public:
  // True when no other copy holds the mark; this copy then holds it until
  // it ends.
  bool Acquire();

 private:
  QLocalServer server_;
};

}  // namespace hc::qt
