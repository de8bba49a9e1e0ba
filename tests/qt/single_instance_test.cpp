// The single-instance mark within one process: a second holder is refused
// and asks the first to come forward, a mark left by a killed copy is
// replaced, a runtime folder other users can enter is not used, and the
// socket file goes when the holder does.
#include <QTemporaryDir>
#include <QtTest>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <memory>

#include "qt/single_instance.h"

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir runtime_;
  QTemporaryDir tmp_;

  std::string SocketPath() const { return runtime_.path().toStdString() + "/hengchuan-instance"; }

 private slots:
  void init() {
    QVERIFY(runtime_.isValid() && tmp_.isValid());
    QCOMPARE(chmod(runtime_.path().toLocal8Bit().constData(), 0700), 0);
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    qputenv("TMPDIR", tmp_.path().toLocal8Bit());
  }

  void second_holder_is_refused_and_asks_the_first_forward() {
    auto first = std::make_unique<hc::qt::SingleInstance>();
    int asked = 0;
    first->SetActivation([&asked] { ++asked; });
    QVERIFY(first->Acquire());
    QCOMPARE(first->path(), SocketPath());
    hc::qt::SingleInstance second;
    QVERIFY(!second.Acquire());
    QVERIFY(second.path().empty());
    QTRY_COMPARE(asked, 1);
    first.reset();
    QVERIFY(access(SocketPath().c_str(), F_OK) != 0);  // removed at the end
    hc::qt::SingleInstance third;
    QVERIFY(third.Acquire());
  }

  // A copy killed with SIGKILL leaves its socket file, which nobody listens on.
  void mark_of_a_killed_copy_is_replaced() {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, SocketPath().c_str());
    QCOMPARE(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
    hc::qt::SingleInstance copy;
    QVERIFY(copy.Acquire());
    hc::qt::SingleInstance second;
    QVERIFY(!second.Acquire());
  }

  void runtime_folder_others_can_enter_is_not_used() {
    QCOMPARE(chmod(runtime_.path().toLocal8Bit().constData(), 0755), 0);
    hc::qt::SingleInstance copy;
    QVERIFY(copy.Acquire());
    const QString fallback = tmp_.path() + QStringLiteral("/hengchuan-%1/hengchuan-instance").arg(getuid());
    QCOMPARE(QString::fromStdString(copy.path()), fallback);
    struct stat st {};
    QCOMPARE(stat(QFileInfo(fallback).path().toLocal8Bit().constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0700u);
    hc::qt::SingleInstance second;
    QVERIFY(!second.Acquire());
  }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
