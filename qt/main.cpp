// hengchuan: the desktop program.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>

#include "qt/fonts.h"
#include "qt/renderer.h"
#include "qt/single_instance.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("hengchuan"));
  QApplication::setQuitOnLastWindowClosed(false);  // the screens end the program themselves
  hc::qt::InstallFonts();

  hc::qt::SingleInstance instance;
  if (!instance.Acquire()) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("系统"), QStringLiteral("程序已经在运行中。。。"),
                    QMessageBox::Ok);
    hc::qt::ExecMessageBox(box);
    return 0;
  }

  hc::qt::QtShell shell;
  shell.Start();
  // For start-up measurements: quit as soon as the first window is up and
  // the event loop has nothing left to do.
  if (std::getenv("HENGCHUAN_QUIT_AFTER_SHOW") != nullptr) {
    QTimer::singleShot(0, &application, [] { QCoreApplication::quit(); });
  }
  return QApplication::exec();
}
