#include "qt/single_instance.h"

#include <unistd.h>

namespace hc::qt {

bool SingleInstance::Acquire() {
  server_.setSocketOptions(QLocalServer::AbstractNamespaceOption);
  const QString name = QStringLiteral("hengchuan-%1").arg(static_cast<qulonglong>(getuid()));
  if (server_.listen(name)) return true;
  // Only a name in use means another copy; any other failure lets this copy run.
  return server_.serverError() != QAbstractSocket::AddressInUseError;
}

}  // namespace hc::qt
