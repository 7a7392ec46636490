#include <cstdlib>
#include <initializer_list>

#include "platform/window.h"

namespace platform {

int DesktopDepth() {
    const char* value = std::getenv("TESSARY_DESKTOP_DEPTH");
    if (value == nullptr) return 32;
    for (int depth : {8, 16, 24, 32})
        if (std::atoi(value) == depth) return depth;
    return 32;
}

} // namespace platform
