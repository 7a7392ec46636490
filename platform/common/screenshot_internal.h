// The screenshot writer shared by both platforms. Internal to platform/.
#pragma once
#include "platform/screenshot.h"

namespace platform {

// SaveScreenshot's work. Each implementation defines SaveScreenshot beside its present, in an
// object every program links anyway, and forwards here: a static link then finds the writer
// however late the linker meets the runtime that calls it.
std::string WriteScreenshot(const Surface& frame);

} // namespace platform
