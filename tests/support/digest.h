// FNV-1a over values added in a fixed order: the one hash the tests digest states and pictures by.
// Whole values go in as eight bytes, floats by their bits (so -0.0 and 0.0 differ), pixels as the
// four bytes of their value.
#pragma once
#include <cstdint>
#include <cstring>

namespace tessary::testing {

class Digest {
  public:
    static constexpr uint64_t kOffsetBasis = 0xCBF29CE484222325ull;
    // A digest may start from another value than FNV's own, to keep digests recorded with it.
    explicit Digest(uint64_t start = kOffsetBasis) : hash_(start) {}

    void Add(uint64_t v) { AddBytes(v, 8); }
    void Add(int32_t v) { Add(static_cast<uint64_t>(static_cast<uint32_t>(v))); }
    void Add(uint32_t v) { Add(static_cast<uint64_t>(v)); }
    void Add(uint8_t v) { Add(static_cast<uint64_t>(v)); }
    void Add(float f) {
        uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        Add(bits);
    }
    void AddPixel(uint32_t v) { AddBytes(v, 4); }
    uint64_t Value() const { return hash_; }

  private:
    void AddBytes(uint64_t v, int count) {
        for (int i = 0; i < count; ++i) {
            hash_ ^= (v >> (8 * i)) & 0xFF;
            hash_ *= 0x100000001B3ull;
        }
    }
    uint64_t hash_;
};

} // namespace tessary::testing
