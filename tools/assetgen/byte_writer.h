// Little- and big-endian byte appending for the file writers.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace assetgen {

using Bytes = std::vector<uint8_t>;

inline void PutLe16(Bytes& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
inline void PutLe32(Bytes& out, uint32_t v) {
    PutLe16(out, v & 0xFFFF);
    PutLe16(out, v >> 16);
}
inline void PutBe16(Bytes& out, uint32_t v) {
    out.push_back((v >> 8) & 0xFF);
    out.push_back(v & 0xFF);
}
inline void PutBe32(Bytes& out, uint32_t v) {
    PutBe16(out, v >> 16);
    PutBe16(out, v & 0xFFFF);
}
inline void PutText(Bytes& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}

} // namespace assetgen
