#include "editor/desktop_language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace editor {
namespace {

// The first language the desktop asks for, from LANGUAGE, LC_ALL, LC_MESSAGES or LANG.
bool DesktopSpeaksJapanese() {
    const QStringList languages = QLocale::system().uiLanguages();
    return !languages.isEmpty() && languages.front().startsWith(QLatin1String("ja"));
}

} // namespace

bool UseDesktopLanguage() {
    if (DesktopSpeaksJapanese()) return false;
    // Lives as long as the program; it takes itself out of the application as it goes.
    static QTranslator english;
    if (!english.load(QStringLiteral(":/translations/editor_en.qm"))) {
        qWarning("the English texts are missing from the program; the dialog stays Japanese");
        return false;
    }
    return QCoreApplication::installTranslator(&english);
}

} // namespace editor
