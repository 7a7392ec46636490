// The centre-screen messages: up to ten waiting texts, typed one at a time, chosen by key and by
// the clock.
#pragma once
#include <cstdint>
#include <memory>

#include "runtime/graphics/type_text.h"

namespace pelko {

inline constexpr int kMessageSlots = 10;
inline constexpr int kMessageTextSize = 512;
inline constexpr int32_t kFreeMessageKey = 0x7FFFFFFF;

class MessageQueue {
  public:
    MessageQueue();
    virtual ~MessageQueue() = default;

    int32_t fontHeight = 0, fontWidth = 0;
    int32_t count = 0;
    tessary::TypeText typewriter;
    int32_t keys[kMessageSlots];
    std::unique_ptr<char[]> texts[kMessageSlots];
    uint8_t typing = 0;
    int32_t current = -1;
    int32_t sizes[kMessageSlots] = {};

    int Post(const char* text, int key, int size);
    int PostPlain(const char* text) { return Post(text, 0, 0); }
    int Step();
    void Clear();
    void SetSpeed(int ticks);
    void SetPosition(int x, int y);

  private:
    void SelectNext();
    void FreeSlot(int slot);
};

} // namespace pelko
