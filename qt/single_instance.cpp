#include "qt/single_instance.h"

namespace hc::qt {

void SingleInstance::Activated() const {
  if (activate_) activate_();
}

}  // namespace hc::qt
