#include "game/flow/player_keys.h"

#include "game/flow/settings_rules.h"
#include "platform/key_names.h"
#include "platform/debug_output.h"
#include "platform/profile.h"

namespace pelko {
namespace {

constexpr int kFirstBossAttackKey = '1', kLastBossAttackKey = '5';

const char* NameOf(int vk) {
    const char* name = platform::KeyName(vk);
    return name != nullptr ? name : "?";
}

const char* KeptForWhat(KeptFor k) {
    switch (k) {
    case KeptFor::Quit:
        return "quits";
    case KeptFor::HardMode:
        return "switches hard mode on the title";
    case KeptFor::Screenshot:
        return "saves a screenshot";
    case KeptFor::FullScreen:
        return "is for Alt+Enter, full screen";
    case KeptFor::Desktop:
        return "belongs to the desktop";
    case KeptFor::BossAttacks:
        return "starts a boss's attack";
    case KeptFor::Nothing:
        break;
    }
    return "";
}

void SayDefault(Action a, const std::string& value, const std::string& why) {
    const ActionKey& k = InfoOf(a);
    platform::OutputDebugString((std::string("Game.ini: ") + k.iniKey + "=" + value + " " + why +
                                 "; " + k.name + " takes its default key, " + NameOf(k.defaultKey) +
                                 "\n")
                                    .c_str());
}

// The key a value names for action a, or its default with a line saying why not.
int KeyForValue(Action a, const std::string& value) {
    const ActionKey& k = InfoOf(a);
    if (value.empty()) {
        SayDefault(a, value, "is empty");
        return k.defaultKey;
    }
    const int vk = platform::KeyFromName(value);
    if (vk == 0) {
        SayDefault(a, value, "names no key");
        return k.defaultKey;
    }
    if (const KeptFor kept = KeyKeptFor(vk); kept != KeptFor::Nothing) {
        SayDefault(a, value, std::string("is a key that ") + KeptForWhat(kept));
        return k.defaultKey;
    }
    return vk;
}

// Every action that shares its key with another and is not on its default takes its default,
// both of two that name the same key; a default can take another's key in turn, so it goes on
// until no key is shared. Each round puts at least one more action on its default, and the
// defaults are all different keys.
void SeparateSharedKeys(PlayerKeys& keys) {
    for (bool changed = true; changed;) {
        changed = false;
        const PlayerKeys round = keys;
        for (const ActionKey& k : kActionKeys) {
            const int vk = round.Key(k.action);
            if (round.OnDefault(k.action)) continue;
            for (const ActionKey& other : kActionKeys) {
                if (other.action == k.action || round.Key(other.action) != vk) continue;
                SayDefault(k.action, NameOf(vk), std::string("is also ") + other.name + "'s key");
                keys.Set(k.action, k.defaultKey);
                changed = true;
                break;
            }
        }
    }
}

} // namespace

KeptFor KeyKeptFor(int vk) {
    switch (vk) {
    case platform::kVkEscape:
        return KeptFor::Quit;
    case platform::kVkF4:
        return KeptFor::HardMode;
    case platform::kVkF12:
        return KeptFor::Screenshot;
    case platform::kVkAlt:
    case platform::kVkLeftAlt:
    case platform::kVkRightAlt:
        return KeptFor::FullScreen;
    case platform::kVkLeftWindows:
    case platform::kVkRightWindows:
        return KeptFor::Desktop;
    default:
        break;
    }
    if (vk >= kFirstBossAttackKey && vk <= kLastBossAttackKey) return KeptFor::BossAttacks;
    return KeptFor::Nothing;
}

int PlayerKeys::SecondKey(Action a) const {
    const int second = InfoOf(a).secondKey;
    if (second == 0 || !OnDefault(a) || ActionWithKey(second)) return 0;
    return second;
}

std::optional<Action> PlayerKeys::ActionWithKey(int vk) const {
    for (const ActionKey& k : kActionKeys)
        if (Key(k.action) == vk) return k.action;
    return std::nullopt;
}

Refusal WhyNotBind(const PlayerKeys& keys, Action a, int vk) {
    if (platform::KeyName(vk) == nullptr) return {Refusal::NoName};
    if (const KeptFor kept = KeyKeptFor(vk); kept != KeptFor::Nothing) return {Refusal::Kept, kept};
    if (const std::optional<Action> holder = keys.ActionWithKey(vk); holder && *holder != a)
        return {Refusal::Taken, KeptFor::Nothing, *holder};
    return {};
}

PlayerKeys ReadPlayerKeys(const std::string& text) {
    PlayerKeys keys;
    for (const ActionKey& k : kActionKeys) {
        const std::optional<std::string> value =
            platform::ProfileStringFromText(text, kPelkoSection, k.iniKey);
        if (value) keys.Set(k.action, KeyForValue(k.action, *value));
    }
    SeparateSharedKeys(keys);
    return keys;
}

} // namespace pelko
