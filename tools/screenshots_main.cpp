// Writes one PNG per screen, rendered by the real widgets: NAME.png right
// after the screen's load, NAME-calculated.png after its calculate button
// has been pressed with the load texts, NAME-large.png after it has been
// pressed with large, realistic figures in every input field (the figures
// and the way each screen is calculated are in tools/large_figures.h), and
// for a window the user can resize NAME-large-resized.png, half as large
// again.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

#include "qt/fonts.h"
#include "qt/qt_shell.h"
#include "qt/translations.h"
#include "tools/large_figures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: hengchuan-screenshots DIR\n");
    return 2;
  }
  setenv("HENGCHUAN_AUTO_ANSWER", "1", 1);  // prompts must not wait for a user
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  hc::qt::InstallFonts();
  hc::qt::InstallTranslations();
  QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  int written = 0;
  int failed = 0;
  for (const hc::ScreenEntry& entry : hc::ScreenRegistry()) {
    hc::qt::QtShell shell;  // a fresh program for every screen
    hc::Screen& screen = shell.app().Get(entry.name);
    screen.Show();
    hc::qt::ScreenWindow* window = shell.Window(screen);
    QApplication::processEvents();
    const QString name = QString::fromUtf8(entry.name.data(), static_cast<qsizetype>(entry.name.size()));
    auto save = [&](const QString& file) {
      if (window->grab().save(dir.filePath(file))) {
        ++written;
      } else {
        ++failed;
      }
    };
    save(name + QStringLiteral(".png"));
    // A screen that shows another's results (the order ladder shows the
    // grid last computed) calculates from that screen's load texts first.
    const hc::figures::LargeRun run = hc::figures::LargeRunOf(screen);
    if (run.button.empty()) continue;
    if (!run.source.empty()) shell.app().Get(run.source).Click(run.sourceButton);
    shell.Press(screen, run.button);
    QApplication::processEvents();
    save(name + QStringLiteral("-calculated.png"));
    hc::figures::CalculateWithLargeFigures(
        shell.app(), screen, [&shell](hc::Screen& s, std::string_view button) { shell.Press(s, button); });
    QApplication::processEvents();
    save(name + QStringLiteral("-large.png"));
    // A window the user can resize, half as large again: its tables take the room.
    if (window->resizable()) {
      window->resize(window->width() * 3 / 2, window->height() * 3 / 2);
      QApplication::processEvents();
      save(name + QStringLiteral("-large-resized.png"));
    }
  }
  std::printf("%d images written to %s\n", written, argv[1]);
  if (failed > 0) std::fprintf(stderr, "%d images could not be written\n", failed);
  return failed > 0 ? 1 : 0;
}
