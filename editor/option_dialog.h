// The editor's one dialog: colour mode, frame rate, screen mode, drawing options and effect
// volume. OK writes Game.ini in the current directory and closes; Esc or the close box close
// without writing.
#pragma once
#include <QDialog>

#include "editor/editor_settings.h"

class QAction;
class QSlider;
class QLineEdit;

namespace editor {

class DialogUnits;

inline constexpr const char* kDialogCaption = "PelkoGameOptionEditer";
inline constexpr const char* kAboutMenuText = "PelkoGameOptionEditer のﾊﾞｰｼﾞｮﾝ情報(&A)...";
inline constexpr const char* kWriteErrorText = "ERROR!\nGame.iniに書き込みできませんでした。";
inline constexpr const char* kSettingsFileName = "Game.ini";

class OptionDialog : public QDialog {
    Q_OBJECT
  public:
    explicit OptionDialog(QWidget* parent = nullptr);

    const EditorSettings& settings() const { return settings_; }

  public slots:
    void ShowAbout();

  protected:
    bool event(QEvent* event) override;

  private:
    void BuildRadioGroups(const DialogUnits& units);
    void BuildCheckBoxes(const DialogUnits& units);
    void BuildVolumeRow(const DialogUnits& units);
    void WriteAndClose();

    EditorSettings settings_;
    QSlider* volume_ = nullptr;
    QLineEdit* volumeText_ = nullptr;
    QAction* aboutAction_ = nullptr;
};

} // namespace editor
