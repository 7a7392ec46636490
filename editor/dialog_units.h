// Dialog-unit geometry: controls are placed in units of a quarter of the dialog font's average
// character width across and an eighth of its line height down, so the whole dialog keeps its
// proportions at any font size or screen scale.
#pragma once
#include <QFont>
#include <QRect>

class QWidget;

namespace editor {

// The font the dialogs are drawn in: a proportional Japanese Gothic at 9 points.
QFont DialogFont();

class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);

    QRect ToPixels(int x, int y, int width, int height) const;

    // Places a widget at a rectangle given in dialog units relative to its parent's origin
    // (x0, y0), also in dialog units. A text that needs more room than the template gives, as
    // another font may, widens the widget rather than being cut off.
    void Place(QWidget* widget, int x, int y, int width, int height, int x0 = 0, int y0 = 0) const;

    // The dialog's size from the template, grown to keep a margin round any control that had to
    // widen for its text.
    QSize DialogSize(const QWidget* dialog, int width, int height) const;

  private:
    int baseX_;
    int baseY_;
};

} // namespace editor
