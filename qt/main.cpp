// hengchuan: the desktop program.
#include <QApplication>
#include <QMessageBox>
#include <QSessionManager>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include "qt/fonts.h"
#include "qt/qt_shell.h"
#include "qt/single_instance.h"
#include "qt/translations.h"

namespace {

constexpr std::string_view kUsage =
    "用法：hengchuan [--help | --version]\n"
    "衡川：A股个人投资者的计算器。不带参数时打开程序的窗口。\n"
    "  -h, --help   显示本说明并退出\n"
    "  --version    显示版本并退出\n"
    "\n"
    "Usage: hengchuan [--help | --version]\n"
    "Hengchuan: calculators for private investors in the Chinese A-share market.\n"
    "Without arguments it opens the program's window.\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n";

// What standard output took, as the exit status: 1 when it could not be written.
int Flushed() {
  std::cout.flush();
  return std::cout ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  // The program takes no arguments but help and version, answered without
  // a display; anything else, Qt's own options and file names included, is
  // refused before a window could open.
  if (argc > 1) {
    bool help = false;
    for (int i = 1; i < argc; ++i) {
      const std::string_view arg = argv[i];
      if (arg == "--help" || arg == "-h") {
        help = true;
      } else if (arg != "--version") {
        std::cerr << "hengchuan: "
                  << (arg.starts_with('-') ? "未知选项 unknown option: " : "不接受参数 takes no arguments: ") << arg
                  << '\n'
                  << kUsage;
        return 2;
      }
    }
    std::cout << (help ? kUsage : std::string_view("衡川 " HENGCHUAN_VERSION "\n"));
    return Flushed();
  }

  // The menu bar belongs to each window, whose height counts it: no
  // desktop-wide menu bar is asked for.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("hengchuan"));
  // Ties the windows to the installed desktop entry (its name and icon).
  QGuiApplication::setDesktopFileName(QStringLiteral(HENGCHUAN_APP_ID));
  QApplication::setQuitOnLastWindowClosed(false);  // the screens end the program themselves
  // A session manager would start the program again at the next log-in
  // with Qt's "-session" option, which it refuses; it keeps nothing to restore.
  QObject::connect(&application, &QGuiApplication::saveStateRequest,
                   [](QSessionManager& manager) { manager.setRestartHint(QSessionManager::RestartNever); });
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
