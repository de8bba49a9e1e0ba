#include "qt/dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QSaveFile>
#include <QStorageInfo>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

namespace {

// The cause of a failed save, named from the system's error number where
// it has one, else from the file system as it stands.
QString FailureCause(const QString& path, qint64 size, int error) {
  switch (error) {
#ifdef EDQUOT  // a disk quota: POSIX systems only
    case EDQUOT:
#endif
    case ENOSPC: return QStringLiteral("磁盘空间不足。");
    case EACCES:
    case EPERM: return QStringLiteral("没有写入这个文件夹的权限。");
    case EROFS: return QStringLiteral("磁盘是只读的。");
    case EISDIR: return QStringLiteral("这是一个文件夹，不是文件。");
    case ENOENT:
    case ENOTDIR: return QStringLiteral("文件夹不存在。");
    case EFBIG: return QStringLiteral("文件太大。");
    default: break;
  }
  const QFileInfo info(path);
  if (info.isDir()) return QStringLiteral("这是一个文件夹，不是文件。");
  const QString folder = info.absolutePath();
  const QFileInfo folderInfo(folder);
  if (!folderInfo.isDir()) return QStringLiteral("文件夹不存在。");
  const QStorageInfo disk(folder);
  if (disk.isValid()) {
    if (disk.isReadOnly()) return QStringLiteral("磁盘是只读的。");
    if (disk.bytesAvailable() >= 0 && disk.bytesAvailable() < size) return QStringLiteral("磁盘空间不足。");
  }
  if (!folderInfo.isWritable()) return QStringLiteral("没有写入这个文件夹的权限。");
  if (info.exists() && !info.isWritable()) return QStringLiteral("文件是只读的。");
  return error != 0 ? QStringLiteral("写入出错：") + QString::fromLocal8Bit(std::strerror(error))
                    : QStringLiteral("写入出错。");
}

}  // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error, int failWrites) {
  auto fail = [&](int number) {
    if (error != nullptr) *error = FailureCause(path, bytes.size(), number);
    return false;
  };
  // A folder is no file to replace.
  if (QFileInfo(path).isDir()) return fail(EISDIR);
  QSaveFile file(path);
  errno = 0;
  // Unbuffered, so that a failing write reports its own error number.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(errno);
  errno = 0;
  if (failWrites != 0 || file.write(bytes) != bytes.size()) {
    const int number = failWrites != 0 ? failWrites : errno;
    file.cancelWriting();
    return fail(number);
  }
  errno = 0;
  if (!file.commit()) return fail(errno);
  return true;
}

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
  if (info.isRoot()) return icon(Drive);
  if (info.isDir()) return icon(Folder);
  const QMimeType mime = QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
  if (!mime.isDefault()) {
    const QIcon themed = QIcon::fromTheme(mime.iconName());
    if (!themed.isNull()) return themed;
  }
  return icon(File);
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
  if (info.isRoot()) return QStringLiteral("驱动器");
  if (info.isDir()) return QStringLiteral("文件夹");
  const QMimeType mime = QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
  if (mime.isDefault()) return QStringLiteral("文件");
  return mime.comment().isEmpty() ? mime.name() : mime.comment();
}

bool SaveWithDialog(QWidget* parent, const QString& suggestedName, const QByteArray& bytes) {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  // Qt's own dialog, so that its files are shown by name alone.
  NameOnlyIconProvider icons;
  QFileDialog dialog(parent, QStringLiteral("保存为CSV"), QDir(folder).filePath(suggestedName),
                     QStringLiteral("CSV 文件 (*.csv);;所有文件 (*)"));
  dialog.setObjectName(QStringLiteral("save"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setIconProvider(&icons);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  dialog.selectFile(QDir(folder).filePath(suggestedName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;  // cancelled
  QString path = dialog.selectedFiles().constFirst();
  if (!QFileInfo(path).fileName().contains(QLatin1Char('.'))) path += QStringLiteral(".csv");
  QString error;
  if (WriteFileAtomically(path, bytes, &error)) return true;
  QMessageBox box(QMessageBox::Warning, Q(kProgramTitle),
                  QStringLiteral("保存失败，文件没有写入：") + path + QStringLiteral("\n") + error, QMessageBox::Ok,
                  parent);
  ExecMessageBox(box);
  return false;
}

}  // namespace hc::qt
