// The desktop dialogs the screens ask for through the host: the about
// window, and saving a file the user names.
#pragma once

#include <QAbstractFileIconProvider>
#include <QByteArray>
#include <QString>

class QWidget;

namespace hc::qt {

// A small modal window with the program's name, version and notes (one
// paragraph a line of `text`) and a close button.
void ShowAboutDialog(QWidget* parent, const QString& text);

// Writes the bytes to the file whole or not at all: they go to a temporary
// file beside it, which replaces the file only once everything is written.
// On failure the file is left as it was and `error` names the cause in
// Chinese: no space left, no permission, a folder, a read-only file or disk,
// a folder that does not exist. `failWrites` (tests) stands in for a disk
// whose every write fails with that errno value.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error, int failWrites = 0);

// The icons and type names of the save dialog's files, from their names
// alone: it never opens a file to look at its contents, which for some
// files (the kernel's message log in /proc) waits for good.
class NameOnlyIconProvider final : public QAbstractFileIconProvider {
 public:
  using QAbstractFileIconProvider::icon;
  QIcon icon(const QFileInfo& info) const override;
  QString type(const QFileInfo& info) const override;
};

// Asks for a file name with the program's own save dialog (files shown by
// NameOnlyIconProvider), starting from the suggested name in the user's
// documents folder, and writes the bytes there; a name without an extension
// gets ".csv". A failure is shown in a message box. False when nothing was
// written.
bool SaveWithDialog(QWidget* parent, const QString& suggestedName, const QByteArray& bytes);

}  // namespace hc::qt
