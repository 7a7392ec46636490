// The about box: the editor's name, its version and what it is for.
#pragma once
#include <QDialog>

namespace editor {

inline constexpr const char* kAboutCaption =
    QT_TRANSLATE_NOOP("editor::AboutDialog", "PelkoGameOptionEditerのﾊﾞｰｼﾞｮﾝ情報");
inline constexpr const char* kVersionLine = "PelkoGameOptionEditer Version 1.0";

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace editor
