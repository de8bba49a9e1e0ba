#include "qt/dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>

#include "qt/convert.h"
#include "qt/qt_shell.h"
#include "shell/screen.h"

namespace hc::qt {

void ShowAboutDialog(QWidget* parent, const QString& text) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("about"));
  dialog.setWindowTitle(QStringLiteral("关于衡川2.0"));
  auto* layout = new QVBoxLayout(&dialog);
  const QStringList lines = text.split('\n');
  for (int i = 0; i < lines.size(); ++i) {
    auto* label = new QLabel(lines[i], &dialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    if (i == 0) {
      QFont f = label->font();
      f.setBold(true);
      f.setPointSizeF(f.pointSizeF() * 1.4);
      label->setFont(f);
    }
    layout->addWidget(label);
  }
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::AcceptRole);
  close->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  dialog.setFixedWidth(dialog.fontMetrics().horizontalAdvance(QString(30, QChar(0x4E2D))));
  if (std::getenv("HENGCHUAN_AUTO_ANSWER") != nullptr) {
    std::fprintf(stderr, "about: %s\n", text.toUtf8().constData());
    return;
  }
  dialog.exec();
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error != nullptr) *error = file.errorString();
    return false;
  }
  if (file.write(bytes) != bytes.size()) {
    if (error != nullptr) *error = file.errorString();
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    if (error != nullptr) *error = file.errorString();
    return false;
  }
  return true;
}

bool SaveWithDialog(QWidget* parent, const QString& suggestedName, const QByteArray& bytes) {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("保存为CSV"),
                                                    QDir(folder).filePath(suggestedName),
                                                    QStringLiteral("CSV 文件 (*.csv);;所有文件 (*)"));
  if (path.isEmpty()) return false;  // cancelled
  QString error;
  if (WriteFileAtomically(path, bytes, &error)) return true;
  QMessageBox box(QMessageBox::Warning, Q(kProgramTitle),
                  QStringLiteral("保存失败，文件没有写入：") + path + QStringLiteral("\n") + error, QMessageBox::Ok,
                  parent);
  ExecMessageBox(box);
  return false;
}

}  // namespace hc::qt
