// PelkoGameOptionEditer: the settings dialog of pelkogame. Run it in the game's GameData folder;
// OK writes Game.ini there.
#include <QApplication>

#include "editor/app_icon.h"
#include "editor/option_dialog.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(editor::kDialogCaption));
    QApplication::setWindowIcon(editor::ApplicationIcon());
    editor::OptionDialog dialog;
    dialog.exec();
    return 0;
}
