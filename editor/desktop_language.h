// The language of the dialogs: the desktop's. Their texts are written in Japanese, which a
// Japanese desktop shows as they are; every other desktop gets them in English, from the
// translation compiled into the program (translations/editor_en.ts).
#pragma once

namespace editor {

// Call once the application object exists and before any dialog is made. True when the texts
// are shown in English.
bool UseDesktopLanguage();

} // namespace editor
