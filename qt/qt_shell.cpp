#include "qt/qt_shell.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "qt/convert.h"
#include "qt/dialogs.h"

namespace hc::qt {

void ExecMessageBox(QMessageBox& box) {
  if (std::getenv("HENGCHUAN_AUTO_ANSWER") != nullptr) {
    std::fprintf(stderr, "message: %s\n", box.text().toUtf8().constData());
    return;
  }
  box.exec();
}


QtShell::QtShell() {
  QScreen* primary = QGuiApplication::primaryScreen();
  if (primary != nullptr && primary->logicalDotsPerInch() > 0) dpi_ = primary->logicalDotsPerInch();
  int width = 28800;
  int height = 16200;
  if (primary != nullptr) {
    width = ToTwips(primary->geometry().width());
    height = ToTwips(primary->geometry().height());
  }
  app_ = std::make_unique<App>(*this, width, height);
}

QtShell::~QtShell() {
  exited_ = true;
  windows_.clear();
}

int QtShell::ToPixels(int twips) const { return static_cast<int>(std::lround(twips * dpi_ / 1440.0)); }

int QtShell::ToTwips(int pixels) const { return static_cast<int>(std::lround(pixels * 1440.0 / dpi_)); }

void QtShell::Start() { app_->Start(); }

ScreenWindow* QtShell::Window(const Screen& screen) const {
  auto it = windows_.find(&screen);
  return it == windows_.end() ? nullptr : it->second.get();
}

ScreenWindow& QtShell::EnsureWindow(Screen& screen) {
  if (ScreenWindow* w = Window(screen)) return *w;
  auto window = std::make_unique<ScreenWindow>(*this, screen);
  ScreenWindow& ref = *window;
  ref.move(ToPixels(screen.left()), ToPixels(screen.top()));
  windows_.emplace(&screen, std::move(window));
  return ref;
}

template <class Step>
void QtShell::RunUserStep(Screen& screen, Step step) {
  if (exited_) return;
  try {
    step();
  } catch (const std::exception& e) {
    QMessageBox box(QMessageBox::Critical, Q(kProgramTitle), QStringLiteral("程序内部错误：") + QString::fromUtf8(e.what()),
                    QMessageBox::Ok, Window(screen));
    ExecMessageBox(box);
  }
  if (!exited_) SyncAll();
}

void QtShell::Press(Screen& screen, std::string_view button) {
  RunUserStep(screen, [&] { screen.Click(button); });
}

void QtShell::Choose(Screen& screen, const MenuNode& item) {
  RunUserStep(screen, [&] { ChooseMenuItem(screen, item); });
}

void QtShell::SyncAll() {
  // A hidden window is brought in step as it is shown again: a press on one
  // screen does not compare the other screens' long tables.
  for (auto& [screen, window] : windows_) {
    if (screen->visible() || window->isVisible()) window->Sync();
  }
}

void QtShell::BringToFront() {
  for (auto& [screen, window] : windows_) {
    if (screen->visible() && window->isVisible()) window->BringToFront();
  }
}

void QtShell::RunBox(QMessageBox& box) {
  SyncAll();  // the box stands in front of the screen as the handler left it
  ExecMessageBox(box);
}

void QtShell::ShowMessage(std::string_view text) {
  QWidget* parent = QApplication::activeWindow();
  QMessageBox box(QMessageBox::NoIcon, Q(kProgramTitle), Q(text), QMessageBox::Ok, parent);
  RunBox(box);
}

void QtShell::ReportError(ErrorKind kind) {
  QWidget* parent = QApplication::activeWindow();
  QMessageBox box(QMessageBox::Warning, Q(kProgramTitle), Q(ErrorKindMessage(kind)), QMessageBox::Ok, parent);
  RunBox(box);
}

void QtShell::ShowAbout(std::string_view text) { ShowAboutDialog(QApplication::activeWindow(), Q(text)); }

void QtShell::SetClipboard(std::string_view text) { QApplication::clipboard()->setText(Q(text)); }

bool QtShell::SaveFile(std::string_view suggestedName, std::string_view bytes) {
  return SaveWithDialog(QApplication::activeWindow(), Q(suggestedName),
                        QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

namespace {

// The user's settings of the program: ~/.config/hengchuan/hengchuan.conf on
// Linux, HKEY_CURRENT_USER\Software\hengchuan\hengchuan on Windows.
QSettings UserSettings() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("hengchuan"),
                   QStringLiteral("hengchuan"));
}

struct RateKey {
  const char* key;
  std::string SavedRates::*text;
};
constexpr RateKey kRateKeys[] = {{"rates/commission", &SavedRates::commission},
                                 {"rates/minimum", &SavedRates::minimum},
                                 {"rates/stampDuty", &SavedRates::stampDuty},
                                 {"rates/transferFee", &SavedRates::transferFee}};

}  // namespace

std::optional<SavedRates> QtShell::LoadSavedRates() {
  const QSettings settings = UserSettings();
  SavedRates saved;
  bool any = false;
  for (const RateKey& k : kRateKeys) {
    const QVariant value = settings.value(QLatin1String(k.key));
    if (!value.isValid()) continue;
    any = true;
    // Anything but a text is no rate: left empty, the checks refuse it.
    if (value.typeId() == QMetaType::QString) saved.*k.text = value.toString().toStdString();
  }
  if (!any) return std::nullopt;
  return saved;
}

bool QtShell::SaveRates(const SavedRates& rates) {
  QSettings settings = UserSettings();
  for (const RateKey& k : kRateKeys) settings.setValue(QLatin1String(k.key), Q(rates.*k.text));
  settings.sync();
  return settings.status() == QSettings::NoError;
}

void QtShell::RemoveSavedRates() {
  QSettings settings = UserSettings();
  settings.remove(QStringLiteral("rates"));
  settings.sync();
}

void QtShell::WindowChanged(Screen& screen, WindowEvent event) {
  if (exited_) return;
  switch (event) {
    case WindowEvent::Created:
      break;  // the window is built when the screen is first shown
    case WindowEvent::Shown: {
      ScreenWindow& w = EnsureWindow(screen);
      w.Sync();
      w.show();
      w.raise();
      w.activateWindow();
      w.FocusFirstTime();
      break;
    }
    case WindowEvent::Hidden:
      if (ScreenWindow* w = Window(screen)) w->HideAndRelease();
      break;
    case WindowEvent::Moved:
      if (ScreenWindow* w = Window(screen)) w->move(ToPixels(screen.left()), ToPixels(screen.top()));
      break;
  }
}

void QtShell::ExitProgram() {
  if (exited_) return;
  exited_ = true;
  for (auto& [screen, window] : windows_) window->hide();
  QCoreApplication::quit();
}

}  // namespace hc::qt
