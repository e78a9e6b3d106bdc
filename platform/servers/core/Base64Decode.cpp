#include "platform/servers/core/Base64Decode.h"

#include <array>
#include <cstdint>

namespace pimlo::servers {

namespace {

constexpr int8_t kSkip = -2;
constexpr int8_t kInvalid = -1;

constexpr std::array<int8_t, 256> MakeTable() {
    std::array<int8_t, 256> table{};
    for (auto& entry : table) entry = kInvalid;
    constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = i;
    table['\r'] = kSkip;
    table['\n'] = kSkip;
    return table;
}

constexpr std::array<int8_t, 256> kValues = MakeTable();

}  // namespace

std::optional<std::string> DecodeBase64(std::string_view text) {
    while (!text.empty() && (text.back() == '=' || text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    std::string out;
    out.reserve(text.size() / 4 * 3 + 3);
    uint32_t bits = 0;
    int count = 0;
    for (unsigned char c : text) {
        const int8_t value = kValues[c];
        if (value == kSkip) continue;
        if (value == kInvalid) return std::nullopt;
        bits = (bits << 6) | static_cast<uint32_t>(value);
        if (++count == 4) {
            out += static_cast<char>(bits >> 16);
            out += static_cast<char>(bits >> 8);
            out += static_cast<char>(bits);
            bits = 0;
            count = 0;
        }
    }
    // One leftover character carries only six bits: no byte ends there.
    if (count == 1) return std::nullopt;
    if (count == 2) out += static_cast<char>(bits >> 4);
    if (count == 3) {
        out += static_cast<char>(bits >> 10);
        out += static_cast<char>(bits >> 2);
    }
    return out;
}

}  // namespace pimlo::servers
