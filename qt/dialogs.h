// The desktop dialogs the screens ask for through the host: the about
// window, and saving a file the user names.
#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace hc::qt {

// A small modal window with the program's name, version and notes (one
// paragraph a line of `text`) and a close button.
void ShowAboutDialog(QWidget* parent, const QString& text);

// Writes the bytes to the file whole or not at all: they go to a temporary
// file beside it, which replaces the file only once everything is written.
// On failure the file is left as it was and `error` says why.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

// Asks for a file name with the desktop's save dialog, starting from the
// suggested name in the user's documents folder, and writes the bytes there;
// a failure is shown in a message box. False when nothing was written.
bool SaveWithDialog(QWidget* parent, const QString& suggestedName, const QByteArray& bytes);

}  // namespace hc::qt
