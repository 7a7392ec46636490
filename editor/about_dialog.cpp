#include "editor/about_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "editor/app_icon.h"
#include "editor/dialog_units.h"

namespace editor {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr(kAboutCaption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(DialogFont());
    const DialogUnits units(font());

    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    icon->setGeometry(QRect(units.ToPixels(11, 17, 0, 0).topLeft(), QSize(32, 32)));

    auto* version = new QLabel(QString::fromUtf8(kVersionLine), this);
    version->setObjectName(QStringLiteral("version"));
    units.Place(version, 40, 10, 119, 8);

    auto* purpose = new QLabel(tr("pelkogame の設定を Game.ini に書き込みます"), this);
    purpose->setObjectName(QStringLiteral("purpose"));
    units.Place(purpose, 40, 25, 119, 8);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    units.Place(ok, 178, 7, 50, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(units.DialogSize(this, 235, 55));
}

} // namespace editor
