#include "editor/dialog_units.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QWidget>

namespace editor {

QFont DialogFont() {
    QFont font;
    // IPA P Gothic stands in for the Windows proportional Gothic the layout was made for;
    // fontconfig's own fallback covers a desktop without either.
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    font.setPointSize(9);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width is measured over the 52 Latin letters and rounded to the nearest pixel.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = std::max(1, (letters / 26 + 1) / 2);
    baseY_ = std::max(1, metrics.height());
}

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
    const auto across = [this](int units) { return (units * baseX_ + 2) / 4; };
    const auto down = [this](int units) { return (units * baseY_ + 4) / 8; };
    return QRect(across(x), down(y), across(width), down(height));
}

void DialogUnits::Place(QWidget* widget, int x, int y, int width, int height, int x0,
                        int y0) const {
    QRect rect = ToPixels(x - x0, y - y0, width, height);
    // Only texts decide a width; an edit box or a slider would ask for its generic default.
    const bool showsText = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLabel*>(widget);
    if (showsText) rect.setWidth(std::max(rect.width(), widget->sizeHint().width()));
    widget->setGeometry(rect);
}

QSize DialogUnits::DialogSize(const QWidget* dialog, int width, int height) const {
    const QRect margin = ToPixels(0, 0, 7, 7);
    QSize size = ToPixels(0, 0, width, height).size();
    for (const QWidget* child : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow())
            size = size.expandedTo(QSize(child->geometry().right() + 1 + margin.width(),
                                         child->geometry().bottom() + 1 + margin.height()));
    }
    return size;
}

} // namespace editor
