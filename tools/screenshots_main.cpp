// Writes one PNG per screen, rendered by the real widgets: NAME.png right
// after the screen's load, NAME-calculated.png after its calculate button
// has been pressed with the load texts, and NAME-large.png after it has
// been pressed with large, realistic figures in every input field.
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
    if (entry.name == "Form42") {
      // The order ladder shows the grid last computed on the grid screen:
      // with its load texts, then with large figures.
      hc::Screen& grid = shell.app().Get("Form39");
      grid.Click("Command1");
      shell.Press(screen, "Command1");
      QApplication::processEvents();
      save(name + QStringLiteral("-calculated.png"));
      int index = 0;
      for (hc::Control& c : grid.controls()) {
        if (c.kind() != hc::Kind::Text || c.readOnly || !c.visible) continue;
        c.text = std::string(hc::figures::LargeFigure("Form39", c.name(), index++));
      }
      grid.Click("Command5");
      shell.Press(screen, "Command1");
      QApplication::processEvents();
      save(name + QStringLiteral("-large.png"));
      continue;
    }
    const std::string_view calc = screen.layout().defaultButton;
    if (!calc.empty()) {
      shell.Press(screen, calc);
      QApplication::processEvents();
      save(name + QStringLiteral("-calculated.png"));
      int index = 0;
      for (hc::Control& c : screen.controls()) {
        const bool field = c.kind() == hc::Kind::Text || c.kind() == hc::Kind::TextArea;
        if (!field || c.readOnly || !c.visible) continue;
        c.text = std::string(hc::figures::LargeFigure(entry.name, c.name(), index++));
      }
      shell.SyncAll();
      shell.Press(screen, calc);
      QApplication::processEvents();
      save(name + QStringLiteral("-large.png"));
    }
  }
  std::printf("%d images written to %s\n", written, argv[1]);
  if (failed > 0) std::fprintf(stderr, "%d images could not be written\n", failed);
  return failed > 0 ? 1 : 0;
}
