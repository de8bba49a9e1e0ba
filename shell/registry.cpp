#include "shell/registry.h"

namespace hc {

namespace {
#define HC_ENTRY(name, factory, section, caption) {#name, &factory, MenuSection::section, caption},
const ScreenEntry kScreens[] = {HC_SCREENS(HC_ENTRY)};
#undef HC_ENTRY
}  // namespace

std::span<const ScreenEntry> ScreenRegistry() { return kScreens; }

}  // namespace hc
