// The mark on Windows: a named mutex in the namespace of the user's own
// session ("Local\"), so that another user logged in at the same time, or
// the same user in another session, is neither refused nor taken for a
// running copy. The system removes it with the last handle, also when a copy
// is killed. A later start signals a named event of the same session, which
// the first copy waits on, and lets the first copy take the foreground
// (Windows gives it only to the program the user just started).
#include "qt/single_instance.h"

#include <windows.h>

#include <QWinEventNotifier>

namespace hc::qt {

namespace {

constexpr const wchar_t* kMutexName = L"Local\\hengchuan-instance";
constexpr const wchar_t* kActivateName = L"Local\\hengchuan-activate";

}  // namespace

struct SingleInstance::Mark {
  HANDLE mutex = nullptr;
  HANDLE activate = nullptr;
  QWinEventNotifier* notifier = nullptr;
};

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance() {
  if (!mark_) return;
  delete mark_->notifier;
  if (mark_->activate != nullptr) CloseHandle(mark_->activate);
  CloseHandle(mark_->mutex);
}

bool SingleInstance::Acquire() {
  if (mark_) return true;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
  if (mutex == nullptr) return true;  // no mark to be had: run without one
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    if (HANDLE activate = OpenEventW(EVENT_MODIFY_STATE, FALSE, kActivateName); activate != nullptr) {
      AllowSetForegroundWindow(ASFW_ANY);
      SetEvent(activate);
      CloseHandle(activate);
    }
    return false;
  }
  mark_ = std::make_unique<Mark>();
  mark_->mutex = mutex;
  path_ = "Local\\hengchuan-instance";
  // Auto-reset: one raise for each time a later start knocks.
  mark_->activate = CreateEventW(nullptr, FALSE, FALSE, kActivateName);
  if (mark_->activate != nullptr) {
    mark_->notifier = new QWinEventNotifier(mark_->activate);
    QObject::connect(mark_->notifier, &QWinEventNotifier::activated, mark_->notifier, [this] { Activated(); });
  }
  return true;
}

}  // namespace hc::qt
