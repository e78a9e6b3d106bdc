#include "common/Crc32.h"

#include <array>

namespace {

constexpr uint32_t kReflectedPolynomial = 0xEDB88320;

// The CRC of every single byte value, so that the main loop handles a byte per look-up.
constexpr std::array<uint32_t, 256> MakeByteTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t byte = 0; byte < 256; ++byte) {
        uint32_t crc = byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) ? (crc >> 1) ^ kReflectedPolynomial : crc >> 1;
        }
        table[byte] = crc;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kByteTable = MakeByteTable();

}  // namespace

uint32_t Crc32(std::string_view bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc = kByteTable[(crc ^ static_cast<unsigned char>(c)) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFF;
}
