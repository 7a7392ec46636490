// The editor's one dialog: colour mode, frame rate, screen mode, scaling, drawing options, the
// volumes of the effects and the music, and the player's keys. It starts from Game.ini in the
// current directory when there is one. OK writes Game.ini there and closes; Esc or the close box
// close without writing.
#pragma once
#include <QDialog>

#include "editor/editor_settings.h"

class QAction;
class QBoxLayout;
class QGridLayout;
class QSlider;

namespace editor {

class DialogUnits;

// The texts the dialog shows in Japanese, its source language; other desktops get them in
// English (desktop_language.h).
inline constexpr const char* kDialogCaption = "PelkoGameOptionEditer";
inline constexpr const char* kAboutMenuText =
    QT_TRANSLATE_NOOP("editor::OptionDialog", "PelkoGameOptionEditer のﾊﾞｰｼﾞｮﾝ情報(&A)...");
inline constexpr const char* kWriteErrorText =
    QT_TRANSLATE_NOOP("editor::OptionDialog", "ERROR!\nGame.iniに書き込みできませんでした。");
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
    // The dialog is a column of sections, each built by one of these; a new section goes in
    // above the button row.
    QBoxLayout* BuildRadioGroups(const DialogUnits& units);
    QBoxLayout* BuildCheckBoxes(const DialogUnits& units);
    QGridLayout* BuildVolumeRows(const DialogUnits& units);
    QBoxLayout* BuildButtonRow(const DialogUnits& units);
    void WriteAndClose();

    EditorSettings settings_;
    QSlider* waveVolume_ = nullptr;
    QSlider* musicVolume_ = nullptr;
    QAction* aboutAction_ = nullptr;
};

} // namespace editor
