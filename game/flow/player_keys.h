// The keys of the player's actions: one key per action, kept in [Pelko] by name (KeyFire=Space),
// and the rules by which a key may be bound. Shared with the settings editor, which binds keys by
// the same rules the game reads them with. Pure rules: no runtime in here.
#pragma once
#include <array>
#include <optional>
#include <string>

#include "platform/virtual_keys.h"

namespace pelko {

enum class Action { Up, Down, Left, Right, Fire, Brake, NextSpecial, Special, EndRun, Pause };
inline constexpr int kActionCount = 10;

struct ActionKey {
    Action action;
    const char* iniKey;
    const char* name; // in the debug lines
    int defaultKey;
    // A key that does the action too while the action keeps its default key and no other
    // action has taken this one; 0 for none.
    int secondKey;
};

// In the order of Action, the order they are read and written.
inline constexpr std::array<ActionKey, kActionCount> kActionKeys = {{
    {Action::Up, "KeyUp", "move up", platform::kVkUp, 0},
    {Action::Down, "KeyDown", "move down", platform::kVkDown, 0},
    {Action::Left, "KeyLeft", "move left", platform::kVkLeft, 0},
    {Action::Right, "KeyRight", "move right", platform::kVkRight, 0},
    {Action::Fire, "KeyFire", "fire", platform::kVkSpace, 0},
    {Action::Brake, "KeyBrake", "brake", platform::kVkReturn, 0},
    {Action::NextSpecial, "KeyNextSpecial", "next special", platform::kVkX, 0},
    {Action::Special, "KeySpecial", "special", platform::kVkZ, 0},
    {Action::EndRun, "KeyEndRun", "end the run", platform::kVkDelete, platform::kVkF1},
    {Action::Pause, "KeyPause", "pause", platform::kVkP, platform::kVkPause},
}};

inline const ActionKey& InfoOf(Action a) {
    return kActionKeys[static_cast<size_t>(a)];
}

// What a key does whatever the player binds, so that no action can have it.
enum class KeptFor { Nothing, Quit, HardMode, Screenshot, FullScreen, Desktop, BossAttacks };
KeptFor KeyKeptFor(int vk);

class PlayerKeys {
  public:
    int Key(Action a) const { return keys_[static_cast<size_t>(a)]; }
    bool OnDefault(Action a) const { return Key(a) == InfoOf(a).defaultKey; }
    // The action's second key while it does the action, else 0.
    int SecondKey(Action a) const;
    // The action whose own key vk is, if any.
    std::optional<Action> ActionWithKey(int vk) const;
    void Set(Action a, int vk) { keys_[static_cast<size_t>(a)] = vk; }
    void RestoreDefaults() { *this = PlayerKeys(); }
    bool operator==(const PlayerKeys&) const = default;

  private:
    std::array<int, kActionCount> keys_ = [] {
        std::array<int, kActionCount> keys{};
        for (const ActionKey& k : kActionKeys)
            keys[static_cast<size_t>(k.action)] = k.defaultKey;
        return keys;
    }();
};

// Why vk cannot become action a's key: a code with no name, a key kept for something else, or
// another action's key (which `holder` then names). A key's own action may take it again.
struct Refusal {
    enum Kind { None, NoName, Kept, Taken } kind = None;
    KeptFor keptFor = KeptFor::Nothing;
    Action holder = Action::Up;
};
Refusal WhyNotBind(const PlayerKeys& keys, Action a, int vk);

// [Pelko]'s keys as the game takes them. A missing key is the action's default; a value that
// names no key, an empty one, a kept key, or a key two actions name gives the action its default
// with one debug line, until no two actions share a key.
PlayerKeys ReadPlayerKeys(const std::string& profileText);

} // namespace pelko
