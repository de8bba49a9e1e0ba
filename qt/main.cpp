// hengchuan: the desktop program.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <string_view>

#include "qt/fonts.h"
#include "qt/qt_shell.h"
#include "qt/single_instance.h"
#include "qt/translations.h"

int main(int argc, char** argv) {
  // The menu bar belongs to each window, whose height counts it: no
  // desktop-wide menu bar is asked for.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("hengchuan"));
  // Ties the windows to the installed desktop entry (its name and icon).
  QGuiApplication::setDesktopFileName(QStringLiteral("hengchuan"));
  QApplication::setQuitOnLastWindowClosed(false);  // the screens end the program themselves
  hc::qt::InstallFonts();
  hc::qt::InstallTranslations();

  // A second start asks the running copy to come to the front, says so and ends.
  hc::qt::SingleInstance instance;
  if (!instance.Acquire()) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("系统"), QStringLiteral("程序已经在运行中。。。"),
                    QMessageBox::Ok);
    hc::qt::ExecMessageBox(box);
    return 0;
  }

  hc::qt::QtShell shell;
  instance.SetActivation([&shell] { shell.BringToFront(); });
  shell.Start();
  // For start-up and memory measurements: quit as soon as the first window
  // is up and the event loop has nothing left to do; with the value "all",
  // first show every screen once, as a user visiting them all would.
  if (const char* quit = std::getenv("HENGCHUAN_QUIT_AFTER_SHOW"); quit != nullptr) {
    const bool all = std::string_view(quit) == "all";
    QTimer::singleShot(0, &application, [&shell, all] {
      if (all) {
        for (const hc::ScreenEntry& entry : hc::ScreenRegistry()) {
          hc::Screen& screen = shell.app().Get(entry.name);
          screen.Show();
          QCoreApplication::processEvents();
          if (entry.name != "Form1") screen.Hide();
        }
      }
      QCoreApplication::quit();
    });
  }
  return QApplication::exec();
}
