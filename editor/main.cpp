// PelkoGameOptionEditer: the settings dialog of pelkogame. Run it in the game's GameData folder;
// OK writes Game.ini there.
#include <QApplication>

#include "editor/app_icon.h"
#include "editor/desktop_language.h"
#include "editor/option_dialog.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The desktop entry's id names the program to the desktop: Qt makes the application name the
    // X11 window class and the desktop file name the Wayland app id. The captions are the
    // dialogs' own.
    QApplication::setApplicationName(QString::fromLatin1(editor::kDesktopFileName));
    QApplication::setDesktopFileName(QString::fromLatin1(editor::kDesktopFileName));
    QApplication::setWindowIcon(editor::ApplicationIcon());
    editor::UseDesktopLanguage();
    editor::OptionDialog dialog;
    dialog.exec();
    return 0;
}
