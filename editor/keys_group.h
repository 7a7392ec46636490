// The dialog's Keys group: one row per action of the player, its name and a button showing its
// key. Clicking the button and pressing a key binds it (Esc while waiting gives up); a key the
// game keeps for itself or another action has is refused, and the group says why; "Default keys"
// puts every action back on its default key.
#pragma once
#include <QGroupBox>
#include <QPushButton>
#include <array>

#include "game/flow/player_keys.h"

class QLabel;

namespace editor {

class DialogUnits;

// A button that, once clicked, takes the next key pressed rather than acting on it.
class KeyButton : public QPushButton {
    Q_OBJECT
  public:
    explicit KeyButton(QWidget* parent);
    bool Waiting() const { return waiting_; }
    void StopWaiting();

  signals:
    void KeyChosen(int vk);
    void GaveUp();

  protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void StartWaiting();
    bool waiting_ = false;
};

class KeysGroup : public QGroupBox {
    Q_OBJECT
  public:
    // Edits keys, which must outlive the group.
    KeysGroup(pelko::PlayerKeys& keys, const DialogUnits& units, QWidget* parent);

  private:
    void Bind(pelko::Action a, int vk);
    void ShowKeys();
    QString KeysText(pelko::Action a) const;
    QString WhyNot(const pelko::Refusal& refusal, int vk) const;

    pelko::PlayerKeys& keys_;
    std::array<KeyButton*, pelko::kActionCount> buttons_{};
    QLabel* note_ = nullptr;
};

} // namespace editor
