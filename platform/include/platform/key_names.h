// The names keys are written with in settings files, one table for the game and the settings
// editor: each virtual-key code the keyboard reads has one name, the one a US keyboard shows at
// that key's place ("Space", "Return", "Left Shift", "A", "F1", "Keypad 5", ";").
#pragma once
#include <string_view>

namespace platform {

// The key's name, or nullptr for a code without one.
const char* KeyName(int vk);

// The key a name stands for, case and blanks aside ("left shift", "PageUp"), with a few other
// names people write ("Enter", "Escape", "Control"); 0 for a name of no key.
int KeyFromName(std::string_view name);

} // namespace platform
