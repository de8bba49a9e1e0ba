// The floor that Qt itself sets: a bare QApplication showing one fixed-size
// window with a label, a line edit and a button in Chinese, so that it loads
// the same fonts as the program. Quits once shown when
// HENGCHUAN_QUIT_AFTER_SHOW is set, like the program.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("衡川2.0（升级版）"));
  window.setFixedSize(307, 231);
  auto* label = new QLabel(QStringLiteral("昨天收盘价："), &window);
  label->move(24, 16);
  auto* edit = new QLineEdit(QStringLiteral("10"), &window);
  edit->setGeometry(104, 16, 89, 25);
  auto* button = new QPushButton(QStringLiteral("止盈止损价"), &window);
  button->setGeometry(16, 136, 86, 28);
  window.show();
  if (std::getenv("HENGCHUAN_QUIT_AFTER_SHOW") != nullptr) {
    QTimer::singleShot(0, &application, [] { QCoreApplication::quit(); });
  }
  return QApplication::exec();
}
